#include "ergebniswerte.h"

#include "fktint.h"
#include "zahltext.h"

std::u16string z(double v) { return zahltext(1, 2, v); }

double wertodernull(std::u16string_view term, double x) {
  const double v = fktwert(term, x);
  return fehlercode == 0 ? v : 0;
}
