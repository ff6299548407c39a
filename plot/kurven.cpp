#include "kurven.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "abbildung.h"
#include "fktint.h"
#include "kurvenzug.h"
#include "unstetigkeiten.h"
#include "passzustand.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

constexpr std::array<TColor, 7> farbtabelle = {
    0xFF0000,  // blue
    0x0000FF,  // red
    0x008000,  // green
    0xFF00FF,  // fuchsia
    0x800000,  // navy
    0x00FF00,  // lime
    0x000000,  // black
};
constexpr TColor maroon = 0x000080;

// Beyond this a pixel row cannot become a 32-bit coordinate; rows at or below
// it that still fail `darstellbar` lie far above the top edge.
constexpr double grenze = 2147483647.0;

bool zeichenstatus() { return fehlercode == wert_gueltig || fehlercode == term_unlesbar; }
bool suchstatus() { return fehlercode != term_unlesbar && fehlercode != wert_undefiniert; }

// The first column of a curve: where the term is defined (or the search has
// passed the right margin) and the domain has begun. Ends without a column once
// the search is past the margin, since no later column would be drawn; so a
// domain far to the right or a view without usable scale cannot stall it.
template <typename Zeile>
bool erstespalte(int& c, double& row, Zeile zeile) {
  for (;; ++c) {
    row = zeile(c);
    const bool jenseits = c > grafb + 10;
    if ((suchstatus() || jenseits) && weltx(c) > pass.xvon) return true;
    if (jenseits) return false;
  }
}

void kurvenschritt(Canvas& canvas, int c, double row, int& prev) {
  int cur;
  if (darstellbar(row)) {
    cur = Round(row);
    if (std::fabs(static_cast<double>(prev) - cur) > grafh / 2.0 - 10) fehlercode = wert_undefiniert;
    if (cur >= -200 && cur <= grafh + 200 && zeichenstatus()) {
      canvas.LineTo(c, cur);
      strichzaehlen(canvas);
    } else if (fehlercode >= kurve_unterbrochen)
      canvas.Pixels(c, cur, canvas.Pen().Color);
    else
      canvas.MoveTo(c, cur);
  } else {
    cur = row <= grenze ? 1000 : -1;
    canvas.MoveTo(c, cur);
  }
  prev = cur;
}

// One point of a derived curve: no jump test; dots in degree or radian mode.
void sonderpunkt(Canvas& canvas, int c, double row) {
  if (!darstellbar(row)) {
    canvas.MoveTo(c, row <= grenze ? 1000 : -1);
    return;
  }
  const int cur = Round(row);
  if (cur >= -200 && cur <= grafh + 200 && zeichenstatus()) {
    if (steuer.M_winkel || steuer.M_bogen) {
      canvas.Pixels(c, cur, pass.stiftfarbe);
    } else {
      canvas.LineTo(c, cur);
      strichzaehlen(canvas);
    }
  } else if (fehlercode == kurve_unterbrochen) {
    canvas.Pixels(c, cur, pass.stiftfarbe);
  } else {
    canvas.MoveTo(c, cur);
  }
}

double f(std::u16string_view term, double x) { return fktwert(term, x); }

// Values of the transformations, from spiegelungxachse on, at x.
using Transformation = double (*)(std::u16string_view, double);
constexpr std::array<Transformation, 8> transformationen = {
    [](std::u16string_view t, double x) { return f(t, -x); },
    [](std::u16string_view t, double x) { return -f(t, x); },
    [](std::u16string_view t, double x) { return -f(t, -x); },
    [](std::u16string_view t, double x) { return f(t, f(t, x)); },
    [](std::u16string_view t, double x) { return f(t, x + P); },
    [](std::u16string_view t, double x) { return f(t, x * P); },
    [](std::u16string_view t, double x) { return f(t, x) + P; },
    [](std::u16string_view t, double x) { return f(t, x) * P; },
};

void beschriftung(Canvas& canvas, std::u16string_view text) {
  if (pass.termanzeige) canvas.TextOut(16, 16 * pass.kurvennr, text);
}

// The curves derived from a term take part in its breaks, except as dots in
// degree or radian mode, where no column joins another.
bool alspunkte() { return steuer.M_winkel || steuer.M_bogen; }

