// The reading check: whether a term text is one well-formed term that the
// evaluator reads to its end, and if not, the first place where its reading goes
// wrong and why. It follows the evaluator's reading step for step (edit of the
// text, operator levels, the one-character lookahead, the depth limit), without
// computing values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Why a text does not read completely.
enum class Lesefehler : std::uint8_t {
  keiner,                  // the text reads completely
  unbekannter_name,        // a name that is no function, constant or variable
  operator_fehlt,          // two operands with no operator between them
  klammer_offen,           // a bracket is still open at the end of the text
  klammer_zu_viel,         // a closing bracket where no bracket is open
  operand_fehlt,           // an operator or a function with nothing to work on
  zeichen_ohne_bedeutung,  // a character the term language does not know
  zu_tief,                 // brackets and operators nested deeper than the evaluator reads
};

struct Lesebefund {
  Lesefehler fehler = Lesefehler::keiner;
  // 0-based index into the checked text of the character where reading goes
  // wrong; the text's length where it ends too early.
  std::size_t stelle = 0;
  // The text at `stelle` that is meant: the unknown name, the operand that
  // follows the missing operator, the operator that lacks its operand.
  std::u16string wort;
  // For a missing operator: the operand before it, as far as it can be named.
  std::u16string davor;
  bool gelesen() const { return fehler == Lesefehler::keiner; }
};

Lesebefund lesepruefung(std::u16string_view term);

// The text the evaluator reads (blanks gone, commas made points, a 0 before a
// leading sign and after each "(" of "(-X^"), and for each of its characters the
// index of the character of `term` it comes from (an inserted 0: the character
// after it). The evaluator's positions become positions in what the user typed.
struct Bearbeitet {
  std::u16string text;
  std::vector<std::size_t> herkunft;
};
Bearbeitet bearbeiten(std::u16string_view term);

// Whether the evaluator computes the function of this name (and not 0 with
// term_unlesbar): a listed name, or a piece from the start of one.
bool ausgewertete_funktion(std::u16string_view name);
