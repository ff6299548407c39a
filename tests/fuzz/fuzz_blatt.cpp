// The worksheet reader on arbitrary bytes: it never crashes, a refusal leaves
// the state and the view as they were, and what it accepts is written back and
// read again to the same state.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "arbeitsblatt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
  const Sicht vorher{-2, 3, -1, 1};
  Steuerzustand z;
  z.ed_f3 = u"X^3";
  z.c_schar = true;
  const std::string zuvor = blattschreiben(z, vorher);
  std::optional<Sicht> sicht = vorher;
  const std::string_view text(reinterpret_cast<const char*>(daten), laenge);
  if (!blattlesen(text, "fuzz", z, sicht).empty()) {
    if (blattschreiben(z, vorher) != zuvor || !sicht || sicht->xmin != vorher.xmin) std::abort();
    return 0;
  }
  const Sicht gelesen = sicht.value_or(Sicht{0, 0, 0, 0});
  const std::string einmal = blattschreiben(z, gelesen);
  Steuerzustand wieder;
  std::optional<Sicht> wiedersicht;
  if (!blattlesen(einmal, "fuzz", wieder, wiedersicht).empty()) std::abort();
  if (blattschreiben(wieder, wiedersicht.value_or(Sicht{0, 0, 0, 0})) != einmal) std::abort();
  return 0;
}
