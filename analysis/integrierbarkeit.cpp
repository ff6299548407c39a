#include "integrierbarkeit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "fktint.h"
#include "kurzezahl.h"
#include "suche.h"

namespace {

constexpr int schritte = 1000;
// Suspicious grid steps refined at most, the steepest first.
constexpr std::size_t hoechstkandidaten = 64;
// |f| growing like |x - c|^-p diverges for p >= 1; measured between two
// distances only, a growth this close to 1 counts as divergent already.
constexpr double grenzexponent = 0.97;
// A grid maximum of |f| this far above its neighbours two steps away may hide a
// pole between the samples (a smooth maximum rises by far less).
constexpr double spitzenanteil = 1.2;

enum class Lage { wert, ohne, zugross, unlesbar };

struct Probe {
  double y;
  Lage lage;
  bool hatwert() const { return lage == Lage::wert; }
};

Probe probe(std::u16string_view term, double x) {
  const double y = fktwert(term, x);
  switch (fehlercode) {
    case wert_gueltig:
    case kurve_unterbrochen:  // a jump: the value is there
      return {y, std::isfinite(y) ? Lage::wert : Lage::ohne};
    case wert_begrenzt: return {y, Lage::zugross};
    case term_unlesbar: return {y, Lage::unlesbar};
    default: return {y, Lage::ohne};
  }
}

// How |f| behaves towards c from side s (+1 right, -1 left), measured from five
// to ten decades of the interval's length L away from c.
struct Verhalten {
  bool ohnewert = false;    // no value right beside c
  bool waechst = false;     // |f| grows towards c
  bool divergiert = false;  // too fast for an integral
  bool abgebrochen = false; // grows, and the evaluator has no values closer to c
};

Verhalten verhalten(std::u16string_view term, double c, int s, double L) {
  const double naechste = 64 * std::numeric_limits<double>::epsilon() * std::fabs(c);
  double t = 1e-5 * L;
  const Probe nah = probe(term, c + s * t);
  if (nah.lage == Lage::zugross) return {false, true, true, false};
  if (!nah.hatwert()) return {true, false, false, false};
  // Closer decade by decade down to 1e-10 L; the growth of the last decade decides.
  double y1 = std::fabs(nah.y), y2 = y1, anfang = y1;
  for (int k = 0; k < 5; ++k) {
    const double tn = std::max(0.1 * t, naechste);
    if (tn >= t) break;
    const Probe q = probe(term, c + s * tn);
    if (q.lage == Lage::zugross) return {false, true, true, false};
    if (!q.hatwert()) return {false, true, false, true};  // the evaluator's own limits end here
    y1 = y2;
    y2 = std::fabs(q.y);
    t = tn;
  }
  Verhalten v;
  v.waechst = y2 > 1.25 * anfang && y2 > 0;
  v.divergiert = v.waechst && y1 > 0 && std::log10(y2 / y1) >= grenzexponent;
  return v;
}

// A point of a message or a split: the short decimal it stands for, if any.
double gerundet(double c, double breite) { return kurzezahl(c - breite, c + breite).value_or(c); }

struct Pruefung {
  std::u16string_view term;
  double a, b, L, h;
  std::vector<double> x;
  std::vector<Probe> p;
  Integrierbarkeit e;

  int n() const { return static_cast<int>(x.size()) - 1; }

  // The last point with a value between drinnen (with one) and draussen (without).
  double grenze(double drinnen, double draussen) const {
    for (int i = 0; i < 200 && std::fabs(draussen - drinnen) > endbreite(drinnen, h); ++i) {
      const double m = 0.5 * (drinnen + draussen);
      (probe(term, m).hatwert() ? drinnen : draussen) = m;
    }
    return gerundet(drinnen, 2 * endbreite(drinnen, h));
  }

  void hindernis(Hindernisart art, double von, double bis) { e.hindernisse.push_back({art, von, bis}); }

  // A single point c inside, or an end with only the inner side (seite).
  void punkt(double c, int seite = 0) {
    Verhalten v[2];
    int zahl = 0;
    for (const int s : {-1, 1})
      if (seite == 0 || s == seite) v[zahl++] = verhalten(term, c, s, L);
    bool waechst = false;
    for (int i = 0; i < zahl; ++i) {
      if (v[i].ohnewert) return hindernis(Hindernisart::undefiniert, gerundet(c, 1e-9 * L), gerundet(c, 1e-9 * L));
      if (v[i].divergiert)
        return hindernis(Hindernisart::unbeschraenkt, gerundet(c, 1e-9 * L), gerundet(c, 1e-9 * L));
      if (v[i].abgebrochen)
        return hindernis(Hindernisart::unverfolgbar, gerundet(c, 1e-9 * L), gerundet(c, 1e-9 * L));
      waechst = waechst || v[i].waechst;
    }
    const bool ohne = !probe(term, c).hatwert();
    // A split at the short decimal the point stands for, if any (0 rather than 1e-17).
    if (seite != 0 || waechst || ohne) e.stellen.push_back({seite != 0 ? c : gerundet(c, 2 * endbreite(c, h)), waechst || ohne});
  }

