#include "unstetigkeiten.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

#include "fktint.h"
#include "grenzwerte.h"
#include "termbaum.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double unendlich = std::numeric_limits<double>::infinity();

// Samples of the scan over [a, b]; every step between two of them is tested.
constexpr int gitterschritte = 1000;
// Halvings of a step before it counts as a break: enough for the root-like
// rises at the ends of a domain to show that they shrink.
constexpr int analysestufen = 24;

// Doubles in their order as integers, so that bisecting the integers halves the
// number of doubles between two points: 64 steps reach neighbouring doubles anywhere.
std::int64_t rang(double x) {
  const auto i = std::bit_cast<std::int64_t>(x);
  return i < 0 ? std::numeric_limits<std::int64_t>::min() - i : i;
}
double ausrang(std::int64_t r) {
  return std::bit_cast<double>(r < 0 ? std::numeric_limits<std::int64_t>::min() - r : r);
}
double doppelmitte(double a, double b) {
  const std::int64_t ra = rang(a), rb = rang(b);
  return ausrang((ra >> 1) + (rb >> 1) + (ra & rb & 1));
}
// The halving of a step where it is about the shape of f: the middle by length
// for 60 halvings, which reaches neighbouring doubles unless the step spans very
// different magnitudes; then the middle by count.
double schrittmitte(double a, double b, int stufe) {
  const double m = 0.5 * a + 0.5 * b;
  return stufe < 60 && m != a && m != b ? m : doppelmitte(a, b);
}

// The evaluator status survives the extra evaluations of a test made while a curve is drawn.
struct statuswahrer {
  std::uint8_t alt = fehlercode;
  ~statuswahrer() { fehlercode = alt; }
};

struct probe {
  double x;
  double y;
  bool definiert;
};
probe auswerten(const Auswertung& f, double x) {
  probe p{x, 0, false};
  p.definiert = f(x, p.y);
  return p;
}

// ---------------------------------------------------------------- one-sided limits

// Values approaching x from one side at the distances h/2, h/4, ... (20 of them,
// before rounding noise of the term would swamp the differences), ending early
// where f is undefined or the distance vanishes next to x, and at a value the
// evaluator has cut to its limit: there f has grown beyond it.
struct annaeherung {
  std::vector<double> werte;
  bool begrenzt = false;
};
annaeherung annaehern(const Auswertung& f, double x, double seite, double h) {
  annaeherung a;
  for (int k = 1; k <= 20; ++k) {
    const double t = x + seite * std::ldexp(h, -k);
    if (t == x) break;
    double y;
    if (!f(t, y)) break;
    if (fehlercode == wert_begrenzt && std::fabs(y) == termwerte::grenze) {
      a.begrenzt = true;
      break;
    }
    a.werte.push_back(y);
  }
  return a;
}

struct grenzwert {
  double wert = nan;  // +-infinity when f grows beyond bounds, NaN when it has none
  bool schwingend = false;
};

// The limit the values tell: they settle when their differences shrink (geometric
// mean of the last ratios below 0.85; the tail of that series is added), and grow
// beyond bounds when the differences keep their sign and do not shrink (a
// logarithm's constant steps included). Anything else swings.
grenzwert grenzwertaus(const std::vector<double>& v) {
  if (v.empty()) return {};
  const std::size_t n = v.size();
  if (n < 4) return {v.back()};
  const std::size_t m = std::min<std::size_t>(8, n - 1);
  const double skala = std::max(1.0, std::fabs(v.back()));
  double logsumme = 0;
  int gleichesvorzeichen = 0, gezaehlt = 0;
  bool alleklein = true;
  const double letzte = v[n - 1] - v[n - 2];
  for (std::size_t k = n - m; k < n; ++k) {
    const double d = v[k] - v[k - 1];
    if (std::fabs(d) > 1e-13 * skala) alleklein = false;
    if ((d > 0) == (letzte > 0) && d != 0) ++gleichesvorzeichen;
    if (k > n - m) {
      const double vorher = std::fabs(v[k - 1] - v[k - 2]);
      if (vorher > 0 && d != 0) {
        logsumme += std::log(std::fabs(d) / vorher);
        ++gezaehlt;
      }
    }
  }
  if (alleklein) return {v.back()};
  const double verhaeltnis = gezaehlt ? std::exp(logsumme / gezaehlt) : 1;
  if (verhaeltnis < 0.85) return {v.back() + letzte * verhaeltnis / (1 - verhaeltnis)};
  if (gleichesvorzeichen == static_cast<int>(m)) {
    // Monotone: beyond bounds when moving away from 0 without slowing down, else
    // settling slowly (1/LN(X) at 0), where the last value is the best estimate.
    const bool wachsend = (letzte > 0) == (v.back() > 0) && std::fabs(v.back()) > std::fabs(v[n - m - 1]);
    if (wachsend && verhaeltnis >= 0.9) return {letzte > 0 ? unendlich : -unendlich};
    return {v.back()};
  }
  return {nan, true};
}

