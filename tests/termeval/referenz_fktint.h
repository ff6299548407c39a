// The plain recursive reader of terms, the reference for the evaluator's fast reader.
#pragma once

#include <cstddef>
#include <string_view>

namespace referenz {

// Same contract as ::fktwert: sets ::fehlercode, reads ::P, ::Q and ::R.
double fktwert(std::u16string_view term, double x);
int funktionsnummer(std::u16string_view name);

// Where the last call's reading went: the first place where it set status 1 while
// reading (not for a value), where it stopped, and whether the last operator it
// looked at was taken from the text. Positions are in the text it read: the
// caller's text, or the edited one when `bearbeitet`.
struct Lesespur {
  static constexpr std::size_t keine = static_cast<std::size_t>(-1);
  std::size_t fehlerstelle = keine;
  std::size_t ende = 0;
  bool zuletzt_gelesen = false;
  bool bearbeitet = false;
};
extern Lesespur lesespur;

}  // namespace referenz
