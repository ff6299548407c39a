#include "flaechenwerte.h"

#include <algorithm>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/quadrature/tanh_sinh.hpp>
#include <cmath>
#include <exception>
#include <limits>

#include "ergebniswerte.h"
#include "fktint.h"
#include "integrierbarkeit.h"
#include "steuerzustand.h"
#include "suche.h"

double integralwert = 0;
double flaechenwert = 0;

namespace {

constexpr double keinwert = std::numeric_limits<double>::quiet_NaN();
// Quadrature evaluations at most, the rest of flaechenbedarf being the checks'.
constexpr int quadraturgrenze = 40000;
// Relative accuracy asked of each piece: far below the two decimals shown, and
// reachable next to a kink or a square-root end within the depth of 15 halvings.
constexpr double toleranz = 1e-9;
// Samples over [lo, hi] that look for the sign changes of f - g.
constexpr int vorzeichenschritte = 1000;

struct ZuTeuer {};

// f - g for the quadrature. A point without a value inside a piece is a single
// point (the check has ruled out stretches): a hole met exactly takes the value
// beside it; next to a singular end the nodes come so close that the evaluator
// gives up, where the tiny weight makes the value irrelevant.
struct Integrand {
  std::u16string_view term;
  double daneben;
  int* zaehler;
  double operator()(double x) const {
    if (++*zaehler > quadraturgrenze) throw ZuTeuer{};
    const double y = fktwert(term, x);
    if (fehlercode == wert_gueltig || fehlercode == kurve_unterbrochen) return y;
    if (fehlercode == wert_begrenzt) return 0;
    for (const double d : {daneben, -daneben}) {
      const double z = fktwert(term, x + d);
      if (fehlercode == wert_gueltig || fehlercode == kurve_unterbrochen) return z;
    }
    return 0;
  }
};

struct Teil {
  double wert = 0, fehler = 0;
};

Teil integrieren(const Integrand& f, double u, double v, bool singulaer) {
  Teil t;
  if (singulaer) {
    static boost::math::quadrature::tanh_sinh<double> regel;
    t.wert = regel.integrate(f, u, v, toleranz, &t.fehler);
  } else {
    t.wert = boost::math::quadrature::gauss_kronrod<double, 31>::integrate(f, u, v, 15, toleranz, &t.fehler);
  }
  return t;
}

bool hatwert() { return fehlercode == wert_gueltig || fehlercode == kurve_unterbrochen; }

// The point of a jump between xl and xr: bisection towards the side whose value
// the middle is nearer to.
double sprungstelle(std::u16string_view term, double xl, double yl, double xr, double yr) {
  for (int i = 0; i < 80 && xr - xl > endbreite(xl, xr - xl); ++i) {
    const double m = 0.5 * (xl + xr), y = fktwert(term, m);
    if (!hatwert()) break;
    (std::fabs(y - yl) < std::fabs(y - yr) ? xl : xr) = m;
  }
  return 0.5 * (xl + xr);
}

// Where the quadrature of (u, v) must split as well: the sign changes of f - g,
// for the area, and its jumps (INT, SGN), which the adaptive rule cannot pin
// down within its error estimate. A jump is a step that changes the value far
// more than the steps either side of it.
std::vector<double> teilpunkte(std::u16string_view term, double u, double v, double L) {
  const int n = std::max(8, static_cast<int>(vorzeichenschritte * (v - u) / L));
  const double h = (v - u) / n;
  std::vector<double> x(n), y(n);
  std::vector<char> ok(n);
  for (int i = 0; i < n; ++i) {
    x[i] = u + (i + 0.5) * h;
    y[i] = fktwert(term, x[i]);
    ok[i] = hatwert();
  }
  const auto schritt = [&](int i) { return i >= 0 && i + 1 < n && ok[i] && ok[i + 1] ? std::fabs(y[i + 1] - y[i]) : 0.0; };
  std::vector<double> stellen;
  for (int i = 0; i + 1 < n; ++i) {
    if (!ok[i] || !ok[i + 1]) continue;
    const bool sprung = schritt(i) > 10 * std::max(schritt(i - 1), schritt(i + 1)) + 1e-12 * std::fabs(y[i]);
    if (sprung)
      stellen.push_back(sprungstelle(term, x[i], y[i], x[i + 1], y[i + 1]));
    else if (y[i] * y[i + 1] < 0)
      stellen.push_back(std::clamp(nullstelle(term, 200, 1e-12 * h, x[i], x[i + 1]), x[i], x[i + 1]));
  }
  return stellen;
}

struct Summen {
  double integral = 0, flaeche = 0, fehler = 0;
};

// Integral and area over the pieces between the split points of the check,
// each cut again at the sign changes of f - g.
Summen summieren(std::u16string_view term, const Integrierbarkeit& pruefung, double L) {
  int zaehler = 0;
  const Integrand f{term, 1e-9 * L, &zaehler};
  Summen s;
  const auto& st = pruefung.stellen;
  for (std::size_t i = 0; i + 1 < st.size(); ++i) {
    std::vector<double> punkte{st[i].x};
    for (const double r : teilpunkte(term, st[i].x, st[i + 1].x, L)) punkte.push_back(r);
    punkte.push_back(st[i + 1].x);
    for (std::size_t j = 0; j + 1 < punkte.size(); ++j) {
      if (!(punkte[j + 1] > punkte[j])) continue;
      const bool singulaer = (j == 0 && st[i].singulaer) || (j + 2 == punkte.size() && st[i + 1].singulaer);
      const Teil t = integrieren(f, punkte[j], punkte[j + 1], singulaer);
      s.integral += t.wert;
      s.flaeche += std::fabs(t.wert);
      s.fehler += t.fehler;
    }
  }
  // The sum itself rounds as well.
  s.fehler += 64 * std::numeric_limits<double>::epsilon() * s.flaeche;
  return s;
}

// The shown digits are right: the error is below a quarter of the last one and
// does not reach across a rounding boundary.
bool sicher(double wert, double fehler) {
  return std::isfinite(wert) && fehler < 0.0025 && z(wert - fehler) == z(wert + fehler);
}

std::u16string grund(const Hindernis& h, std::u16string_view name) {
  const std::u16string n(name);
  switch (h.art) {
    case Hindernisart::unbeschraenkt: return n + u" не ограничена около x = " + z(h.von);
    case Hindernisart::zugross:
      return n + u" превышает 10^10 на (" + z(h.von) + u" | " + z(h.bis) + u")";
    case Hindernisart::unlesbar: return n + u" не читается";
    case Hindernisart::unverfolgbar: return u"значения " + n + u" около x = " + z(h.von) + u" вне пределов вычисления";
    case Hindernisart::undefiniert:
      if (h.von == h.bis) return n + u" не определена около x = " + z(h.von);
      return n + u" не определена на (" + z(h.von) + u" | " + z(h.bis) + u")";
  }
  return {};
}

void keinezahl(std::u16string zeile, std::vector<std::u16string>& ergebnis) {
  integralwert = flaechenwert = keinwert;
  steuer.Label13 = steuer.Label15 = u"= \u2014";
  ergebnis.push_back(std::move(zeile));
}

}  // namespace

