#include "untersuchung.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <optional>

#include "ergebniswerte.h"
#include "fktint.h"
#include "grenzwerte.h"
#include "suche.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double pi = std::numbers::pi;

std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }
std::u16string zahl(long long n) { return u16(std::to_string(n)); }

// ---- exact forms ----

// The families of forms, searched in this order so that the plainest one wins:
// integers and p/q, √(p/q), kπ/n, e^k. The bounds keep the forms ones a pupil
// knows; a match within 1e-12 relative among so few candidates is no accident.
constexpr long long nennergrenze = 12, zaehlergrenze = 100, piteiler = 12, pivielfach = 24, egrenze = 5;

bool gleich12(double v, double form) { return std::fabs(v - form) <= 1e-12 * std::max(1.0, std::fabs(form)); }

std::u16string bruch(long long p, long long q) { return q == 1 ? zahl(p) : zahl(p) + u"/" + zahl(q); }

// p/q or √(p/q) in lowest terms: the magnitude t of v or of v², with its text.
std::optional<std::pair<long long, long long>> rational(double t) {
  for (long long q = 1; q <= nennergrenze; ++q) {
    const double p = std::round(t * static_cast<double>(q));
    if (std::fabs(p) <= zaehlergrenze * static_cast<double>(q) && gleich12(t, p / static_cast<double>(q)) &&
        std::gcd(static_cast<long long>(p), q) == 1)
      return std::pair{static_cast<long long>(p), q};
  }
  return std::nullopt;
}

std::u16string vorzeichen(double v) { return v < 0 ? u"-" : u""; }

std::u16string form_rational(double v) {
  const auto r = rational(v);
  return r ? bruch(r->first, r->second) : std::u16string();
}

std::u16string form_wurzel(double v) {
  const auto r = rational(v * v);
  if (!r || r->first <= 0) return {};
  // A perfect square under the root is a rational and was tried before.
  const auto quadrat = [](long long n) {
    const auto w = static_cast<long long>(std::llround(std::sqrt(static_cast<double>(n))));
    return w * w == n;
  };
  if (quadrat(r->first) && quadrat(r->second)) return {};
  const std::u16string innen = r->second == 1 ? zahl(r->first) : u"(" + bruch(r->first, r->second) + u")";
  return vorzeichen(v) + u"√" + innen;
}

std::u16string form_pi(double v) {
  for (long long n = 1; n <= piteiler; ++n) {
    const double k = std::round(v * static_cast<double>(n) / pi);
    const auto kk = static_cast<long long>(k);
    if (kk == 0 || std::fabs(k) > pivielfach || std::gcd(kk, n) != 1 || !gleich12(v, k * pi / static_cast<double>(n)))
      continue;
    const long long betrag = kk < 0 ? -kk : kk;
    std::u16string t = vorzeichen(v) + (betrag == 1 ? u"" : zahl(betrag)) + u"π";
    return n == 1 ? t : t + u"/" + zahl(n);
  }
  return {};
}

std::u16string form_e(double v) {
  for (long long k = -egrenze; k <= egrenze; ++k) {
    if (k == 0 || !gleich12(v, std::exp(static_cast<double>(k)))) continue;
    const long long betrag = k < 0 ? -k : k;
    const std::u16string potenz = betrag == 1 ? u"e" : u"e^" + zahl(betrag);
    return k < 0 ? u"1/" + potenz : potenz;
  }
  return {};
}

// ---- values ----

struct Wert {
  double y;
  bool ok;  // status 0 and finite
};

Wert wert(std::u16string_view term, double x) {
  const double y = fktwert(term, x);
  return {y, fehlercode == wert_gueltig && std::isfinite(y)};
}

// Values agree when they differ by rounding noise of themselves or of the
// function's size on the range.
bool nah(double u, double v, double skala) {
  if (!std::isfinite(u) || !std::isfinite(v)) return false;
  return std::fabs(u - v) <= 1e-9 * (std::fabs(u) + std::fabs(v)) + 1e-12 * skala;
}
// Values differ beyond any doubt about rounding.
bool deutlichanders(double u, double v, double skala) {
  return std::fabs(u - v) > 1e-6 * (std::fabs(u) + std::fabs(v)) + 1e-9 * skala;
}

// ---- intervals ----

struct Intervall {
  double von, bis;
  bool vonzu, biszu;  // the end belongs to the interval
};

std::u16string grenztext(double v) {
  if (std::isinf(v)) return v > 0 ? u"+∞" : u"-∞";
  return z(v);
}

std::u16string intervalltext(const Intervall& i) {
  if (i.von == i.bis) return u"{" + z(i.von) + u"}";
  const bool vonzu = i.vonzu && std::isfinite(i.von), biszu = i.biszu && std::isfinite(i.bis);
  return (vonzu ? u"[" : u"(") + grenztext(i.von) + u"; " + grenztext(i.bis) + (biszu ? u"]" : u")");
}

std::u16string verbinden(const std::vector<std::u16string>& teile, std::u16string_view trenner) {
  if (teile.empty()) return u"нет";
  std::u16string t = teile.front();
  for (std::size_t i = 1; i < teile.size(); ++i) t += std::u16string(trenner) + teile[i];
  return t;
}

