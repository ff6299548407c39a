#include "abbildung.h"

#include <cmath>

namespace abbildung {

double xmin = -6, xmax = 6, ymin = -5, ymax = 5;
std::int32_t _x = 0, _y = 0;
double fx = 1, fy = 1, wbx = 1, wby = 1;
std::int32_t grafb = 0, grafh = 0;

namespace {
// The rounded origin. The conversions use it whole, so a view far from the
// origin still maps onto its own pixels; _x and _y hold it bounded to +-2^30,
// which keeps sums such as _x - 10 - TextWidth(..) or _y + 6 inside 32 bits and
// decides the same way wherever the origin lies off the surface.
long double nullx = 0, nully = 0;
constexpr long double ursprunggrenze = 1073741824.0L;

long double gerundet(long double v) { return std::isfinite(v) ? std::nearbyint(v) : 0.0L; }

std::int32_t begrenzt(long double v) {
  return static_cast<std::int32_t>(std::fmax(-ursprunggrenze, std::fmin(ursprunggrenze, v)));
}
}  // namespace

void abbildungeinrichten(int breite, int hoehe) {
  grafb = breite;
  grafh = hoehe;
  wbx = xmax - xmin;
  wby = ymax - ymin;
  fx = static_cast<long double>(grafb) / wbx;
  fy = static_cast<long double>(grafh) / wby;
  nullx = gerundet(-static_cast<long double>(xmin) * grafb / (static_cast<long double>(xmax) - xmin));
  nully = gerundet(static_cast<long double>(grafh) * ymin / (static_cast<long double>(ymax) - ymin) + grafh);
  _x = begrenzt(nullx);
  _y = begrenzt(nully);
}

double pixelx(double x) { return static_cast<double>(static_cast<long double>(x) * fx + nullx); }
double pixely(double y) { return static_cast<double>(-static_cast<long double>(y) * fy + nully); }
double weltx(int c) { return static_cast<double>((static_cast<long double>(c) - nullx) / fx); }
double welty(int r) { return static_cast<double>((nully - r) / fy); }

bool darstellbar(double v) { return std::fabs(v) < 2147483647.0; }

std::int32_t Round(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(std::nearbyint(v));
}

}  // namespace abbildung
