#include "kurven.h"

#include <array>
#include <cmath>
#include <string>

#include "abbildung.h"
#include "fktint.h"
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

void ableitungskurve(Canvas& canvas, std::u16string_view term, Sondermodus mode) {
  int c = -9;
  double y0 = 0;
  if (!erstespalte(c, y0, [&](int s) { return f(term, weltx(s)); })) return;
  const double K1 = fx * fy;
  const double K2 = fx * fx * fy;
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
  if (darstellbar(row)) canvas.MoveTo(c, Round(row));
  for (++c; c <= grafb && !(weltx(c) > pass.xbis) && !budgetverbraucht(); ++c) {
    if (mode == Sondermodus::ersteableitung) {
      const double v1 = -f(term, weltx(c + 1));
      row = (v1 - prev) * K1 + _y;
      prev = v1;
    } else {
      row = zweite(c);
    }
    sonderpunkt(canvas, c, row);
  }
}

void transformationskurve(Canvas& canvas, std::u16string_view term, Sondermodus mode) {
  const Transformation wert =
      transformationen[static_cast<int>(mode) - static_cast<int>(Sondermodus::spiegelungxachse)];
  auto zeile = [&](int s) { return pixely(wert(term, weltx(s))); };
  int c = -1;
  double row = 0;
  if (!erstespalte(c, row, zeile)) return;
  if (darstellbar(row))
    canvas.MoveTo(c, Round(row));
  else
    canvas.MoveTo(c, row <= grenze ? 800 : -1);
  for (++c; c <= grafb + 10 && !(weltx(c) > pass.xbis) && !budgetverbraucht(); ++c) sonderpunkt(canvas, c, zeile(c));
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
  auto zeile = [&](int s) { return pixely(fktwert(term, weltx(s))); };
  int c = -1;
  double row = 0;
  if (erstespalte(c, row, zeile)) {
    int prev;
    if (darstellbar(row))
      prev = Round(row);
    else
      prev = row <= grenze ? grafh + 200 : -200;
    canvas.MoveTo(c, prev);
    for (++c; c <= grafb + 5 && !(weltx(c) > pass.xbis) && !budgetverbraucht(); ++c)
      kurvenschritt(canvas, c, zeile(c), prev);
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

void umkehrkurve(Canvas& canvas, std::u16string_view term) {
  if (!budgetreicht(term, grafh + 12, welty(grafh), welty(0))) return;
  int r = 0;
  for (; r <= grafh + 10; ++r) {
    const double col = pixelx(fktwert(term, welty(r)));
    if (darstellbar(col)) canvas.MoveTo(Round(col), r);
    if (fehlercode == wert_gueltig) break;
  }
  for (++r; r <= grafh + 10 && !budgetverbraucht(); ++r) {
    const double col = pixelx(fktwert(term, welty(r)));
    if (!darstellbar(col)) continue;
    const int cc = Round(col);
    if (cc >= -200 && cc <= grafb + 200 && zeichenstatus()) {
      if (fehlercode == wert_gueltig) {
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