std::u16string intervallliste(const std::vector<Intervall>& liste, std::u16string_view trenner) {
  std::vector<std::u16string> teile;
  for (const Intervall& i : liste) teile.push_back(intervalltext(i));
  return verbinden(teile, trenner);
}

// Appends i, joined to the last interval where they meet at a point one of them holds.
void anfuegen(std::vector<Intervall>& liste, const Intervall& i) {
  if (!liste.empty() && liste.back().bis == i.von && (liste.back().biszu || i.vonzu)) {
    liste.back().bis = i.bis;
    liste.back().biszu = i.biszu;
  } else {
    liste.push_back(i);
  }
}

// ---- the stretches of the domain ----

// An end of a stretch: its x, whether f is defined there with the value the
// stretch runs into (zu), whether x is in the domain at all, and that value or
// the one-sided limit (±inf at a pole, NaN when unknown).
struct Ende {
  double x;
  bool zu, drin;
  double y;
};
// A stretch of [a, b] on which f is defined and continuous inside.
struct Stueck {
  Ende l, r;
};

// The state of one run, handed down.
struct Lauf {
  std::u16string_view term, d1, d2;
  double a = 0, b = 0;
  double skala = 1;                  // size of |f| on the range, for tolerances
  std::vector<Stueck> stuecke;
  // Points where f is defined with a value neither neighbouring stretch runs into.
  struct Punkt {
    double x, y;
  };
  std::vector<Punkt> einzelpunkte;
  bool stueckesicher = true;         // every stretch between the cut points is wholly defined or undefined
  std::vector<double> nullen, extrema, wende;
  bool punktesicher = true;          // the searches covered [a, b] and none ran full
  bool monotoniesicher = true;       // every part of every stretch is monotone or constant
  std::optional<double> periode;
  std::vector<std::u16string> zeilen;
};

// A cut point: a discontinuity or domain end, or an end of the range.
struct Schnitt {
  double x;
  bool definiert;
  double wert, links, rechts;
  bool pol = false;
};

// The ends of the range take what the discontinuity routine says about them,
// else the value there; the cut points inside come from the routine.
std::vector<Schnitt> schnitte(const Lauf& l, const std::vector<Unstetigkeit>& stellen) {
  const double breite = 1e-12 * std::max({1.0, std::fabs(l.a), std::fabs(l.b)});
  const auto rand = [&](double x) {
    const Wert w = wert(l.term, x);
    Schnitt s{x, w.ok, w.y, w.ok ? w.y : nan, w.ok ? w.y : nan};
    for (const Unstetigkeit& u : stellen)
      if (std::fabs(u.x - x) <= breite) s = {x, u.definiert, u.wert, u.links, u.rechts, u.art == Stellenart::pol};
    return s;
  };
  std::vector<Schnitt> s{rand(l.a)};
  for (const Unstetigkeit& u : stellen)
    if (u.x > l.a + breite && u.x < l.b - breite)
      s.push_back({u.x, u.definiert, u.wert, u.links, u.rechts, u.art == Stellenart::pol});
  s.push_back(rand(l.b));
  return s;
}

// The end of a stretch at cut point c, where f runs into `grenzwert`. A pole
// is never in the domain, whatever value the evaluator gives at its double.
// The end belongs to the stretch where f(c) is that limit, up to the error of
// a located limit (about 10^-8 of the function's size).
Ende ende(const Lauf& l, const Schnitt& c, double grenzwert) {
  const bool drin = c.definiert && !c.pol;
  const bool zu = drin && std::isfinite(grenzwert) &&
                  std::fabs(c.wert - grenzwert) <= 1e-6 * (std::fabs(c.wert) + std::fabs(grenzwert)) + 1e-8 * l.skala;
  return {c.x, zu, drin, zu ? c.wert : grenzwert};
}

// The stretches between cut points where f is defined. A stretch defined only
// in part means the routine missed a cut; then whatever builds on the stretches
// says it cannot tell.
void stueckebilden(Lauf& l, const std::vector<Unstetigkeit>& stellen) {
  const std::vector<Schnitt> s = schnitte(l, stellen);
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    const Schnitt& p = s[i];
    const Schnitt& q = s[i + 1];
    int definiert = 0;
    for (const double t : {0.25, 0.5, 0.75}) definiert += wert(l.term, p.x + t * (q.x - p.x)).ok;
    if (definiert == 0) continue;
    if (definiert < 3) l.stueckesicher = false;
    l.stuecke.push_back({ende(l, p, p.rechts), ende(l, q, q.links)});
  }
  for (const Schnitt& c : s) {
    if (!c.definiert || c.pol) continue;
    const bool gehoertzustueck = std::any_of(l.stuecke.begin(), l.stuecke.end(), [&c](const Stueck& t) {
      return (t.l.x == c.x && t.l.zu) || (t.r.x == c.x && t.r.zu);
    });
    if (!gehoertzustueck) l.einzelpunkte.push_back({c.x, c.wert});
  }
}

