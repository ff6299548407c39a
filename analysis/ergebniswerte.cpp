#include "ergebniswerte.h"

#include "fktint.h"
#include "zahltext.h"

std::u16string z(double v) { return zahltext(1, 2, v); }

double wertodernull(std::u16string_view term, double x) {
  const Wert w = wert(term, x);
  return w.gueltig ? w.y : 0;
}