  // The point of [lo, hi] where |f| is largest, a point without a value first.
  double spitze(double lo, double hi) const {
    const auto ziel = [this](double t) {
      const Probe q = probe(term, t);
      return q.hatwert() ? -std::fabs(q.y) : -std::numeric_limits<double>::infinity();
    };
    return kleinstelle(ziel, lo, hi, h);
  }

  double betrag(int k) const { return k >= 0 && k <= n() && p[k].hatwert() ? std::fabs(p[k].y) : 0; }

  // Runs of samples without a value: one or two samples around a single point,
  // else a stretch.
  void luecken(std::vector<double>& kandidaten, bool& amanfang, bool& amende) {
    const double d = 1e-3 * h;
    for (int k = 0; k <= n();) {
      if (p[k].hatwert()) {
        ++k;
        continue;
      }
      int j = k;
      while (j < n() && !p[j + 1].hatwert()) ++j;
      // Beside a single point the term has values again, or grows past the limit (a pole).
      const auto beiwert = [this](double t) { return probe(term, t).lage != Lage::ohne; };
      const bool einzeln = j - k <= 1 && (k == 0 || beiwert(x[k] - d)) && (j == n() || beiwert(x[j] + d));
      if (einzeln) {
        if (k > 0 && j < n()) kandidaten.push_back(spitze(x[k - 1], x[j + 1]));
      } else {
        bool alle_zugross = true;
        for (int i = k; i <= j; ++i) alle_zugross = alle_zugross && p[i].lage == Lage::zugross;
        const double von = k == 0 ? a : grenze(x[k - 1], x[k]);
        const double bis = j == n() ? b : grenze(x[j + 1], x[j]);
        hindernis(alle_zugross ? Hindernisart::zugross : Hindernisart::undefiniert, von, bis);
        if (k == 0) amanfang = false;
        if (j == n()) amende = false;
      }
      k = j + 1;
    }
  }

  // Grid maxima of |f| clearly above the samples two steps away.
  void spitzen(std::vector<double>& kandidaten) {
    std::vector<std::pair<double, int>> stellen;
    for (int k = 1; k < n(); ++k) {
      if (!p[k - 1].hatwert() || !p[k].hatwert() || !p[k + 1].hatwert()) continue;
      const double y = std::fabs(p[k].y);
      if (y >= betrag(k - 1) && y >= betrag(k + 1) && y > spitzenanteil * std::max(betrag(k - 2), betrag(k + 2)))
        stellen.push_back({y, k});
    }
    std::sort(stellen.begin(), stellen.end(), [](const auto& l, const auto& r) { return l.first > r.first; });
    if (stellen.size() > hoechstkandidaten) stellen.resize(hoechstkandidaten);
    for (const auto& [y, k] : stellen) kandidaten.push_back(spitze(x[k - 1], x[k + 1]));
  }
};

}  // namespace

Integrierbarkeit integrierbarkeit(std::u16string_view term, double a, double b) {
  Pruefung pr{term, a, b, b - a, (b - a) / schritte, {}, {}, {}};
  for (int k = 0; k <= schritte; ++k) {
    pr.x.push_back(k == schritte ? b : a + k * pr.h);
    pr.p.push_back(probe(term, pr.x.back()));
    if (pr.p.back().lage == Lage::unlesbar) {
      pr.hindernis(Hindernisart::unlesbar, a, b);
      return pr.e;
    }
  }
  std::vector<double> kandidaten;
  bool amanfang = true, amende = true;
  pr.luecken(kandidaten, amanfang, amende);
  pr.spitzen(kandidaten);
  std::sort(kandidaten.begin(), kandidaten.end());
  if (amanfang) pr.punkt(a, 1);
  double letzte = a;
  for (const double c : kandidaten) {
    // Two steps beside one pole may both lead to it; the ends are checked on their own.
    if (c - letzte <= 0.5 * pr.h || b - c <= 0.5 * pr.h) continue;
    pr.punkt(c);
    letzte = c;
  }
  if (amende) pr.punkt(b, -1);
  auto& hs = pr.e.hindernisse;
  std::sort(hs.begin(), hs.end(), [](const Hindernis& l, const Hindernis& r) { return l.von < r.von; });
  if (!hs.empty()) pr.e.stellen.clear();
  return pr.e;
}