// Size of f on the range: the largest |f| among a few defined samples.
double groesse(std::u16string_view term, double a, double b) {
  double m = 0;
  for (int i = 0; i < 64; ++i) {
    const Wert w = wert(term, a + (b - a) * (i + 0.41421356) / 64);
    if (w.ok) m = std::max(m, std::fabs(w.y));
  }
  return m > 0 ? m : 1;
}

// ---- 2. domain ----

// The stretches joined across every cut point that belongs to the domain.
std::vector<Intervall> definitionsbereich(const Lauf& l) {
  std::vector<Intervall> d;
  for (const Stueck& s : l.stuecke) anfuegen(d, {s.l.x, s.r.x, s.l.drin, s.r.drin});
  return d;
}

// ---- 3. parity ----

// Pairs x, -x on the symmetric hull: a point defined on one side only breaks
// the symmetry of the domain; values decide within rounding. It can fail where
// f differs from a symmetric one by less than about 1e-9 of its size, or
// where the asymmetry hides between the 400 samples.
std::u16string paritaet(const Lauf& l) {
  const double m = std::max(std::fabs(l.a), std::fabs(l.b));
  constexpr int n = 200;
  int paare = 0;
  bool gerade = true, ungerade = true, nichtgerade = false, nichtungerade = false, asymmetrisch = false;
  const double skala = groesse(l.term, -m, m);
  for (int i = 0; i < n; ++i) {
    const double x = m * (i + 0.41421356) / n;
    const Wert p = wert(l.term, x), q = wert(l.term, -x);
    if (p.ok != q.ok) asymmetrisch = true;
    if (!p.ok || !q.ok) continue;
    ++paare;
    gerade = gerade && nah(p.y, q.y, skala);
    ungerade = ungerade && nah(p.y, -q.y, skala);
    nichtgerade = nichtgerade || deutlichanders(p.y, q.y, skala);
    nichtungerade = nichtungerade || deutlichanders(p.y, -q.y, skala);
  }
  if (const Wert null = wert(l.term, 0); null.ok && !nah(null.y, 0, skala)) {
    ungerade = false;
    nichtungerade = true;
  }
  if (asymmetrisch || (nichtgerade && nichtungerade)) return u"ни чётная, ни нечётная";
  if (paare == 0) return std::u16string(unbestimmt);
  if (gerade && ungerade) return u"чётная и нечётная";
  if (gerade) return u"чётная";
  if (ungerade) return u"нечётная";
  return std::u16string(unbestimmt);
}

// ---- 4. period ----

// Whether the term calls one of the periodic trigonometric functions (not an
// inverse or hyperbolic one).
bool trigonometrisch(std::u16string_view term) {
  for (const std::u16string_view name : {u"SIN", u"COS", u"TAN", u"COT", u"SEC", u"CSC"}) {
    for (std::size_t p = term.find(name); p != std::u16string_view::npos; p = term.find(name, p + 1)) {
      const bool arc = p >= 3 && term.substr(p - 3, 3) == u"ARC";
      const std::size_t e = p + name.size();
      const bool hyperbolisch = e < term.size() && term[e] == u'H';
      if (!arc && !hyperbolisch) return true;
    }
  }
  return false;
}

struct Periodenkandidat {
  double t;
  std::u16string text;
};

// kπ/n and p/q up to 24, smallest first: the periods of school functions.
std::vector<Periodenkandidat> periodenkandidaten() {
  std::vector<Periodenkandidat> k;
  for (long long n = 1; n <= piteiler; ++n)
    for (long long m = 1; m <= pivielfach; ++m)
      if (const double t = static_cast<double>(m) * pi / static_cast<double>(n); std::gcd(m, n) == 1 && t <= 24.0)
        k.push_back({t, form_pi(t)});
  for (long long q = 1; q <= 4; ++q)
    for (long long p = 1; p <= 24 * q; ++p)
      if (std::gcd(p, q) == 1) k.push_back({static_cast<double>(p) / static_cast<double>(q), bruch(p, q)});
  std::sort(k.begin(), k.end(), [](const auto& u, const auto& v) { return u.t < v.t; });
  return k;
}

// f(x + t) = f(x) at 97 points spread over the range and beyond.
bool periodisch(const Lauf& l, double t) {
  const double breite = std::max(l.b - l.a, 2 * t);
  for (int i = 0; i < 97; ++i) {
    const double x = l.a + breite * (i + 0.2360679775) / 97;
    const Wert p = wert(l.term, x), q = wert(l.term, x + t);
    if (p.ok != q.ok || (p.ok && !nah(p.y, q.y, l.skala))) return false;
  }
  return true;
}

bool konstant(const Lauf& l) {
  const Wert w0 = wert(l.term, l.a + 0.123 * (l.b - l.a));
  for (int i = 0; i < 64; ++i) {
    const Wert w = wert(l.term, l.a + (l.b - l.a) * (i + 0.41421356) / 64);
    if (w.ok != w0.ok || (w.ok && !nah(w.y, w0.y, l.skala))) return false;
  }
  return true;
}

