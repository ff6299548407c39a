#include "abbildung.h"

#include <cmath>

namespace abbildung {

double xmin = -6, xmax = 6, ymin = -5, ymax = 5;
std::int32_t _x = 0, _y = 0;
double fx = 1, fy = 1, wbx = 1, wby = 1;
std::int32_t grafb = 0, grafh = 0;

namespace {
// The origin may lie anywhere off the surface; this bound keeps sums such as
// _x - 10 - TextWidth(..) or _y + 6 inside 32 bits.
constexpr double ursprunggrenze = 1073741824.0;

std::int32_t ursprung(double v) {
  if (std::isnan(v)) return 0;
  return Round(std::fmax(-ursprunggrenze, std::fmin(ursprunggrenze, v)));
}
}  // namespace

void abbildungeinrichten(int breite, int hoehe) {
  grafb = breite;
  grafh = hoehe;
  wbx = xmax - xmin;
  wby = ymax - ymin;
  fx = static_cast<long double>(grafb) / wbx;
  fy = static_cast<long double>(grafh) / wby;
  _x = ursprung(static_cast<double>(-static_cast<long double>(xmin) * grafb / (static_cast<long double>(xmax) - xmin)));
  _y = ursprung(static_cast<double>(static_cast<long double>(grafh) * ymin / (static_cast<long double>(ymax) - ymin) + grafh));
}

double pixelx(double x) { return static_cast<double>(static_cast<long double>(x) * fx + _x); }
double pixely(double y) { return static_cast<double>(-static_cast<long double>(y) * fy + _y); }
double weltx(int c) { return static_cast<double>((static_cast<long double>(c) - _x) / fx); }
double welty(int r) { return static_cast<double>((static_cast<long double>(_y) - r) / fy); }

bool darstellbar(double v) { return std::fabs(v) < 2147483647.0; }

std::int32_t Round(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(std::nearbyint(v));
}

}  // namespace abbildung
