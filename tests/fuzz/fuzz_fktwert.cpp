// Arbitrary 16-bit texts and arbitrary x, P, Q (NaN and infinities included)
// through the evaluator, the edit-field reader and the number text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fktint.h"
#include "zahltext.h"

namespace {

double zahl(const std::uint8_t*& daten, std::size_t& groesse) {
  double v = 0;
  if (groesse >= sizeof v) {
    std::memcpy(&v, daten, sizeof v);
    daten += sizeof v;
    groesse -= sizeof v;
  }
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  const double x = zahl(daten, groesse);
  P = zahl(daten, groesse);
  Q = zahl(daten, groesse);
  std::u16string term(groesse / 2, u'\0');
  std::memcpy(term.data(), daten, term.size() * 2);

  const double v = fktwert(term, x);
  if (fehlercode > 4) std::abort();
  if (v > 1e10) std::abort();  // results above the limit are always cut
  zahltext(1, 2, v);

  const double feld = editwert(term);
  if (fehlercode != 0 && feld != 0) std::abort();
  return 0;
}