grenzwert einseitig(const Auswertung& f, double x, double seite, double h) {
  const annaeherung a = annaehern(f, x, seite, h);
  if (a.begrenzt && !a.werte.empty()) return {a.werte.back() > 0 ? unendlich : -unendlich};
  return grenzwertaus(a.werte);
}

bool endlich(double v) { return std::isfinite(v); }

// Two limits that agree within the accuracy their estimate has.
bool gleich(double a, double b) {
  return endlich(a) && endlich(b) && std::fabs(a - b) <= 1e-6 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

// ---------------------------------------------------------------- the scan

struct lauf {
  const Auswertung& f;
  double h;  // grid step: the scale of the approach to a place
  std::vector<Unstetigkeit> stellen;
};

// The place x between two sides with the limits l and r, f at x as given. No
// entry where f is continuous after all.
void einordnen(lauf& L, double x, grenzwert l, grenzwert r, bool definiert, double wert) {
  Unstetigkeit u{Stellenart::sprung, x, l.wert, r.wert, definiert, definiert ? wert : nan};
  u.schwingend = l.schwingend || r.schwingend;
  // An undefined side: an end of the domain, which the scan of definedness reports.
  if ((std::isnan(l.wert) && !l.schwingend) || (std::isnan(r.wert) && !r.schwingend)) return;
  if (std::isinf(l.wert) || std::isinf(r.wert)) {
    u.art = Stellenart::pol;
  } else if (u.schwingend) {
    // Bounded swinging is a jump-like break; unbounded swings show as growing values on some side.
    u.art = Stellenart::sprung;
  } else if (gleich(l.wert, r.wert)) {
    if (definiert && gleich(wert, l.wert)) return;
    u.art = Stellenart::luecke;
  }
  L.stellen.push_back(u);
}

// The roundest double of [l, r], the one with the most zero bits at the end of
// its significand (0 if it lies inside): where rounding leaves a break between
// or on several doubles, the term's own numbers (1, 3, 0) decide its place.
double rundeste(double l, double r) {
  if (l <= 0 && r >= 0) return 0;
  const bool negativ = r < 0;
  std::int64_t lo = rang(negativ ? -r : l), hi = rang(negativ ? -l : r);
  for (int k = 63; k > 0; --k) {
    const std::uint64_t maske = ~((std::uint64_t{1} << k) - 1);
    const auto kandidat = static_cast<std::int64_t>(static_cast<std::uint64_t>(hi) & maske);
    if (kandidat >= lo) {
      hi = kandidat;
      break;
    }
  }
  return negativ ? -ausrang(hi) : ausrang(hi);
}

// An end of the domain: `innen` defined, `aussen` not, on the side `seite` (+1:
// the undefined side is to the right).
void definitionsrand(lauf& L, double innen, double aussen) {
  const double d = letzterdefinierterpunkt(L.f, innen, aussen);
  const double seite = aussen > innen ? 1 : -1;
  const double u = std::nextafter(d, seite * unendlich);
  const grenzwert g = einseitig(L.f, d, -seite, L.h);
  double wert = 0;
  L.f(d, wert);
  // Where f grows beyond bounds towards the end, it is not defined at it: the end is the first undefined double.
  const bool amrand = !std::isinf(g.wert);
  Unstetigkeit e{Stellenart::definitionsrand, amrand ? d : u, nan, nan, amrand, amrand ? wert : nan};
  (seite > 0 ? e.links : e.rechts) = g.wert;
  e.schwingend = g.schwingend;
  L.stellen.push_back(e);
}

// Undefined points from `von` (undefined) on, between the defined samples l and
// r: a single undefined point is a place between two limits, a longer stretch
// has two ends.
void luecke(lauf& L, const probe& l, double von, const probe& r) {
  const double links = letzterdefinierterpunkt(L.f, l.x, von);
  const double rechts = letzterdefinierterpunkt(L.f, r.x, von);
  const double erster = std::nextafter(links, unendlich);
  const double letzter = std::nextafter(rechts, -unendlich);
  // A stretch too short to be a gap of the domain is where the evaluator's limits
  // cut off values growing without bound: one place, too.
  if (letzter - erster <= 1e-7 * L.h) {
    const double x = rundeste(erster, letzter);
    einordnen(L, x, einseitig(L.f, links, -1, L.h), einseitig(L.f, rechts, 1, L.h), false, 0);
    return;
  }
  definitionsrand(L, l.x, erster);
  definitionsrand(L, r.x, letzter);
}

// A step between defined samples that does not join: narrow it down to
// neighbouring doubles by the larger change, or to an undefined point.
void bruch(lauf& L, probe a, probe b) {
  for (int stufe = 0;; ++stufe) {
    const double mx = schrittmitte(a.x, b.x, stufe);
    if (mx == a.x || mx == b.x) break;
    const probe m = auswerten(L.f, mx);
    if (!m.definiert) return luecke(L, a, m.x, b);
    if (std::fabs(m.y - a.y) >= std::fabs(b.y - m.y))
      b = m;
    else
      a = m;
  }
  const double x = rundeste(a.x, b.x);
  const double wert = x == a.x ? a.y : b.y;
  einordnen(L, x, einseitig(L.f, a.x, -1, L.h), einseitig(L.f, b.x, 1, L.h), true, wert);
}

// ---------------------------------------------------------------- the term's denominators

// The texts of the term's divisors (and of the bases of powers with a negative
// number as exponent), as the term reader finds them; none where it cannot read
// the term. A hole lies where one of them is 0, and no sample need hit it.
std::vector<std::u16string> nenner(std::u16string_view term) {
  std::u16string text;
  for (const char16_t c : term)
    if (c != u' ') text += c == u',' ? u'.' : c;
  std::vector<termbaum::knoten> knoten;
  std::size_t arbeit = 0;
  termbaum::zerlegung z{knoten, arbeit, 1000000};
  if (termbaum::zutief(text) || termbaum::zerlegen(z, text) == termbaum::leer) return {};
  const auto stueck = [&](int n) { return text.substr(knoten[n].anfang, knoten[n].laenge); };
  // A denominator without X (a number, P, a constant function) has no zero to look for.
  const auto mitx = [&](int n) {
    std::vector<int> offen{n};
    while (!offen.empty()) {
      const termbaum::knoten& k = knoten[offen.back()];
      offen.pop_back();
      if (k.knotenart == termbaum::variable) return true;
      for (const int kind : {k.links, k.rechts, k.argument})
        if (kind != termbaum::leer) offen.push_back(kind);
    }
    return false;
  };
  std::vector<std::u16string> ergebnis;
  for (const termbaum::knoten& k : knoten) {
    if (k.knotenart == termbaum::quotient && mitx(k.rechts)) ergebnis.push_back(stueck(k.rechts));
    if (k.knotenart == termbaum::potenz && mitx(k.links) && fktwert(stueck(k.rechts), 0) < 0 &&
        fehlercode == wert_gueltig)
      ergebnis.push_back(stueck(k.links));
  }
  return ergebnis;
}

// Zeros of the denominator d on n steps from a: samples where d is 0, sign
// changes narrowed to neighbouring doubles, and touching zeros, where |d| has a
// small minimum between two samples, narrowed by golden-section search. Each
// zero adds the doubles at which d is 0, or the nearest ones.
void nennernullstellen(std::u16string_view d, double a, double h, int n, std::vector<double>& orte) {
  auto wert = [&](double x) {
    double y;
    return definiertan(d, x, y) ? y : nan;
  };
  std::vector<double> v(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) v[i] = wert(a + i * h);
  for (int i = 0; i <= n; ++i) {
    const double x = a + i * h;
    if (v[i] == 0) orte.push_back(x);
    if (i == n || !(v[i] * v[i + 1] < 0)) continue;
    double l = x, r = a + (i + 1) * h;
    const bool linksnegativ = v[i] < 0;
    for (;;) {
      const double m = doppelmitte(l, r);
      if (m == l || m == r) break;
      const double w = wert(m);
      if (w == 0) {
        l = r = m;
        break;
      }
      ((w < 0) == linksnegativ ? l : r) = m;
    }
    orte.push_back(l);
    if (r != l) orte.push_back(r);
  }
  for (int i = 1; i < n; ++i) {
    // A touching zero: |d| has a minimum at the sample, and the parabola through
    // the three samples reaches (about) 0 between them.
    const double m = std::fabs(v[i]), vl = std::fabs(v[i - 1]), vr = std::fabs(v[i + 1]);
    if (!(m > 0 && m <= vl && m <= vr && m < std::max(vl, vr) && v[i - 1] * v[i + 1] > 0)) continue;
    const double kruemmung = (vl + vr - 2 * m) / 2, neigung = (vr - vl) / 2;
    if (!(m - neigung * neigung / (4 * kruemmung) <= 0.01 * (std::max(vl, vr) - m))) continue;
    double l = a + (i - 1) * h, r = a + (i + 1) * h;
    constexpr double g = 0.3819660112501051;
    for (int k = 0; k < 100 && l < r; ++k) {
      const double x1 = l + g * (r - l), x2 = r - g * (r - l);
      if (std::fabs(wert(x1)) < std::fabs(wert(x2)))
        r = x2;
      else
        l = x1;
    }
    // The zero of a square is found only to about the root of the precision; the
    // roundest double near it is where the term's own numbers put it.
    const double x = rundeste(l - 1e-7 * h, r + 1e-7 * h);
    if (wert(x) == 0) orte.push_back(x);
  }
}

// Places at the zeros of the denominators: f undefined there, or different from its limits.
void nennerstellen(lauf& L, std::u16string_view term, double a, double b, int n) {
  std::vector<double> orte;
  for (const std::u16string& d : nenner(term)) nennernullstellen(d, a, (b - a) / n, n, orte);
  std::sort(orte.begin(), orte.end());
  orte.erase(std::unique(orte.begin(), orte.end()), orte.end());
  for (const double x : orte) {
    if (x < a || x > b) continue;
    double wert;
    const bool definiert = L.f(x, wert);
    einordnen(L, x, einseitig(L.f, x, -1, L.h), einseitig(L.f, x, 1, L.h), definiert, wert);
  }
}

// Scale of the values, for the tolerance of a join: the spread of the defined samples.
double werteskala(const std::vector<probe>& gitter) {
  double lo = unendlich, hi = -unendlich;
  for (const probe& p : gitter)
    if (p.definiert) lo = std::min(lo, p.y), hi = std::max(hi, p.y);
  return hi > lo ? hi - lo : 1;
}

void schritt(lauf& L, const probe& a, const probe& b, double toleranz, std::size_t& i,
             const std::vector<probe>& gitter) {
  if (a.definiert && b.definiert) {
    if (!stetigzwischen(L.f, a.x, a.y, b.x, b.y, toleranz, analysestufen)) bruch(L, a, b);
    return;
  }
  if (a.definiert && !b.definiert) {
    // Undefined from b on: up to the next defined sample it is one stretch (or a point).
    std::size_t j = i + 1;
    while (j < gitter.size() && !gitter[j].definiert) ++j;
    if (j < gitter.size() && j == i + 2) {
      luecke(L, a, b.x, gitter[j]);
    } else {
      definitionsrand(L, a.x, b.x);
      if (j < gitter.size()) definitionsrand(L, gitter[j].x, gitter[j - 1].x);
    }
    i = j - 1;
  }
}

// In increasing x, each place once: a break on a grid sample is found from both of its steps.
std::vector<Unstetigkeit> geordnet(std::vector<Unstetigkeit> stellen) {
  std::sort(stellen.begin(), stellen.end(), [](const Unstetigkeit& l, const Unstetigkeit& r) { return l.x < r.x; });
  const auto dieselbe = [](const Unstetigkeit& l, const Unstetigkeit& r) {
    return l.art == r.art && std::fabs(l.x - r.x) <= 2 * (std::nextafter(std::fabs(l.x), unendlich) - std::fabs(l.x));
  };
  stellen.erase(std::unique(stellen.begin(), stellen.end(), dieselbe), stellen.end());
  return stellen;
}

}  // namespace

