#include "suche.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "fktint.h"
#include "steuerzustand.h"
#include "zahltext.h"

double nullstellenliste[listengroesse];
int nullstellenzahl = 0;
double extremaliste[listengroesse];
int extremazahl = 0;
double wendepunktliste[listengroesse];
int wendepunktzahl = 0;
double schnittpunktliste[listengroesse];
int schnittpunktzahl = 0;
double extremaschritt = 0;

namespace {

constexpr double eps = std::numeric_limits<double>::epsilon();

// Brent's method; relativ scales the stopping width with |b|.
double brent(std::u16string_view term, int iterationen, double relativ, double tol, double a0, double b0) {
  double a = a0, b = b0, c = 0, d = 0, e = 0;
  double fa = fktwert(term, a);
  double fb = fktwert(term, b);
  double fc = fb;
  for (int i = 0; i < iterationen; ++i) {
    if (fb * fc > 0) {
      c = a;
      fc = fa;
      d = b - a;
      e = d;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol1 = relativ * std::fabs(b) + 0.5 * tol;
    const double xm = 0.5 * (c - b);
    if (std::fabs(xm) <= tol1 || fb == 0) return b;
    if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
      const double s = fb / fa;
      double p, q;
      if (a == c) {
        p = 2 * xm * s;
        q = 1 - s;
      } else {
        q = fa / fc;
        const double r = fb / fc;
        p = s * (2 * xm * q * (q - r) - (b - a) * (r - 1));
        q = (q - 1) * (r - 1) * (s - 1);
      }
      if (p > 0) q = -q;
      p = std::fabs(p);
      const double m1 = 3 * xm * q - std::fabs(tol1 * q);
      const double m2 = std::fabs(e * q);
      if (2 * p < (m1 < m2 ? m1 : m2)) {
        e = d;
        d = p / q;
      } else {
        d = xm;
        e = d;
      }
    } else {
      d = xm;
      e = d;
    }
    a = b;
    fa = fb;
    if (std::fabs(d) > tol1)
      b += d;
    else
      b += xm > 0 ? std::fabs(tol1) : -std::fabs(tol1);
    fb = fktwert(term, b);
  }
  return b;
}

}  // namespace

double nullstelle(std::u16string_view term, int iterationen, double tol, double a0, double b0) {
  return brent(term, iterationen, 0.000006, tol, a0, b0);
}