// The smallest candidate that repeats f at every test point; a period that is
// no candidate is not found (the line is then left out), and a constant term
// has no least period.
std::optional<Periodenkandidat> periode(const Lauf& l) {
  if (!trigonometrisch(l.term) || konstant(l)) return std::nullopt;
  for (const Periodenkandidat& k : periodenkandidaten())
    if (periodisch(l, k.t)) return k;
  return std::nullopt;
}

// ---- 5., 6. intercepts ----

std::u16string yachse(const Lauf& l) {
  if (!(l.a <= 0 && 0 <= l.b)) return u"нет";
  const Wert w = wert(l.term, 0);
  return w.ok ? u"(0; " + zahlmitform(w.y) + u")" : u"нет";
}

std::u16string xachse(const Lauf& l) {
  if (!l.punktesicher) return std::u16string(unbestimmt);
  std::vector<std::u16string> teile;
  for (const double x : l.nullen) teile.push_back(zahlmitform(x));
  return verbinden(teile, u"; ");
}

// ---- parts of stretches ----

// A stretch cut at the points of one kind inside it; the inner cut points
// belong to both parts. A point a few units of rounding from an end (a zero
// at a domain end, bisected to the last defined double) is that end.
std::vector<Intervall> teilstuecke(const Stueck& s, const std::vector<double>& punkte) {
  std::vector<Intervall> t;
  double von = s.l.x;
  bool vonzu = s.l.zu;
  const double rand = 1e-9 * (s.r.x - s.l.x);
  for (const double p : punkte)
    if (p > s.l.x + rand && p < s.r.x - rand) {
      t.push_back({von, p, vonzu, true});
      von = p;
      vonzu = true;
    }
  t.push_back({von, s.r.x, vonzu, s.r.zu});
  return t;
}

constexpr int teilproben = 48;

// The samples inside an interval, evenly spread and off its ends.
std::vector<Wert> proben(const Lauf& l, const Intervall& i) {
  std::vector<Wert> w;
  for (int k = 0; k < teilproben; ++k) w.push_back(wert(l.term, i.von + (i.bis - i.von) * (k + 0.5) / teilproben));
  return w;
}

// +1, -1 or 0 when all signs agree, the neutral ones aside; NaN when they
// disagree, when all are neutral, or when a sample has no value.
constexpr int neutral = 2;
double einig(const std::vector<Wert>& w, const std::vector<int>& zeichen) {
  for (const Wert& v : w)
    if (!v.ok) return nan;
  const auto zahl = [&zeichen](int s) { return std::count(zeichen.begin(), zeichen.end(), s); };
  const auto alle = static_cast<std::ptrdiff_t>(zeichen.size()) - zahl(neutral);
  if (alle == 0) return nan;
  if (zahl(1) == alle) return 1;
  if (zahl(-1) == alle) return -1;
  if (zahl(0) == alle) return 0;
  return nan;
}

int zeichen(double d, double rausch) { return d > rausch ? 1 : d < -rausch ? -1 : 0; }

// The sign of a difference of values: exactly 0 is a constant (or straight)
// stretch; a difference within rounding noise (the flat tails of EXP(-X^2))
// decides nothing and is neutral. It can fail where f turns by less than the
// noise between samples, a turn the extremum search would miss as well.
int differenzzeichen(double d, double rausch) { return d == 0 ? 0 : std::fabs(d) <= rausch ? neutral : zeichen(d, rausch); }

// ---- 7. signs ----

// Each stretch is cut at the zeros inside it; a part's sign is that of its
// samples. It can fail where f crosses the axis between zeros the search
// missed and the samples do not see it; an undecided part makes both lines
// say so.
void vorzeichen(Lauf& l) {
  std::vector<Intervall> positiv, negativ;
  bool sicher = l.punktesicher && l.stueckesicher;
  for (const Stueck& s : l.stuecke) {
    for (Intervall i : teilstuecke(s, l.nullen)) {
      const std::vector<Wert> w = proben(l, i);
      std::vector<int> z;
      for (const Wert& v : w) z.push_back(zeichen(v.y, 0));
      const double art = einig(w, z);
      if (std::isnan(art)) sicher = false;
      if (!(art == 1 || art == -1)) continue;
      // Ends at a zero are open; an end of the stretch stays closed where f is non-zero.
      const auto ungleichnull = [&s](double x) {
        return (x == s.l.x && s.l.zu && s.l.y != 0) || (x == s.r.x && s.r.zu && s.r.y != 0);
      };
      i.vonzu = ungleichnull(i.von) && i.vonzu;
      i.biszu = ungleichnull(i.bis) && i.biszu;
      (art > 0 ? positiv : negativ).push_back(i);
    }
  }
  // A single defined point between stretches (SGN(X)+0,9999999 at 0) has its own sign.
  for (const Lauf::Punkt& p : l.einzelpunkte)
    if (p.y != 0) (p.y > 0 ? positiv : negativ).push_back({p.x, p.x, true, true});
  const auto vereint = [](std::vector<Intervall> v) {
    std::sort(v.begin(), v.end(), [](const Intervall& p, const Intervall& q) {
      return p.von < q.von || (p.von == q.von && p.bis < q.bis);
    });
    std::vector<Intervall> ergebnis;
    for (const Intervall& i : v) anfuegen(ergebnis, i);
    return intervallliste(ergebnis, u" ∪ ");
  };
  l.zeilen.push_back(u"f1 > 0 на: " + (sicher ? vereint(positiv) : std::u16string(unbestimmt)));
  l.zeilen.push_back(u"f1 < 0 на: " + (sicher ? vereint(negativ) : std::u16string(unbestimmt)));
}