// The derivative itself (central differences of a small step), against which the
// difference quotients of the columns are tested for joins: where it jumps (a
// kink of f) or has a pole, the columns are not joined.
Auswertung ableitungsauswertung(std::u16string_view term, Sondermodus mode, double h) {
  if (mode == Sondermodus::ersteableitung)
    return [term, d = h * 1e-4](double x, double& y) {
      double l, r;
      if (!definiertan(term, x - d, l) || !definiertan(term, x + d, r)) return false;
      y = (r - l) / (2 * d);
      return true;
    };
  return [term, d = h * 1e-2](double x, double& y) {
    double l, m, r;
    if (!definiertan(term, x - d, l) || !definiertan(term, x, m) || !definiertan(term, x + d, r)) return false;
    y = (l - 2 * m + r) / (d * d);
    return true;
  };
}

void ableitungskurve(Canvas& canvas, std::u16string_view term, Sondermodus mode) {
  int c = -9;
  double y0 = 0;
  if (!erstespalte(c, y0, [&](int s) { return f(term, weltx(s)); })) return;
  const double K1 = fx * fy;
  const double K2 = fx * fx * fy;
  // A difference quotient stands for the derivative in the middle of its columns.
  const double mitte = (mode == Sondermodus::ersteableitung ? 0.5 : 1) / fx;
  Kurvenzug zug(canvas, ableitungsauswertung(term, mode, 1 / fx));
  zug.nurtrennen();
  zug.begrenztbewegt();
  auto merken = [&](int s, double row) { zug.merken(s, weltx(s) + mitte, (_y - row) / fy, row, fehlercode); };
  double prev = 0;
  auto zweite = [&](int s) {
    const double v0 = -f(term, weltx(s));
    const double v2 = -f(term, weltx(s + 2));
    const double v1 = -f(term, weltx(s + 1));
    return (v2 + v0 - 2 * v1) * K2 + _y;
  };
  double row;
  if (mode == Sondermodus::ersteableitung) {
    const double v1 = -f(term, weltx(c + 1));
    row = (y0 + v1) * K1 + _y;
    prev = v1;
  } else {
    row = zweite(c);
  }
  merken(c, row);
  if (darstellbar(row)) canvas.MoveTo(c, Round(row));
  int regelzeile = 0;
  for (++c; c <= grafb && !(weltx(c) > pass.xbis) && !budgetverbraucht(); ++c) {
    if (mode == Sondermodus::ersteableitung) {
      const double v1 = -f(term, weltx(c + 1));
      row = (v1 - prev) * K1 + _y;
      prev = v1;
    } else {
      row = zweite(c);
    }
    merken(c, row);
    if (alspunkte() || !zug.schritt(c, row, regelzeile, false)) sonderpunkt(canvas, c, row);
  }
}

// Where the holes of f lie on a transformed curve, and with which values: the
// argument's transformation undone, the value's applied. None for f(f(x)).
struct Lueckenabbildung {
  bool gilt;
  double (*x)(double);
  double (*y)(double);
};
const std::array<Lueckenabbildung, 8> lueckenabbildungen = {{
    {true, [](double x) { return -x; }, [](double y) { return y; }},
    {true, [](double x) { return x; }, [](double y) { return -y; }},
    {true, [](double x) { return -x; }, [](double y) { return -y; }},
    {false, nullptr, nullptr},
    {true, [](double x) { return x - P; }, [](double y) { return y; }},
    {true, [](double x) { return P != 0 ? x / P : NAN; }, [](double y) { return y; }},
    {true, [](double x) { return x; }, [](double y) { return y + P; }},
    {true, [](double x) { return x; }, [](double y) { return y * P; }},
}};

void transformationsluecken(Kurvenzug& zug, std::u16string_view term, const Lueckenabbildung& a) {
  if (!a.gilt) return;
  // The columns' range taken back to the term's own x; the maps are linear.
  const double x0 = a.x(0), x1 = a.x(1) - x0;
  if (!std::isfinite(x1) || x1 == 0) return;
  double l = (weltx(0) - x0) / x1, r = (weltx(grafb) - x0) / x1;
  if (l > r) std::swap(l, r);
  for (Unstetigkeit u : nennerstellen(term, l, r, std::max(grafb, 1))) {
    if (u.art != Stellenart::luecke) continue;
    u.x = a.x(u.x);
    if (!(u.x >= pass.xvon && u.x <= pass.xbis)) continue;
    u.links = a.y(u.links), u.rechts = a.y(u.rechts), u.wert = a.y(u.wert);
    zug.luecke(u);
  }
}