namespace {

// Rounding noise of values of about magnitude m: a few dozen units in the last place.
double rauschen(double m) { return 64 * eps * m; }

// A change across r ± delta larger than this share of the local variation is a
// jump or a pole, not a continuous curve.
constexpr double sprunganteil = 1e-4;
// A sample is a touching-zero candidate only where |f| clearly dips below the
// samples two steps away (a V or a parabola dips to 1/3 or less, a cusp like
// SQRT(ABS(X)) to below 0.6; flat noise does not dip at all).
constexpr double eintauchanteil = 0.9;
// Refined points lie this close to the exact ones: near machine precision,
// with a floor for points at 0.
double endbreite(double x, double h) { return 4 * eps * std::fabs(x) + 1e-12 * std::fabs(h); }
// Distance for the continuity test: well beyond endbreite, far below a grid step.
double nachbarabstand(double x, double h) { return 8 * eps * std::fabs(x) + 1e-9 * std::fabs(h); }

// The samples of one scan, from the first defined sample to the first past b.
struct Raster {
  std::vector<double> x, y;
  std::vector<char> gueltig, undefiniert;  // status wert_gueltig; wert_undefiniert
  double h = 0;
  int n() const { return static_cast<int>(x.size()); }
  bool ok(int k) const { return k >= 0 && k < n() && gueltig[k]; }
};

bool ohne_wert(int status) { return status == wert_undefiniert || status == wert_begrenzt; }

// Leading samples without a value (undefined or limited) are skipped; an
// unreadable term or a break at the first sample (INT, HEAVISIDE) leaves the
// grid empty.
Raster abtasten(std::u16string_view term, double a, double b, int n) {
  Raster r;
  r.h = (b - a) / n;
  double x = a;
  double y = fktwert(term, x);
  while (ohne_wert(fehlercode) && x < b) {
    // The last undefined sample stays, so that a domain end before the first
    // defined one still lies between two samples.
    r.x.assign(1, x);
    r.y.assign(1, y);
    r.gueltig.assign(1, false);
    r.undefiniert.assign(1, fehlercode == wert_undefiniert);
    x += r.h;
    y = fktwert(term, x);
  }
  if (fehlercode != wert_gueltig) return Raster{};
  for (;;) {
    r.x.push_back(x);
    r.y.push_back(y);
    r.gueltig.push_back(fehlercode == wert_gueltig);
    r.undefiniert.push_back(fehlercode == wert_undefiniert);
    if (!(x <= b)) break;
    x += r.h;
    y = fktwert(term, x);
  }
  return r;
}

// One search: its term, grid and result list.
struct Suche {
  std::u16string_view term;
  Raster raster;
  double* liste;
  int& zahl;
  bool voll() const { return zahl >= hoechstzahl; }
  void aufnehmen(double x) {
    if (!voll()) liste[zahl++] = x;
  }
};

// Root of term between a and b, to full precision.
double eingrenzen(std::u16string_view term, double a, double b, double h) {
  return brent(term, 200, 2 * eps, 2 * eps * std::fabs(h), a, b);
}

// Golden-section search for the least value of g on [a, b].
template <class G>
double kleinstelle(G g, double a, double b, double h) {
  constexpr double k = 0.3819660112501051;  // 2 - golden ratio
  double c = a + k * (b - a), d = b - k * (b - a);
  double gc = g(c), gd = g(d);
  for (int i = 0; i < 200 && b - a > endbreite(std::max(std::fabs(a), std::fabs(b)), h); ++i) {
    if (gc <= gd) {
      b = d;
      d = c;
      gd = gc;
      c = a + k * (b - a);
      gc = g(c);
    } else {
      a = c;
      c = d;
      gc = gd;
      d = b - k * (b - a);
      gd = g(d);
    }
  }
  return gc <= gd ? c : d;
}

// g(x) = faktor · f(x), or |f(x)|; undefined values count as +infinity.
double zielwert(std::u16string_view term, double x, double faktor, bool betrag) {
  const Wert w = wert(term, x);
  if (!w.gueltig) return std::numeric_limits<double>::infinity();
  return betrag ? std::fabs(w.y) : faktor * w.y;
}

// True where term stays within sprunganteil·variation of fr at r ± delta.
bool stetig(std::u16string_view term, double r, double fr, double variation, double h) {
  const double d = nachbarabstand(r, h);
  for (const double x : {r - d, r + d}) {
    const Wert w = wert(term, x);
    if (!w.gueltig || !(std::fabs(w.y - fr) <= sprunganteil * variation)) return false;
  }
  return true;
}

// +1 when f at x ± s lies clearly above fx (a minimum), -1 when clearly below,
// 0 when not clear or not defined.
int seite(std::u16string_view term, double x, double fx, double s) {
  const Wert l = wert(term, x - s);
  const Wert r = wert(term, x + s);
  if (!l.gueltig || !r.gueltig) return 0;
  const auto klar = [fx](double y) { return std::fabs(y - fx) > rauschen(std::max(std::fabs(y), std::fabs(fx))); };
  if (!klar(l.y) || !klar(r.y)) return 0;
  if (l.y > fx && r.y > fx) return 1;
  if (l.y < fx && r.y < fx) return -1;
  return 0;
}

// ---- zeros and intersections ----

// A zero without a sign change has nothing but its values to prove it: |f| must
// fall towards r the way it falls into a zero (at a kink, a cusp or a double
// root), not level off at a small minimum above the axis.
bool faellt_auf_null(std::u16string_view term, double r, double fr, double h) {
  const double d = 1e-4 * std::fabs(h) + 8 * eps * std::fabs(r);
  const Wert l = wert(term, r - d), rechts = wert(term, r + d);
  return l.gueltig && rechts.gueltig && std::fabs(fr) <= 1e-3 * std::min(std::fabs(l.y), std::fabs(rechts.y));
}

// A zero at r, with skala the size of the samples around it: defined and
// continuous there, and |f(r)| small against skala, or for a zero without a sign
// change (beruehrend) falling into 0.
bool nullbestaetigt(std::u16string_view term, double r, double skala, bool beruehrend, double h) {
  const Wert w = wert(term, r);
  if (!w.gueltig) return false;
  const bool null = beruehrend ? faellt_auf_null(term, r, w.y, h) : std::fabs(w.y) <= sprunganteil * skala;
  return null && stetig(term, r, 0, skala, h);
}

void vorzeichenwechsel(Suche& s, int k) {
  const Raster& g = s.raster;
  if (!g.ok(k) || !g.ok(k + 1) || !(g.y[k] * g.y[k + 1] < 0)) return;
  const double r = eingrenzen(s.term, g.x[k], g.x[k + 1], g.h);
  const double skala = std::max(std::fabs(g.y[k]), std::fabs(g.y[k + 1]));
  if (nullbestaetigt(s.term, r, skala, false, g.h)) s.aufnehmen(r);
}

// A sample that is exactly 0 between nonzero neighbours.
void nullprobe(Suche& s, int k) {
  const Raster& g = s.raster;
  if (!g.ok(k - 1) || !g.ok(k) || !g.ok(k + 1) || g.y[k] != 0 || g.y[k - 1] == 0 || g.y[k + 1] == 0) return;
  const double skala = std::max(std::fabs(g.y[k - 1]), std::fabs(g.y[k + 1]));
  if (nullbestaetigt(s.term, g.x[k], skala, true, g.h)) s.aufnehmen(g.x[k]);
}

bool taucht_ein(const Raster& g, int k, int j) {
  return !g.ok(j) || std::fabs(g.y[k]) <= eintauchanteil * std::fabs(g.y[j]);
}

// A local minimum of |f| without a sign change that reaches 0.
void beruehrung(Suche& s, int k) {
  const Raster& g = s.raster;
  if (!g.ok(k - 1) || !g.ok(k) || !g.ok(k + 1)) return;
  if (!(g.y[k - 1] * g.y[k] > 0) || !(g.y[k] * g.y[k + 1] > 0)) return;
  if (!(std::fabs(g.y[k - 1]) > std::fabs(g.y[k])) || !(std::fabs(g.y[k + 1]) >= std::fabs(g.y[k]))) return;
  if (!taucht_ein(g, k, k - 2) || !taucht_ein(g, k, k + 2)) return;
  const auto betrag = [&s](double x) { return zielwert(s.term, x, 1, true); };
  const double r = kleinstelle(betrag, g.x[k - 1], g.x[k + 1], g.h);
  const double skala = std::max(std::fabs(g.y[k - 1]), std::fabs(g.y[k + 1]));
  if (nullbestaetigt(s.term, r, skala, true, g.h)) s.aufnehmen(r);
}

// Where the domain ends between samples k and k+1 (one defined, one undefined),
// the last defined point, found by bisection.
void definitionsrand(Suche& s, int k) {
  const Raster& g = s.raster;
  if (k + 1 >= g.n()) return;
  int innen;
  if (g.ok(k) && g.undefiniert[k + 1])
    innen = k;
  else if (g.ok(k + 1) && g.undefiniert[k])
    innen = k + 1;
  else
    return;
  double drinnen = g.x[innen], draussen = g.x[innen == k ? k + 1 : k];
  for (int i = 0; i < 200 && std::fabs(draussen - drinnen) > endbreite(drinnen, g.h); ++i) {
    const double m = 0.5 * (drinnen + draussen);
    (wert(s.term, m).gueltig ? drinnen : draussen) = m;
  }
  // Only the inner side exists: the value at the end must vanish against the
  // samples next to it, and the curve must run continuously into it.
  const int weiter = innen == k ? k - 1 : k + 2;
  const double skala = std::max(std::fabs(g.y[innen]), g.ok(weiter) ? std::fabs(g.y[weiter]) : 0.0);
  const Wert w = wert(s.term, drinnen);
  const double d = nachbarabstand(drinnen, g.h) * (drinnen < draussen ? -1 : 1);
  const Wert nah = wert(s.term, drinnen + d);
  if (w.gueltig && nah.gueltig && std::fabs(w.y) <= 1e-6 * skala && std::fabs(nah.y) <= sprunganteil * skala)
    s.aufnehmen(drinnen);
}

void nullstellen_im_raster(Suche& s) {
  for (int k = 0; k < s.raster.n() && !s.voll(); ++k) {
    nullprobe(s, k);
    beruehrung(s, k);
    vorzeichenwechsel(s, k);
    definitionsrand(s, k);
  }
}

// ---- extrema ----

// +1 for a minimum among the samples around k, -1 for a maximum, 0 for none. An
// equal right neighbour still counts, so a turn halfway between samples is kept;
// the samples two steps away must lie beyond rounding noise.
int wende(const Raster& g, int k) {
  if (!g.ok(k - 1) || !g.ok(k) || !g.ok(k + 1)) return 0;
  int art = 0;
  if (g.y[k - 1] > g.y[k] && g.y[k + 1] >= g.y[k]) art = 1;
  if (g.y[k - 1] < g.y[k] && g.y[k + 1] <= g.y[k]) art = -1;
  for (const int j : {k - 2, k + 2}) {
    if (art == 0 || !g.ok(j)) continue;
    const double abstand = art * (g.y[j] - g.y[k]);
    if (!(abstand > rauschen(std::max(std::fabs(g.y[j]), std::fabs(g.y[k]))))) art = 0;
  }
  return art;
}

// The turn between a and b: the sign change of d1 when d1 brackets one and its
// root is at least as extreme as the sample yk; otherwise a golden-section search.
double extremum_verfeinern(const Suche& s, std::u16string_view d1, double a, double b, double yk, int art) {
  const double h = s.raster.h;
  if (!d1.empty()) {
    const Wert da = wert(d1, a), db = wert(d1, b);
    if (da.gueltig && db.gueltig && da.y * db.y <= 0) {
      const double r = eingrenzen(d1, a, b, h);
      const Wert w = wert(s.term, r);
      if (w.gueltig && art * (yk - w.y) >= -rauschen(std::fabs(yk))) return r;
    }
  }
  const auto ziel = [&s, art](double x) { return zielwert(s.term, x, art, false); };
  return kleinstelle(ziel, a, b, h);
}

// An extremum at r: defined, at least as extreme as the turn sample, continuous
// (no jump or pole), and clearly beyond f three grid steps either side.
bool extremum_bestaetigt(const Suche& s, double r, int k, int art) {
  const Raster& g = s.raster;
  const Wert w = wert(s.term, r);
  if (!w.gueltig) return false;
  if (art * (g.y[k] - w.y) < -rauschen(std::max(std::fabs(g.y[k]), std::fabs(w.y)))) return false;
  const double variation = std::max(std::fabs(g.y[k] - g.y[k - 1]), std::fabs(g.y[k + 1] - g.y[k]));
  return stetig(s.term, r, w.y, variation, g.h) && seite(s.term, r, w.y, 3 * g.h) == art;
}

void extrema_im_raster(Suche& s, std::u16string_view d1) {
  const Raster& g = s.raster;
  for (int k = 1; k + 1 < g.n() && !s.voll(); ++k) {
    const int art = wende(g, k);
    if (art == 0) continue;
    const double r = extremum_verfeinern(s, d1, g.x[k - 1], g.x[k + 1], g.y[k], art);
    if (extremum_bestaetigt(s, r, k, art)) s.aufnehmen(r);
  }
}

// ---- inflection points ----

// The curvature of term really changes sign near m: the second differences one
// grid step left and right of m (beyond the half step that separates m from the
// point) have opposite signs and exceed rounding noise. Returns the variation of
// f around m for the continuity test, 0 when there is no change.
double kruemmungswechsel(std::u16string_view term, double m, double h) {
  double f[5];
  for (int i = 0; i < 5; ++i) {
    const Wert w = wert(term, m + (i - 2) * h);
    if (!w.gueltig) return 0;
    f[i] = w.y;
  }
  const double links = f[0] - 2 * f[1] + f[2];
  const double rechts = f[2] - 2 * f[3] + f[4];
  const auto deutlich = [](double d, double a, double b, double c) {
    return std::fabs(d) > rauschen(std::fabs(a) + 2 * std::fabs(b) + std::fabs(c));
  };
  if (!(links * rechts < 0) || !deutlich(links, f[0], f[1], f[2]) || !deutlich(rechts, f[2], f[3], f[4])) return 0;
  return std::max({std::fabs(f[1] - f[2]), std::fabs(f[3] - f[2]), std::fabs(f[0] - f[2]), std::fabs(f[4] - f[2])});
}

// The slopes just left and right of r agree: a corner (ABS(X^2-9) at 3) turns the
// curvature too but is no inflection point. The distance is wide enough that
// rounding noise of f does not blur the slopes.
bool ohne_knick(std::u16string_view term, double r, double fr, double h) {
  const double d = 1e-4 * std::fabs(h) + 8 * eps * std::fabs(r);
  const Wert l = wert(term, r - d), rechts = wert(term, r + d);
  if (!l.gueltig || !rechts.gueltig) return false;
  const double links_anstieg = fr - l.y, rechts_anstieg = rechts.y - fr;
  const double groesse = std::max(std::fabs(links_anstieg), std::fabs(rechts_anstieg));
  return std::fabs(rechts_anstieg - links_anstieg) <= 0.01 * groesse + rauschen(std::fabs(fr));
}

// d2 changes sign between a and b (or is 0 at a = b): refine and check.
void wendung(Suche& s, std::u16string_view term, double a, double b, double skala) {
  const double h = s.raster.h;
  if (term.empty()) {
    const double r = a == b ? a : eingrenzen(s.term, a, b, h);
    if (nullbestaetigt(s.term, r, skala, false, h)) s.aufnehmen(r);
    return;
  }
  const double variation = kruemmungswechsel(term, 0.5 * (a + b), h);
  if (variation == 0) return;
  const double r = a == b ? a : eingrenzen(s.term, a, b, h);
  const Wert w = wert(term, r);
  if (w.gueltig && stetig(term, r, w.y, variation, h) && ohne_knick(term, r, w.y, h)) s.aufnehmen(r);
}

void wendepunkte_im_raster(Suche& s, std::u16string_view term) {
  const Raster& g = s.raster;
  for (int k = 0; k < g.n() && !s.voll(); ++k) {
    if (g.ok(k - 1) && g.ok(k) && g.ok(k + 1) && g.y[k] == 0 && g.y[k - 1] * g.y[k + 1] < 0)
      wendung(s, term, g.x[k], g.x[k], std::max(std::fabs(g.y[k - 1]), std::fabs(g.y[k + 1])));
    if (!s.voll() && g.ok(k) && g.ok(k + 1) && g.y[k] * g.y[k + 1] < 0)
      wendung(s, term, g.x[k], g.x[k + 1], std::max(std::fabs(g.y[k]), std::fabs(g.y[k + 1])));
  }
}

// ---- common set-up ----

// Range of a search: the fields widened by 0.0001; a bound beyond 100 falls back.
void suchbereich(double& a, double& b) {
  const double von = editwert(steuer.ed_von);
  const double bis = editwert(steuer.ed_bis);
  P = editwert(steuer.ed_parameter);
  a = von - 0.0001;
  b = bis + 0.0001;
  if (std::fabs(a) > 100) a = -5.0001;
  if (std::fabs(b) > 100) b = 5.0001;
}

template <class Durchlauf>
void suche(std::u16string_view term, int n, double* liste, int& zahl, Durchlauf durchlauf,
           double* schritt = nullptr) {
  double a, b;
  suchbereich(a, b);
  zahl = 0;
  if (term.empty()) return;
  if (schritt) *schritt = (b - a) / n;
  Suche s{term, abtasten(term, a, b, n), liste, zahl};
  durchlauf(s);
}

}  // namespace