Auswertung termauswertung(std::u16string_view term) {
  return [term](double x, double& y) { return definiertan(term, x, y); };
}

bool definiertan(std::u16string_view term, double x, double& wert) {
  wert = fktwert(term, x);
  return fehlercode != wert_undefiniert && fehlercode != term_unlesbar && std::isfinite(wert);
}

double letzterdefinierterpunkt(const Auswertung& f, double innen, double aussen) {
  const statuswahrer status;
  for (;;) {
    const double m = doppelmitte(innen, aussen);
    if (m == innen || m == aussen) return innen;
    double y;
    (f(m, y) ? innen : aussen) = m;
  }
}

bool stetigzwischen(const Auswertung& f, double x0, double y0, double x1, double y1, double toleranz, int stufen) {
  const statuswahrer status;
  const double anfang = std::fabs(y1 - y0);
  for (int k = 0;; ++k) {
    const double aenderung = std::fabs(y1 - y0);
    if (aenderung <= toleranz) return true;
    // Shrinking with the interval for ten halvings, up to a factor 16 for curvature.
    if (k >= 10 && aenderung <= anfang / 64) return true;
    if (k == stufen) return false;
    const double xm = schrittmitte(x0, x1, k);
    if (xm == x0 || xm == x1) return false;
    double ym;
    if (!f(xm, ym)) return false;
    if (std::fabs(ym - y0) >= std::fabs(y1 - ym))
      x1 = xm, y1 = ym;
    else
      x0 = xm, y0 = ym;
  }
}