bool flaechenwerte(std::u16string_view f, std::u16string_view g, double a, double b,
                   std::vector<std::u16string>& ergebnis) {
  if (a == b) return true;
  const double lo = a < b ? a : b;
  const double hi = a < b ? b : a;
  const bool unter = g == u"0";
  const std::u16string name = unter ? u"f1" : u"f1-f2";
  const std::u16string term = std::u16string(f) + u"-(" + std::u16string(g) + u")";
  const std::u16string kopf = u"Интеграл " + name + u" от " + z(lo) + u" до " + z(hi);

  const Integrierbarkeit pruefung = integrierbarkeit(term, lo, hi);
  if (!pruefung.existiert()) {
    const Hindernis& h = pruefung.hindernisse.front();
    const bool unklar = h.art == Hindernisart::unverfolgbar || h.art == Hindernisart::zugross;
    keinezahl(kopf + (unklar ? u" не вычислен: " : u" не существует: ") + grund(h, name), ergebnis);
    return false;
  }
  Summen s;
  try {
    s = summieren(term, pruefung, hi - lo);
  } catch (const ZuTeuer&) {
    keinezahl(kopf + u" не вычислен: слишком много вычислений", ergebnis);
    return true;
  } catch (const std::exception&) {
    s.fehler = keinwert;
  }
  if (!sicher(s.integral, s.fehler) || !sicher(s.flaeche, s.fehler)) {
    keinezahl(kopf + u" не вычислен: точность двух знаков после запятой не достигнута", ergebnis);
    return true;
  }
  integralwert = s.integral;
  flaechenwert = s.flaeche;
  steuer.Label13 = u"= " + z(s.integral);
  steuer.Label15 = u"= " + z(s.flaeche);
  const std::u16string grenzen = z(lo) + u" | " + z(hi) + u")";
  ergebnis.push_back((unter ? u"Площадь под f1 между (" : u"Область между f1 и f2 между (") + grenzen);
  ergebnis.push_back(u"\t" + z(s.flaeche));
  ergebnis.push_back((unter ? u"Определенная интеграл f1 между (" : u"Определенная интеграл f1-f2 между (") +
                     grenzen);
  ergebnis.push_back(u"\t" + z(s.integral));
  return true;
}
