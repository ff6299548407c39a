// Function library: the named functions of the term language, each checking its
// own domain and reporting a violation in `fehlercode` with a substitute value.

#include <cmath>

#include "fktint.h"
#include "grenzwerte.h"

namespace {

using termwerte::grenze;
using termwerte::pi;
constexpr double lg_faktor = 0.4342944819033;  // deliberately these digits
constexpr double ld_faktor = 1.442695040889;
constexpr double gauss_divisor = 2.506628274631;
constexpr double argumentgrenze = 50;

double undefiniert() {
  fehlercode = wert_undefiniert;
  return 0;
}

double ganzteil(double v) { return std::trunc(v); }

// Cuts the argument of EXP and GAUSS to [-50, 50]; not-a-number goes to -50.
double beschnitten(double v) {
  if (v > argumentgrenze) {
    fehlercode = wert_begrenzt;
    return argumentgrenze;
  }
  if (!(v >= -argumentgrenze)) {
    fehlercode = wert_begrenzt;
    return -argumentgrenze;
  }
  return v;
}

double sqr(double v) {
  if (v == 0) return 0;
  if (std::fabs(v) >= grenze) {
    fehlercode = wert_undefiniert;
    return grenze;
  }
  return v * v;
}

double hyperbolisch(double v, double (*f)(double)) {
  if (std::fabs(v) >= argumentgrenze) {
    fehlercode = wert_undefiniert;
    return grenze;
  }
  return f(v);
}

double logarithmus(double v, double faktor) { return v <= 0 ? undefiniert() : std::log(v) * faktor; }

double arcsin(double v) {
  if (std::fabs(v) < 1) return std::asin(v);
  if (v == 1) return pi / 2;
  if (v == -1) return -pi / 2;
  return undefiniert();
}

double arcsec(double v) {
  if (!(std::fabs(v) >= 1)) return undefiniert();
  const double t = std::atan(std::sqrt((v - 1) * (v + 1)));
  return v > 0 ? t : pi - t;
}

double digamma_funktion(double v) {
  double ergebnis;
  if (!digammawert(v, ergebnis)) {
    fehlercode = wert_begrenzt;
    return 0;
  }
  return ergebnis;
}

}  // namespace

double funktionswert(int nummer, double v) {
  switch (nummer) {
    case 1: return sqr(v);                                             // SQR
    case 5: return v < 0 ? undefiniert() : std::sqrt(v);               // SQRT
    case 10: return std::exp(beschnitten(v));                          // EXP
    case 14: return logarithmus(v, 1.0);                               // LN
    case 17: return std::fabs(v);                                      // ABS
    case 21: return integralsinus(v);                                  // SI
    case 24: return std::sin(v);                                       // SIN
    case 28: return std::cos(v);                                       // COS
    case 32: return std::cos(v) == 0 ? 0 : std::tan(v);                // TAN
    case 36: return std::fabs(v) > 1 ? undefiniert() : std::acos(v);   // ARCCOS
    case 43: return logarithmus(v, lg_faktor);                         // LG
    case 46: return std::atan(v);                                      // ARCTAN
    case 53: return hyperbolisch(v, [](double a) { return std::sinh(a); });  // SINH
    case 58: return hyperbolisch(v, [](double a) { return std::cosh(a); });  // COSH
    case 63: return std::tanh(v);  // TANH: bounded by 1, so no limit is needed
    case 68:                                                           // INT
      fehlercode = kurve_unterbrochen;
      return v >= 0 ? ganzteil(v) : ganzteil(v - 1);
    case 72:                                                           // SGN
      fehlercode = wert_gueltig;
      return v == 0 ? 0 : v / std::fabs(v);
    case 88: return std::sin(v) == 0 ? 0 : std::cos(v) / std::sin(v);  // COT
    case 92: return logarithmus(v, ld_faktor);                         // LD
    case 95: return arcsin(v);                                         // ARCSIN
    case 102: return std::log(v + std::sqrt(v * v + 1));               // ARSINH
    case 109: return v < 1 ? undefiniert() : std::log(v + std::sqrt(v * v - 1));  // ARCOSH
    case 116:                                                          // ARTANH
      return !(std::fabs(v) < 1) ? undefiniert() : std::log((1 + v) / (1 - v)) / 2;
    case 123: return std::cos(v) == 0 ? undefiniert() : 1 / std::cos(v);  // SEC
    case 127: return gammawert(v);                                     // GAMMA
    case 133: {                                                        // GAUSS
      const double w = beschnitten(v);
      return std::exp(-w * w / 2) / gauss_divisor;
    }
    case 139: return digamma_funktion(v);                              // DIGAMMA
    case 147: return std::sin(v) == 0 ? undefiniert() : 1 / std::sin(v);  // CSC
    case 151: return std::fabs(v) >= grenze ? undefiniert() : v - ganzteil(v);  // FRAC
    case 156:                                                          // HEAVISIDE
      fehlercode = kurve_unterbrochen;
      return v == 0 ? 0.5 : (std::fabs(v) / v + 1) / 2;
    case 166:                                                          // ARCCOT
      return std::fabs(v) > 1e-10 ? std::atan(1 / v) : pi / 2 - std::atan(v);
    case 173: return arcsec(v);                                        // ARCSEC
    default:
      fehlercode = term_unlesbar;
      return 0;
  }
}