// ---- 8. vertical asymptotes ----

// Poles, and domain ends where f runs off to infinity, as the discontinuity
// routine reports them.
std::u16string senkrechte(const Lauf& l, const std::vector<Unstetigkeit>& stellen) {
  if (!l.stueckesicher) return std::u16string(unbestimmt);
  std::vector<std::u16string> teile;
  for (const Unstetigkeit& u : stellen) {
    const bool unendlich = std::isinf(u.links) || std::isinf(u.rechts);
    if (u.x >= l.a && u.x <= l.b && (u.art == Stellenart::pol || unendlich)) teile.push_back(u"x = " + z(u.x));
  }
  return verbinden(teile, u"; ");
}

// ---- 9. asymptotes at infinity ----

// How f behaves towards one infinity, from samples at ±2^k up to 2^19, the
// last power of two inside the evaluator's range of x (10^6); values beyond
// its range of 10^10 count as growing without bound.
struct Verlauf {
  enum Art { fehlt, unklar, waagrecht, schraeg, keine } art;
  double m = 0, c = 0;
};

// Four samples to each doubling of x, so that the last few before a limit of
// the evaluator (the argument of EXP beyond 50) still lie close together.
constexpr int erstehochzahl = 0, letztehochzahl = 19 * 4;

// Power growth: |g| grows by at least a factor 2^0.2 for each doubling of x
// over the last `schritte` samples; power decay likewise.
constexpr double potenzschritt = 1.0352649238413776;  // 2^(0.2/4)
bool potenzwachstum(const std::vector<double>& g, std::size_t schritte = 20) {
  if (g.size() < schritte + 1) return false;
  for (std::size_t k = g.size() - schritte; k < g.size(); ++k)
    if (!(std::fabs(g[k]) >= potenzschritt * std::fabs(g[k - 1]))) return false;
  return true;
}
bool potenzabfall(const std::vector<double>& g) {
  constexpr std::size_t schritte = 20;
  if (g.size() < schritte + 1) return false;
  for (std::size_t k = g.size() - schritte; k < g.size(); ++k)
    if (!(std::fabs(g[k]) * potenzschritt <= std::fabs(g[k - 1]))) return false;
  return true;
}

// The last three differences of y (at x up to 2^19) are below 10^-4 of its
// size, and twenty times the largest of them, the rest of the way to the limit
// for any tail that shrinks by a factor 0.95 a step (x^-0.3) or faster, does
// not move the two decimals shown. Slower limits (1/ln x) are not taken for limits,
// and their lines say "не определено" rather than guess.
bool konvergiert(const std::vector<double>& y, double& grenze) {
  const std::size_t n = y.size();
  if (n < 4) return false;
  double groesste = 0;
  for (std::size_t k = n - 3; k < n; ++k) groesste = std::max(groesste, std::fabs(y[k] - y[k - 1]));
  if (!(groesste <= 1e-4 * (1 + std::fabs(y[n - 1])))) return false;
  grenze = y[n - 1];
  const double rest = 20 * groesste + 1e-9;
  return z(grenze - rest) == z(grenze + rest);
}

Verlauf verlauf(const Lauf& l, double richtung) {
  // A periodic function that is not constant has no limit.
  if (l.periode) return {Verlauf::keine};
  std::vector<double> x, y;
  bool uebergross = false;  // f itself left the evaluator's range of values
  int undefiniert = 0;      // samples in a row, up to the last, where f is undefined
  for (int k = erstehochzahl; k <= letztehochzahl; ++k) {
    const double t = richtung * std::exp2(k / 4.0);
    Wert w = wert(l.term, t);
    undefiniert = fehlercode == wert_undefiniert ? undefiniert + 1 : 0;
    // The evaluator also limits values that underflow (EXP of a large negative
    // number); a limited value that small is 0 for every digit shown.
    if (fehlercode == wert_begrenzt && std::fabs(w.y) <= 1e-12) w.ok = true;
    // The value limited to 10^10, or a part of the term limited (X^2 inside
    // SQRT(X^2+1)): the samples end there. The evaluator gives 10^10 also when
    // only a part overflowed, so the cap alone proves no growth of f.
    if (std::fabs(w.y) >= 0.999 * termwerte::grenze) uebergross = true;
    if (uebergross || (fehlercode == wert_begrenzt && !w.ok)) break;
    if (!w.ok) {
      x.clear();
      y.clear();
      continue;
    }
    x.push_back(t);
    y.push_back(w.y);
  }
  // The domain does not reach out that way (undefined from 2^14 on).
  if (undefiniert >= 4 * 6) return {Verlauf::fehlt};
  double grenzwert = 0;
  if (konvergiert(y, grenzwert)) return {Verlauf::waagrecht, 0, grenzwert};
  std::vector<double> steigung, achse, quotient;
  for (std::size_t k = 1; k < x.size(); ++k) {
    steigung.push_back((y[k] - y[k - 1]) / (x[k] - x[k - 1]));
    achse.push_back(y[k] - steigung.back() * x[k]);
  }
  for (std::size_t k = 0; k < x.size(); ++k) quotient.push_back(y[k] / x[k]);
  double m = 0, c = 0;
  if (konvergiert(steigung, m) && std::fabs(m) > 1e-6 && konvergiert(achse, c))
    return {Verlauf::schraeg, m, c};
  // Growing without bound like a power, or out of range while f/x grows:
  // no horizontal line; and no slanted one when f/x also grows like a power or
  // falls like one.
  if (uebergross && potenzwachstum(quotient, 12)) return {Verlauf::keine};
  if (potenzwachstum(y) && (potenzwachstum(quotient) || potenzabfall(quotient))) return {Verlauf::keine};
  return {Verlauf::unklar};
}

