#include "kurzezahl.h"

#include <cmath>

std::optional<double> kurzezahl(double lo, double hi) {
  if (!(lo <= hi)) return std::nullopt;
  if (lo <= 0 && 0 <= hi) return 0.0;
  const double groesse = std::max(std::fabs(lo), std::fabs(hi));
  const int oben = static_cast<int>(std::floor(std::log10(groesse))) + 1;
  // From the coarsest power of ten down to 12 significant digits; a decimal
  // with d places is formed as an integer divided by 10^d, which rounds it to
  // the nearest double exactly as the term's own numbers are read.
  for (int e = oben; e >= oben - 12; --e) {
    double kandidat;
    if (e >= 0) {
      const double schritt = std::pow(10.0, e);
      kandidat = std::ceil(lo / schritt) * schritt;
    } else {
      const double faktor = std::pow(10.0, -e);
      kandidat = std::ceil(lo * faktor) / faktor;
      if (kandidat < lo) kandidat = (std::ceil(lo * faktor) + 1) / faktor;
    }
    if (kandidat >= lo && kandidat <= hi) return kandidat;
  }
  return std::nullopt;
}