void transformationskurve(Canvas& canvas, std::u16string_view term, Sondermodus mode) {
  const int nummer = static_cast<int>(mode) - static_cast<int>(Sondermodus::spiegelungxachse);
  const Transformation wert = transformationen[nummer];
  Kurvenzug zug(canvas, [term, wert](double x, double& y) {
    y = wert(term, x);
    return (fehlercode == wert_gueltig || fehlercode == wert_begrenzt) && std::isfinite(y);
  });
  zug.begrenztbewegt();
  auto zeile = [&](int s) {
    const double x = weltx(s), y = wert(term, x);
    const double row = pixely(y);
    zug.merken(s, x, y, row, fehlercode);
    return row;
  };
  int c = -1;
  double row = 0;
  if (!erstespalte(c, row, zeile)) return;
  if (alspunkte() || !(weltx(c - 1) > pass.xvon && zug.anfang(c))) {
    if (darstellbar(row))
      canvas.MoveTo(c, Round(row));
    else
      canvas.MoveTo(c, row <= grenze ? 800 : -1);
  }
  int regelzeile = 0;
  for (++c; c <= grafb + 10 && !(weltx(c) > pass.xbis) && !budgetverbraucht(); ++c) {
    const double r = zeile(c);
    if (alspunkte() || !zug.schritt(c, r, regelzeile, false)) sonderpunkt(canvas, c, r);
  }
  if (alspunkte()) return;
  transformationsluecken(zug, term, lueckenabbildungen[nummer]);
  zug.markieren();
}

// Pen and font in the colour of index, without counting a curve.
void stiftwaehlen(Canvas& canvas, int index) {
  const TColor farbe = pass.farbig ? kurvenfarben(index) : 0x000000;
  canvas.setPenColor(farbe);
  canvas.setFontColor(farbe);
  pass.stiftfarbe = farbe;
  canvas.setPenWidth(steuer.UpDown1);
}

// The graph of term in the current pen, with its label "Y = " + term when
// `beschriften` (and labels are shown).
void graph(Canvas& canvas, std::u16string_view term, bool beschriften) {
  // At most one search column left of the drawing and the columns to 10 past it.
  if (!budgetreicht(term, grafb + 20, weltx(0), weltx(grafb))) return;
  Kurvenzug zug(canvas, termauswertung(term));
  auto zeile = [&](int s) {
    const double x = weltx(s), y = fktwert(term, x);
    const double row = pixely(y);
    zug.merken(s, x, y, row, fehlercode);
    return row;
  };
  int c = -1;
  double row = 0;
  if (erstespalte(c, row, zeile)) {
    int prev;
    if (darstellbar(row))
      prev = Round(row);
    else
      prev = row <= grenze ? grafh + 200 : -200;
    // After undefined columns the branch begins where the domain does.
    if (!(weltx(c - 1) > pass.xvon && zug.anfang(c))) canvas.MoveTo(c, prev);
    for (++c; c <= grafb + 5 && !(weltx(c) > pass.xbis) && !budgetverbraucht(); ++c) {
      const double r = zeile(c);
      if (!zug.schritt(c, r, prev, true)) kurvenschritt(canvas, c, r, prev);
    }
    zug.nennerluecken(term, pass.xvon, pass.xbis);
    zug.markieren();
  }
  if (beschriften && term != u" ") beschriftung(canvas, u"Y = " + std::u16string(term));
}

}  // namespace

TColor kurvenfarben(int index) {
  return index >= 0 && index < static_cast<int>(farbtabelle.size()) ? farbtabelle[index] : maroon;
}

void farbewaehlen(Canvas& canvas, int index) {
  ++pass.kurvennr;
  stiftwaehlen(canvas, index);
}

void termkurve(Canvas& canvas, std::u16string_view term) {
  farbewaehlen(canvas, pass.kurvennr);
  graph(canvas, term, true);
}

void senkrechtekurve(Canvas& canvas, double x, std::u16string_view label) {
  farbewaehlen(canvas, pass.kurvennr);
  // Like a term curve, it is drawn only inside the domain.
  if (x > pass.xvon && !(x > pass.xbis)) {
    const double spalte = pixelx(x);
    if (darstellbar(spalte)) {
      canvas.MoveTo(Round(spalte), 0);
      canvas.LineTo(Round(spalte), grafh);
    }
  }
  beschriftung(canvas, label);
}