std::u16string richtungstext(double r) { return r > 0 ? u"+∞" : u"-∞"; }

std::u16string geradentext(double m, double c) {
  std::u16string t = u"y = ";
  const std::u16string mt = z(m);
  t += mt == u"1" ? u"x" : mt == u"-1" ? u"-x" : mt + u"x";
  if (z(c) != u"0") t += (c < 0 ? u" - " : u" + ") + z(std::fabs(c));
  return t;
}

void asymptoten(Lauf& l) {
  const Verlauf links = verlauf(l, -1), rechts = verlauf(l, 1);
  std::u16string waagrecht, schraeg;
  if (links.art == Verlauf::unklar || rechts.art == Verlauf::unklar) {
    waagrecht = schraeg = unbestimmt;
  } else {
    std::vector<std::u16string> w, s;
    if (links.art == Verlauf::waagrecht && rechts.art == Verlauf::waagrecht && z(links.c) == z(rechts.c)) {
      w.push_back(u"y = " + z(links.c) + u" при x → ±∞");
    } else {
      for (const auto& [v, r] : {std::pair{links, -1.0}, std::pair{rechts, 1.0}})
        if (v.art == Verlauf::waagrecht) w.push_back(u"y = " + z(v.c) + u" при x → " + richtungstext(r));
    }
    if (links.art == Verlauf::schraeg && rechts.art == Verlauf::schraeg &&
        geradentext(links.m, links.c) == geradentext(rechts.m, rechts.c)) {
      s.push_back(geradentext(links.m, links.c) + u" при x → ±∞");
    } else {
      for (const auto& [v, r] : {std::pair{links, -1.0}, std::pair{rechts, 1.0}})
        if (v.art == Verlauf::schraeg) s.push_back(geradentext(v.m, v.c) + u" при x → " + richtungstext(r));
    }
    waagrecht = verbinden(w, u"; ");
    schraeg = verbinden(s, u"; ");
  }
  l.zeilen.push_back(u"Горизонтальные асимптоты: " + waagrecht);
  l.zeilen.push_back(u"Наклонные асимптоты: " + schraeg);
}

// ---- 10., 11. monotonicity and curvature ----

// The parts of one stretch with their kind (+1, -1, 0 constant or straight).
struct Teil {
  Intervall i;
  double art;
};

// f over the part: every step between samples up, or every one down. The
// extremum search cuts the stretches, so a part that is neither (a turn the
// search missed, a constant piece beside a sloped one) is undecided.
double steigungsart(const Lauf& l, const Intervall& i) {
  const std::vector<Wert> w = proben(l, i);
  std::vector<int> z;
  for (std::size_t k = 1; k < w.size(); ++k) {
    const double rausch = 1e-12 * (std::fabs(w[k].y) + std::fabs(w[k - 1].y)) + 1e-14 * l.skala;
    z.push_back(differenzzeichen(w[k].y - w[k - 1].y, rausch));
  }
  return einig(w, z);
}

// The sign of the second differences of f over the part; noise-sized ones are straight.
double kruemmungsart(const Lauf& l, const Intervall& i) {
  const std::vector<Wert> w = proben(l, i);
  std::vector<int> z;
  for (std::size_t k = 1; k + 1 < w.size(); ++k) {
    const double rausch =
        1e-11 * (std::fabs(w[k - 1].y) + 2 * std::fabs(w[k].y) + std::fabs(w[k + 1].y)) + 1e-14 * l.skala;
    z.push_back(differenzzeichen(w[k - 1].y - 2 * w[k].y + w[k + 1].y, rausch));
  }
  return einig(w, z);
}

struct Zweilisten {
  std::vector<Intervall> plus, minus;
  bool sicher = true;
};

