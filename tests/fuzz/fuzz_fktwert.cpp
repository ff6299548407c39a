// Arbitrary 16-bit texts and arbitrary x, P, Q (NaN and infinities included)
// through the evaluator, the edit-field reader and the number text; the evaluator
// must also agree with the plain recursive reader kept beside its tests.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../termeval/referenz_fktint.h"
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
  const int status = fehlercode;
  const double plain = referenz::fktwert(term, x);
  // Value bits and status as the plain reader has them; any NaN counts as the same value.
  if (status != fehlercode) std::abort();
  if (std::isnan(v) ? !std::isnan(plain) : std::memcmp(&v, &plain, sizeof v) != 0) std::abort();
  if (fehlercode > wert_begrenzt) std::abort();
  if (v > 1e10) std::abort();  // results above the limit are always cut
  zahltext(1, 2, v);

  const double feld = editwert(term);
  if (fehlercode != wert_gueltig && feld != 0) std::abort();
  return 0;
}
