#include "suche.h"

#include <cmath>

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

double nullstelle(std::u16string_view term, int iterationen, double tol, double a0, double b0) {
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
    const double tol1 = 0.000006 * std::fabs(b) + 0.5 * tol;
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

namespace {

bool kandidat(Regel regel, double y0, double y1, double y2) {
  if (!(std::fabs(y0 * y1) < 100)) return false;
  const bool vorzeichen = y0 * y1 < 0;
  const bool wende = (y1 - y0) * (y2 - y1) < 0;
  switch (regel) {
    case Regel::vorzeichen_oder_wende: return vorzeichen || wende;
    case Regel::wende: return wende;
    case Regel::vorzeichen: return vorzeichen;
  }
  return false;
}

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

}  // namespace

void abtasten(std::u16string_view term, double a, double b, int n, Regel regel, int iterationen,
              bool pruefen, double* liste, int& zahl) {
  const double h = (b - a) / n;
  double x = a;
  double y0 = fktwert(term, x);
  while (fehlercode == 2 && x < b) {
    x += h;
    y0 = fktwert(term, x);
  }
  if (fehlercode != 0) return;
  const bool mit_y2 = regel != Regel::vorzeichen;
  // Only the sign rule keeps no y2 to shift into y1; for the turn rule the shifted
  // y2 already is the value at x + h.
  const bool neu_y1 = regel == Regel::vorzeichen;
  x += h;
  double y1 = fktwert(term, x + h);
  double y2 = 0;
  bool erste = true;
  do {
    if (neu_y1 && !erste) y1 = fktwert(term, x + h);
    erste = false;
    if (mit_y2) y2 = fktwert(term, x + 2 * h);
    if (kandidat(regel, y0, y1, y2)) {
      const double r = nullstelle(term, iterationen, (2 * x + h) * 0.000001 / 2, x, x + h);
      if (!pruefen || std::fabs(fktwert(term, r)) < 0.0001) {
        liste[zahl++] = r;
        if (zahl >= hoechstzahl) return;
      }
    }
    x += h;
    y0 = y1;
    if (mit_y2) y1 = y2;
  } while (x <= b);
}

namespace {

void suche(std::u16string_view term, int n, Regel regel, int iterationen, bool pruefen,
           double* liste, int& zahl, double* schritt = nullptr) {
  double a, b;
  suchbereich(a, b);
  zahl = 0;
  if (term.empty()) return;
  if (schritt) *schritt = (b - a) / n;
  abtasten(term, a, b, n, regel, iterationen, pruefen, liste, zahl);
}

}  // namespace

void nullstellensuche() {
  suche(steuer.ed_f1, 1000, Regel::vorzeichen_oder_wende, 50, true, nullstellenliste, nullstellenzahl);
}

void extremasuche() {
  suche(steuer.ed_f1, 2500, Regel::wende, 100, false, extremaliste, extremazahl, &extremaschritt);
}

void wendepunktsuche(std::u16string_view d2) {
  suche(d2, 1000, Regel::vorzeichen, 100, false, wendepunktliste, wendepunktzahl);
}

void schnittpunktsuche(std::vector<std::u16string>& ergebnis) {
  ergebnis.push_back(u"Точки пересечения между f1 и f2");
  ergebnis.push_back(u"Функция f2: Y = " + steuer.ed_f2);
  const std::u16string term = steuer.ed_f1 + u"-(" + steuer.ed_f2 + u")";
  suche(term, 1000, Regel::vorzeichen_oder_wende, 50, true, schnittpunktliste, schnittpunktzahl);
}

bool istminimum(std::u16string_view term, std::u16string_view d2, double x) {
  if (!d2.empty()) {
    const double k = fktwert(d2, x);
    if (fehlercode == 0) return k > 0;
  }
  // Three grid steps reach past the one or two steps the root finder may be off.
  const double s = extremaschritt != 0 ? 3 * std::fabs(extremaschritt) : 0.01;
  const double mitte = fktwert(term, x);
  return mitte < fktwert(term, x - s) && mitte < fktwert(term, x + s);
}