// The parts of every stretch sorted into the two lists, never joined across a
// cut point of the domain; neighbouring parts of a kind within a stretch join.
template <class Art>
Zweilisten einordnen(const Lauf& l, const std::vector<double>& punkte, Art art) {
  Zweilisten listen;
  for (const Stueck& s : l.stuecke) {
    std::vector<Intervall> plus, minus;
    for (const Intervall& i : teilstuecke(s, punkte)) {
      const double a = art(i);
      if (std::isnan(a)) listen.sicher = false;
      if (a == 1) anfuegen(plus, i);
      if (a == -1) anfuegen(minus, i);
    }
    listen.plus.insert(listen.plus.end(), plus.begin(), plus.end());
    listen.minus.insert(listen.minus.end(), minus.begin(), minus.end());
  }
  return listen;
}

std::vector<Intervall> sortiert(std::vector<Intervall> v) {
  std::sort(v.begin(), v.end(), [](const Intervall& p, const Intervall& q) { return p.von < q.von; });
  return v;
}

std::u16string punktliste(const Lauf& l, const std::vector<double>& punkte, bool mitart) {
  std::vector<std::u16string> teile;
  for (const double x : punkte) {
    const Wert w = wert(l.term, x);
    if (!w.ok) continue;
    std::u16string t = u"(" + zahlmitform(x) + u"; " + zahlmitform(w.y) + u")";
    if (mitart) t = (istminimum(l.term, l.d2, x) ? u"минимум " : u"максимум ") + t;
    teile.push_back(t);
  }
  return verbinden(teile, u"; ");
}

void monotonie(Lauf& l) {
  const Zweilisten z = einordnen(l, l.extrema, [&l](const Intervall& i) { return steigungsart(l, i); });
  l.monotoniesicher = z.sicher && l.punktesicher && l.stueckesicher;
  const std::u16string u(unbestimmt);
  l.zeilen.push_back(u"Возрастает на: " + (l.monotoniesicher ? intervallliste(sortiert(z.plus), u" и на ") : u));
  l.zeilen.push_back(u"Убывает на: " + (l.monotoniesicher ? intervallliste(sortiert(z.minus), u" и на ") : u));
  l.zeilen.push_back(u"Экстремумы: " + (l.punktesicher ? punktliste(l, l.extrema, true) : u));
}

// Cut at the inflection points; a stretch whose parts are still mixed (a kink,
// as at the minima of ABS(X^2-9)) is cut at its extrema as well.
void kruemmung(Lauf& l) {
  std::vector<double> schnitte = l.wende;
  const auto art = [&l](const Intervall& i) { return kruemmungsart(l, i); };
  Zweilisten z = einordnen(l, schnitte, art);
  if (!z.sicher) {
    schnitte.insert(schnitte.end(), l.extrema.begin(), l.extrema.end());
    std::sort(schnitte.begin(), schnitte.end());
    z = einordnen(l, schnitte, art);
  }
  const bool sicher = z.sicher && l.punktesicher && l.stueckesicher;
  const std::u16string u(unbestimmt);
  l.zeilen.push_back(u"Выпукла вниз на: " + (sicher ? intervallliste(sortiert(z.plus), u" и на ") : u));
  l.zeilen.push_back(u"Выпукла вверх на: " + (sicher ? intervallliste(sortiert(z.minus), u" и на ") : u));
  l.zeilen.push_back(u"Точки перегиба: " + (l.punktesicher ? punktliste(l, l.wende, false) : u));
}

// ---- 12. range ----

// On a stretch that is monotone between its extrema, f takes every value
// between the least and the greatest of its end values or limits and its
// extremum values; an end's value is taken where the end is closed.
std::optional<Intervall> bild(const Lauf& l, const Stueck& s) {
  struct Kandidat {
    double y;
    bool erreicht;
  };
  std::vector<Kandidat> k{{s.l.y, s.l.zu}, {s.r.y, s.r.zu}};
  for (const double x : l.extrema)
    if (x > s.l.x && x < s.r.x) k.push_back({wert(l.term, x).y, true});
  Intervall i{inf, -inf, false, false};
  for (const Kandidat& c : k) {
    if (std::isnan(c.y)) return std::nullopt;
    i.von = std::min(i.von, c.y);
    i.bis = std::max(i.bis, c.y);
  }
  for (const Kandidat& c : k) {
    i.vonzu = i.vonzu || (c.erreicht && nah(c.y, i.von, l.skala));
    i.biszu = i.biszu || (c.erreicht && nah(c.y, i.bis, l.skala));
  }
  return i;
}

// The images of the stretches joined where they overlap or meet at a value one holds.
std::u16string wertebereich(const Lauf& l) {
  if (!l.monotoniesicher || l.stuecke.empty()) return std::u16string(unbestimmt);
  std::vector<Intervall> bilder;
  for (const Stueck& s : l.stuecke) {
    const std::optional<Intervall> i = bild(l, s);
    if (!i) return std::u16string(unbestimmt);
    bilder.push_back(*i);
  }
  for (const Lauf::Punkt& p : l.einzelpunkte) bilder.push_back({p.y, p.y, true, true});
  bilder = sortiert(bilder);
  const auto gleich = [&l](double u, double v) { return u == v || nah(u, v, l.skala); };
  std::vector<Intervall> v{bilder.front()};
  for (std::size_t k = 1; k < bilder.size(); ++k) {
    Intervall& o = v.back();
    const Intervall& i = bilder[k];
    const bool ueberlappt = i.von < o.bis && !gleich(i.von, o.bis);
    const bool beruehrt = gleich(i.von, o.bis) && (i.vonzu || o.biszu);
    if (!ueberlappt && !beruehrt) {
      v.push_back(i);
      continue;
    }
    if (gleich(i.von, o.von)) o.vonzu = o.vonzu || i.vonzu;
    if (gleich(i.bis, o.bis)) {
      o.biszu = o.biszu || i.biszu;
    } else if (i.bis > o.bis) {
      o.bis = i.bis;
      o.biszu = i.biszu;
    }
  }
  return intervallliste(v, u" ∪ ");
}