double gammawert(double v) {
  if ((v <= 0 && std::trunc(v) == v) || v > 43) {
    fehlercode = wert_begrenzt;
    return 0;
  }
  double f = 1;
  while (v > 2) {
    v -= 1;
    f *= v;
  }
  // Far below 0 the factor vanishes after a few hundred steps; the rest cannot change it.
  while (v < 1 && f != 0) {
    gelesenezeichen += 2;
    f /= v;
    v += 1;
  }
  if (f == 0) return 0;
  static constexpr double b[] = {1,           -0.577191652, 0.988205891, -0.897056937, 0.918206857,
                                 -0.756704078, 0.482199394,  -0.193527818, 0.035868343};
  const double t = v - 1;
  double p = b[8];
  for (int k = 7; k >= 0; --k) p = p * t + b[k];
  return f * p;
}

bool digammawert(double v, double& ergebnis) {
  ergebnis = 0;
  if (v < 0) {
    const double betrag = std::fabs(v);
    if (betrag - std::trunc(betrag) < 1e-5) return false;
    double gespiegelt;
    if (!digammawert(1 - v, gespiegelt)) return false;
    ergebnis = gespiegelt + pi / std::tan(pi * (1 - v));
    return true;
  }
  if (v == 0) return false;
  if (v == 1) {
    ergebnis = -0.5772156649015329;
    return true;
  }
  if (v > 0 && v <= 1e-5) {
    ergebnis = -0.5772156649015328606 - 1 / v;
    return true;
  }
  static constexpr double c[] = {0,
                                 0.083333333333333333333,
                                 -0.008333333333333333333,
                                 0.003968253968253968254,
                                 -0.0041666666666666666664,
                                 0.0075757575757575757578,
                                 -0.021092796092796092796,
                                 0.083333333333333333333,
                                 -0.44325980392156862745};
  double s = 0;
  double y = v;
  while (y < 20) {
    s -= 1 / y;
    y += 1;
  }
  const double w = 1 / (y * y);
  double p = 0;
  for (int k = 8; k >= 1; --k) p = (p + c[k]) * w;
  ergebnis = std::log(y) + s - 0.5 / y - p;
  return true;
}

double integralsinus(double v) {
  if (!(v > 0 && v < 50)) return undefiniert();
  const double lnv = std::log(v);
  double y = v;
  double t = lnv;
  double vorher;
  int n = 1;
  // The terms fall below 10^-4 within a few hundred steps for every v below 50.
  for (int schritte = 0; schritte < 10000; ++schritte) {
    gelesenezeichen += 10;
    // The four logarithms join t one after the other, as the series is written;
    // bracketing them into one sum first shifts the alternating total.
    t = t + 2 * lnv + std::log(static_cast<double>(n)) - std::log(n + 1.0) - 2 * std::log(n + 2.0);
    const double glied = std::exp(t);
    vorher = y;
    if (((n - 1) / 2) % 2 == 1)
      y += glied;
    else
      y -= glied;
    n += 2;
    if (std::fabs(y - vorher) < 1e-4) break;
  }
  return y;
}