void sonderkurve(Canvas& canvas, std::u16string_view term, std::u16string_view caption, Sondermodus mode) {
  farbewaehlen(canvas, pass.kurvennr);
  // Evaluations per column: three for the second difference, two for f(f(x)).
  const int jespalte = mode == Sondermodus::zweiteableitung ? 3 : mode == Sondermodus::nacheinanderausfuehrung ? 2 : 1;
  if (!budgetreicht(term, (grafb + 30.0) * jespalte, weltx(0), weltx(grafb))) return;
  if (mode == Sondermodus::ersteableitung || mode == Sondermodus::zweiteableitung)
    ableitungskurve(canvas, term, mode);
  else if (mode >= Sondermodus::spiegelungxachse && mode <= Sondermodus::streckungyachse)
    transformationskurve(canvas, term, mode);
  beschriftung(canvas, caption);
}

namespace {

// The inverse curve steps from row to row: a step whose column jumps, or turns
// back sharply, is joined only where f is continuous between the two rows.
struct Umkehrschritt {
  Auswertung f;
  bool da = false;
  double t = 0, v = 0, aenderung = 0;

  bool bruch(double t1, double v1, bool gueltig) {
    const bool vorher = std::exchange(da, gueltig);
    if (!gueltig) return false;
    const double d = pixelx(v1) - pixelx(v), alt = aenderung;
    const double t0 = std::exchange(t, t1), v0 = std::exchange(v, v1);
    aenderung = std::isfinite(d) ? d : 0;
    if (!vorher) return false;
    const bool verdacht = !(std::fabs(d) <= 2 * std::fabs(alt) + 3) ||
                          ((d > 0) != (alt > 0) && std::max(std::fabs(d), std::fabs(alt)) > 3);
    return verdacht && !stetigzwischen(f, t0, v0, t1, v1, 1 / fx);
  }
};

}  // namespace

void umkehrkurve(Canvas& canvas, std::u16string_view term) {
  if (!budgetreicht(term, grafh + 12, welty(grafh), welty(0))) return;
  int r = 0;
  for (; r <= grafh + 10; ++r) {
    const double col = pixelx(fktwert(term, welty(r)));
    if (darstellbar(col)) canvas.MoveTo(Round(col), r);
    if (fehlercode == wert_gueltig) break;
  }
  Umkehrschritt schritt{termauswertung(term)};
  for (++r; r <= grafh + 10 && !budgetverbraucht(); ++r) {
    const double t = welty(r), v = fktwert(term, t);
    const double col = pixelx(v);
    const bool bruch = schritt.bruch(t, v, fehlercode == wert_gueltig);
    if (!darstellbar(col)) continue;
    const int cc = Round(col);
    if (cc >= -200 && cc <= grafb + 200 && zeichenstatus()) {
      if (fehlercode == wert_gueltig && !bruch) {
        canvas.LineTo(cc, r);
        strichzaehlen(canvas);
      } else
        canvas.MoveTo(cc, r);
    } else if (fehlercode == kurve_unterbrochen) {
      canvas.Pixels(cc, r, canvas.Pen().Color);
    } else {
      canvas.MoveTo(cc, r);
    }
  }
  beschriftung(canvas, u"Обратная функция");
}

void kurvenschar(Canvas& canvas, std::u16string_view term) {
  // Every member in the colour of one curve, counted once, and without a label.
  const int farbe = pass.kurvennr;
  farbewaehlen(canvas, farbe);
  const double P0 = P;
  double t = P0;
  double d = std::fabs(editwert(steuer.ed_schardiff));
  if (!(d >= 0.1)) d = 0.1;
  Q = editwert(steuer.ed_q);
  for (int glied = 0; t <= Q && !budgetverbraucht(); ++glied) {
    if (glied == scharhoechstzahl) {
      ergebnisliste.push_back(u"Семейство функции прервано на P = " + zahltext(1, 2, P) +
                              u": достигнут предел числа кривых (" + zahltext(1, 0, scharhoechstzahl) + u")");
      break;
    }
    P = t;
    stiftwaehlen(canvas, farbe);
    graph(canvas, term, false);
    t += d;
  }
  P = P0;
}