void nullstellensuche() {
  suche(steuer.ed_f1, 1000, nullstellenliste, nullstellenzahl, nullstellen_im_raster);
}

void extremasuche(std::u16string_view d1) {
  suche(steuer.ed_f1, 2500, extremaliste, extremazahl, [d1](Suche& s) { extrema_im_raster(s, d1); },
        &extremaschritt);
}

void wendepunktsuche(std::u16string_view d2, std::u16string_view term) {
  suche(d2, 1000, wendepunktliste, wendepunktzahl, [term](Suche& s) { wendepunkte_im_raster(s, term); });
}

void schnittpunktsuche(std::vector<std::u16string>& ergebnis) {
  ergebnis.push_back(u"Точки пересечения между f1 и f2");
  ergebnis.push_back(u"Функция f2: Y = " + steuer.ed_f2);
  const std::u16string term = steuer.ed_f1 + u"-(" + steuer.ed_f2 + u")";
  suche(term, 1000, schnittpunktliste, schnittpunktzahl, nullstellen_im_raster);
}

bool istminimum(std::u16string_view term, std::u16string_view d2, double x) {
  // Three grid steps reach past the one or two steps a coarse refinement may be off.
  const double s = extremaschritt != 0 ? 3 * std::fabs(extremaschritt) : 0.01;
  const Wert mitte = wert(term, x);
  const int art = mitte.gueltig ? seite(term, x, mitte.y, s) : 0;
  if (art != 0) return art > 0;
  if (d2.empty()) return false;
  const Wert k = wert(d2, x);
  return k.gueltig && k.y > 0;
}