// ---- the searches ----

// The searches run on the fields' range (a bound beyond 100 falls back to
// ±5); their points count only on [a, b], and a full list may lack points.
void punktesuchen(Lauf& l, const std::vector<Unstetigkeit>& stellen) {
  nullstellensuche();
  extremasuche(l.d1);
  if (l.d2.empty()) {
    wendepunktzahl = 0;
  } else {
    wendepunktsuche(l.d2, l.term);
  }
  l.punktesicher = std::fabs(l.a) <= 100 && std::fabs(l.b) <= 100 && nullstellenzahl < hoechstzahl &&
                   extremazahl < hoechstzahl && wendepunktzahl < hoechstzahl && !l.d2.empty();
  const double rand = 1e-12 * std::max({1.0, std::fabs(l.a), std::fabs(l.b)});
  // A point a rounding away from a place where f has no value (the "maximum"
  // of SIN(X)/X next to its hole at 0) is that place, and no point of f.
  const auto anleerstelle = [&](double x) {
    return std::any_of(stellen.begin(), stellen.end(), [&](const Unstetigkeit& u) {
      return (!u.definiert || u.art == Stellenart::pol) && std::fabs(x - u.x) <= 1e-9 * (l.b - l.a);
    });
  };
  const auto aufnehmen = [&](const double* liste, int zahl, std::vector<double>& ziel) {
    for (int i = 0; i < zahl; ++i)
      if (liste[i] >= l.a - rand && liste[i] <= l.b + rand && wert(l.term, liste[i]).ok && !anleerstelle(liste[i]))
        ziel.push_back(std::clamp(liste[i], l.a, l.b));
  };
  aufnehmen(nullstellenliste, nullstellenzahl, l.nullen);
  aufnehmen(extremaliste, extremazahl, l.extrema);
  aufnehmen(wendepunktliste, wendepunktzahl, l.wende);
}

}  // namespace

std::u16string exakteform(double v) {
  if (!std::isfinite(v) || v == 0) return {};
  // Two decimals that show v exactly need no form.
  if (gleich12(v, std::round(v * 100) / 100)) return {};
  for (const auto familie : {form_rational, form_wurzel, form_pi, form_e})
    if (std::u16string f = familie(v); !f.empty()) return f;
  return {};
}

std::u16string zahlmitform(double v) {
  const std::u16string f = exakteform(v);
  return f.empty() ? z(v) : z(v) + u" (" + f + u")";
}

std::vector<std::u16string> untersuchung(std::u16string_view term, std::u16string_view d1, std::u16string_view d2,
                                         double a, double b, std::vector<Unstetigkeit> stellen) {
  // A one-sided limit at the evaluator's cap of 10^10 is a value that grew out
  // of its range: f runs off to infinity there (1/X^2 at 0), a pole.
  for (Unstetigkeit& u : stellen) {
    for (double* g : {&u.links, &u.rechts})
      if (std::fabs(*g) >= 0.999 * termwerte::grenze) *g = std::copysign(inf, *g);
    if (std::isinf(u.links) && std::isinf(u.rechts)) u.art = Stellenart::pol;
  }
  Lauf l;
  l.term = term;
  l.d1 = d1;
  l.d2 = d2;
  l.a = a;
  l.b = b;
  l.zeilen.push_back(u"Исследование функции f1 на [" + z(a) + u"; " + z(b) + u"]");
  if (!(a < b)) {
    l.zeilen.push_back(u"Область определения: " + std::u16string(unbestimmt));
    return l.zeilen;
  }
  l.skala = groesse(term, a, b);
  stueckebilden(l, stellen);
  punktesuchen(l, stellen);
  l.zeilen.push_back(u"Область определения: " +
                     (l.stueckesicher ? intervallliste(definitionsbereich(l), u" ∪ ") : std::u16string(unbestimmt)));
  l.zeilen.push_back(u"Чётность: " + paritaet(l));
  if (const auto p = periode(l)) {
    l.periode = p->t;
    l.zeilen.push_back(u"Период: " + p->text);
  }
  l.zeilen.push_back(u"Пересечение с осью Oy: " + yachse(l));
  l.zeilen.push_back(u"Пересечения с осью Ox: " + xachse(l));
  vorzeichen(l);
  l.zeilen.push_back(u"Вертикальные асимптоты: " + senkrechte(l, stellen));
  asymptoten(l);
  monotonie(l);
  kruemmung(l);
  l.zeilen.push_back(u"Область значений: " + wertebereich(l));
  return l.zeilen;
}