std::vector<Unstetigkeit> bruchstellen(const Auswertung& f, double x0, double y0, double x1, double y1, double h) {
  const statuswahrer status;
  lauf L{f, h, {}};
  bruch(L, {x0, y0, true}, {x1, y1, true});
  return geordnet(std::move(L.stellen));
}

Unstetigkeit randstelle(const Auswertung& f, double innen, double aussen, double h) {
  const statuswahrer status;
  lauf L{f, h, {}};
  definitionsrand(L, innen, aussen);
  return L.stellen.front();
}

std::vector<Unstetigkeit> nennerstellen(std::u16string_view term, double a, double b, int schritte) {
  const statuswahrer status;
  if (!(a < b) || !std::isfinite(a) || !std::isfinite(b) || schritte < 1) return {};
  const Auswertung f = termauswertung(term);
  lauf L{f, (b - a) / schritte, {}};
  nennerstellen(L, term, a, b, schritte);
  return geordnet(std::move(L.stellen));
}

std::vector<Unstetigkeit> unstetigkeiten(std::u16string_view term, double a, double b) {
  const statuswahrer status;
  if (!(a < b) || !std::isfinite(a) || !std::isfinite(b)) return {};
  const Auswertung f = termauswertung(term);
  lauf L{f, (b - a) / gitterschritte, {}};
  std::vector<probe> gitter;
  gitter.reserve(gitterschritte + 1);
  for (int i = 0; i <= gitterschritte; ++i) gitter.push_back(auswerten(f, i == gitterschritte ? b : a + i * L.h));
  const double toleranz = 1e-12 * werteskala(gitter);
  // Undefined from the start: the first defined sample begins the domain.
  std::size_t i = 0;
  if (!gitter[0].definiert) {
    while (i < gitter.size() && !gitter[i].definiert) ++i;
    if (i == gitter.size()) return {};
    definitionsrand(L, gitter[i].x, gitter[i - 1].x);
  }
  for (; i + 1 < gitter.size(); ++i) schritt(L, gitter[i], gitter[i + 1], toleranz, i, gitter);
  nennerstellen(L, term, a, b, gitterschritte);
  return geordnet(std::move(L.stellen));
}
