#include "analysen.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "abbildung.h"
#include "canvas.h"
#include "ergebniswerte.h"
#include "flaeche.h"
#include "flaechenwerte.h"
#include "fktint.h"
#include "konstruktion.h"
#include "koordinatensystem.h"
#include "kurven.h"
#include "passzustand.h"
#include "steuerzustand.h"
#include "suche.h"
#include "uableitung.h"
#include "unstetigkeiten.h"
#include "untersuchung.h"
#include "wertetabelle.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

constexpr TColor weiss = 0xFFFFFF;

std::u16string punkt(double x, double y) { return u"(" + z(x) + u";" + z(y) + u")"; }

void ergebnis(std::u16string zeile) { ergebnisliste.push_back(std::move(zeile)); }

// Evaluations of a search at most, with the grid and refinement steps the
// searches use: the grid (a few more where its start is undefined) and one
// refinement per candidate, which can be every grid step where the points are
// checked (zeros, intersections), else at most the points kept.
constexpr double suchbedarf(int gitter, int iterationen, bool geprueft) {
  return gitter + 4 + (geprueft ? gitter + 1 : hoechstzahl) * (iterationen + 3.0);
}

// Whether `auswertungen` evaluations of term over ed_von..ed_bis still fit the pass.
bool suchereicht(std::u16string_view term, double auswertungen) {
  return budgetreicht(term, auswertungen, editwert(steuer.ed_von), editwert(steuer.ed_bis));
}

// One term whose evaluation costs what evaluating f and g costs.
std::u16string differenz(std::u16string_view f, std::u16string_view g) {
  return std::u16string(f) + u"-(" + std::u16string(g) + u")";
}

// The summary of a kind of point at the bottom of the drawing, one row per kind.
void punktzusammenfassung(Canvas& canvas, std::u16string_view titel) {
  canvas.setBrushColor(weiss);
  if (pass.punkttext.size() >= 3) pass.punkttext.resize(pass.punkttext.size() - 3);
  if (steuer.c_pktanzeige) canvas.TextOut(16, grafh - 30 - 16 * pass.textzeile, std::u16string(titel) + pass.punkttext);
  ++pass.textzeile;
}

void punktmarke(Canvas& canvas, double x, double y, TColor fuellung) {
  markierung(canvas, Round(pixelx(x)), Round(pixely(y)), fuellung);
}

// With the discussion ticked, zeros, extrema and inflection points carry their
// coordinates in small type beside the marker, over the drawing.
void koordinatenmarke(Canvas& canvas, std::int32_t px, std::int32_t py, const std::u16string& text) {
  const int groesse = canvas.Font().Size;
  canvas.setFontSize(7);
  canvas.setBrushStyle(bsClear);
  canvas.TextOut(px + 6, py - 14, text);
  canvas.setFontSize(groesse);
}

// One kind of special point: its search and list, and how its points are marked
// and written. Zeros sit on the x axis and are written by x alone.
struct Punktart {
  bool Steuerzustand::*schalter;   // markers, result lines and summary
  bool Steuerzustand::*tangenten;  // tangents at the points, where the kind has them
  bool (*reicht)(std::u16string_view term);  // whether the search still fits the pass
  void (*suchen)(std::u16string_view term);
  const double* liste;
  const int* zahl;
  const char16_t* kopf;   // result line before the points
  const char16_t* titel;  // of the summary
  TColor fuellung;
  bool aufachse;
  const char16_t* (*vorsatz)(std::u16string_view term, double x);  // of a point's result line
  std::optional<TColor> schrift;  // font colour after the points, kept for the rest of the pass
  // Whether the search would find points on [a, b] in n steps, for the drawn
  // part of the curve outside the search range, and what they are called there.
  bool (*ausserhalb)(std::u16string_view term, double a, double b, int n) = nullptr;
  const char16_t* weitere = nullptr;
};

const char16_t* eingerueckt(std::u16string_view, double) { return u"\t"; }

// The search reads ed_f1; d1 belongs to it only when the first term is f1.
std::u16string_view extremaableitung(std::u16string_view term) {
  return term == steuer.ed_f1 ? std::u16string_view(pass.d1) : std::u16string_view();
}

const Punktart punktarten[] = {
    {&Steuerzustand::c_nullstellen, nullptr,
     [](std::u16string_view) { return suchereicht(steuer.ed_f1, suchbedarf(1000, 50, true)); },
     [](std::u16string_view) { nullstellensuche(); },
     nullstellenliste, &nullstellenzahl, u"Нули", u"Нули: ", 0xFFFF00, true, eingerueckt, {},
     [](std::u16string_view, double a, double b, int n) { return nullstellenzwischen(steuer.ed_f1, a, b, n); },
     u"нули"},
    {&Steuerzustand::c_extrema, nullptr,
     [](std::u16string_view term) {
       // The refinement may read d1 as well; each point is also evaluated and
       // classified by d2 or by three values.
       return suchereicht(differenz(steuer.ed_f1, extremaableitung(term)), suchbedarf(2500, 100, false)) &&
              suchereicht(differenz(term, pass.d2), 3 * hoechstzahl);
     },
     [](std::u16string_view term) { extremasuche(extremaableitung(term)); },
     extremaliste, &extremazahl, u"Экстремумов", u"Точки экстремума: ", 0xFF00FF, false,
     [](std::u16string_view term, double x) { return istminimum(term, pass.d2, x) ? u"\tМинимум " : u"\tМаксимум "; },
     {},
     [](std::u16string_view term, double a, double b, int n) {
       return extremazwischen(steuer.ed_f1, extremaableitung(term), a, b, n);
     },
     u"экстремумы"},
    {&Steuerzustand::c_wendepunkte, &Steuerzustand::c_wendetangente,
     [](std::u16string_view term) {
       // The acceptance reads the term beside d2; each point is also evaluated,
       // and its tangent reads d1 or, without it, four values of the term.
       return suchereicht(differenz(pass.d2, term), suchbedarf(1000, 100, false)) &&
              suchereicht(differenz(term, pass.d1), 6 * hoechstzahl);
     },
     [](std::u16string_view term) { wendepunktsuche(pass.d2, term); }, wendepunktliste, &wendepunktzahl,
     u"Точки перегиба", u"Точки перегиба: ", 0x8080FF, false, eingerueckt, 0x0000FF},
    {&Steuerzustand::c_schnittpunkte, nullptr,
     [](std::u16string_view) {
       return suchereicht(differenz(steuer.ed_f1, steuer.ed_f2), suchbedarf(1000, 50, true) + hoechstzahl);
     },
     [](std::u16string_view) { schnittpunktsuche(ergebnisliste); },
     schnittpunktliste, &schnittpunktzahl, u"Точки пересечения", u"Точки пересечения: ", 0xFF0000, false,
     eingerueckt, {}},
};

// Result lines of the drawn lines (tangents, normal, secant) of this pass; they
// follow the specified lines of the first term.
std::vector<std::u16string> linienzeilen;

// Points outside the domain of the curves have no curve to sit on: they are
// neither listed nor marked. A point found within rounding of the open lower
// end stands for that end (the zero 0 of X^3-3*X, found as 1e-17).
bool imdefinitionsbereich(double x) {
  const double rundung = 1e-9 * std::max(1.0, std::fabs(x));
  return x > pass.xvon + rundung && !(x > pass.xbis + rundung);
}

void punkte(Canvas& canvas, const Punktart& art, std::u16string_view term, bool zeigen, bool tangenten) {
  art.suchen(term);
  int zahl = 0;
  for (int i = 0; i < *art.zahl; ++i) zahl += imdefinitionsbereich(art.liste[i]);
  if (zahl <= 0) return;
  ergebnis(art.kopf);
  pass.punkttext.clear();
  for (int i = 0; i < *art.zahl; ++i) {
    const double x = art.liste[i];
    if (!imdefinitionsbereich(x)) continue;
    const double y = art.aufachse ? 0 : fktwert(term, x);
    if (tangenten) wendetangente(canvas, term, x, y, linienzeilen);
    if (!zeigen) continue;
    if (art.aufachse)
      markierung(canvas, Round(pixelx(x)), _y, art.fuellung);
    else
      punktmarke(canvas, x, y, art.fuellung);
    if (steuer.c_untersuchung && art.schalter != &Steuerzustand::c_schnittpunkte)
      koordinatenmarke(canvas, Round(pixelx(x)), art.aufachse ? _y : Round(pixely(y)), punkt(x, y));
    const std::u16string text = art.aufachse ? z(x) : punkt(x, y);
    pass.punkttext += text + u" | ";
    ergebnis(art.vorsatz(term, x) + text);
  }
  if (art.schrift) canvas.setFontColor(*art.schrift);
  if (zeigen) punktzusammenfassung(canvas, art.titel);
}

// Samples per unit of the drawn part outside the search range: the searches'
// own density, bounded so that a wide view stays cheap.
constexpr int aussenhoechstschritte = 2000;

// One line when the drawn part of the curve outside the search range holds
// points of this kind that the search did not look for.
void ausserhalbhinweis(const Punktart& art, std::u16string_view term) {
  if (!art.ausserhalb) return;
  double von, bis;
  suchgrenzen(von, bis);
  const double links = std::max(weltx(0), pass.xvon), rechts = std::min(weltx(grafb), pass.xbis);
  const double dichte = 1000 / std::max(bis - von, 1e-9);
  bool gefunden = false;
  for (const auto& [a, b] : {std::pair{links, std::min(rechts, von)}, std::pair{std::max(links, bis), rechts}}) {
    if (gefunden || !(b - a > 0)) continue;
    const int n = static_cast<int>(std::clamp((b - a) * dichte, 50.0, static_cast<double>(aussenhoechstschritte)));
    if (!budgetreicht(steuer.ed_f1, suchbedarf(n, 200, false), a, b)) return;
    gefunden = art.ausserhalb(term, a, b, n);
  }
  if (gefunden)
    ergebnis(u"Вне диапазона поиска (" + z(von) + u" | " + z(bis) + u") у f1 есть ещё " + art.weitere +
             u": расширьте диапазон «от … до»");
}

// A search runs only when one of its boxes is checked and then leaves the brush
// white after its markers; an unchecked one touches nothing, so the curve
// labels after it keep the clear brush of the coordinate system.
void punktblock(Canvas& canvas, const Punktart& art, std::u16string_view term) {
  const bool zeigen = steuer.*art.schalter;
  const bool tangenten = art.tangenten && steuer.*art.tangenten;
  if (!zeigen && !tangenten) return;
  if (art.reicht(term)) {
    punkte(canvas, art, term, zeigen, tangenten);
    if (zeigen) ausserhalbhinweis(art, term);
  }
  canvas.setBrushColor(weiss);
}

struct Sonderkurve {
  bool Steuerzustand::*schalter;
  const char16_t* titel;
  Sondermodus modus;
};

const Sonderkurve sonderkurven[] = {
    {&Steuerzustand::c_1ableitung, u"Первая производная", Sondermodus::ersteableitung},
    {&Steuerzustand::c_2ableitung, u"Вторая производная", Sondermodus::zweiteableitung},
    {&Steuerzustand::spiegelungxachse, u"f(-x)", Sondermodus::spiegelungxachse},
    {&Steuerzustand::spiegelungyachse, u"-f(x)", Sondermodus::spiegelungyachse},
    {&Steuerzustand::spiegelungursprung, u"-f(-x)", Sondermodus::spiegelungursprung},
    {&Steuerzustand::nacheinanderausfuehrung, u"f(f(x))", Sondermodus::nacheinanderausfuehrung},
    {&Steuerzustand::verschiebungxachse, u"f(x+p)", Sondermodus::verschiebungxachse},
    {&Steuerzustand::streckungxachse, u"f(p*x)", Sondermodus::streckungxachse},
    {&Steuerzustand::verschiebungyachse, u"f(x)+p", Sondermodus::verschiebungyachse},
    {&Steuerzustand::streckungyachse, u"p*f(x)", Sondermodus::streckungyachse},
};

void verknuepfungen(Canvas& canvas, const std::u16string& t) {
  const std::u16string& f = steuer.ed_f2;
  if (f.empty()) return;
  if (steuer.funktionsaddition) termkurve(canvas, t + u"+(" + f + u")");
  if (steuer.funktionssubtraktion1) termkurve(canvas, t + u"-(" + f + u")");
  if (steuer.funktionsmultiplikation) termkurve(canvas, u"(" + t + u")*(" + f + u")");
  if (steuer.funktionsdivision1 && f != u"0") termkurve(canvas, u"(" + t + u")/(" + f + u")");
}

void konstruktionslinien(Canvas& canvas, std::u16string_view term) {
  const bool mitA = steuer.c_punktA || steuer.c_tangente || steuer.c_normale || steuer.c_sekante;
  const bool mitB = steuer.c_punktB || steuer.c_sekante;
  if (!mitA && !mitB) return;
  // A few evaluations at A and B, the slopes from d1 or four values each; a pass
  // stopped before them shows no old values.
  if (!budgetreicht(differenz(term, pass.d1), 12, pass.A, pass.B)) {
    const Steuerzustand standard;
    if (mitA) steuer.Label11 = standard.Label11;
    if (mitB) steuer.Label10 = standard.Label10;
    return;
  }
  if (mitA) punktAblock(canvas, term, linienzeilen);
  if (mitB) punktBblock(canvas, term);
  if (steuer.c_sekante) sekante(canvas, linienzeilen);
}

// A derivative declined for its size is said so, rather than shown as an empty text.
std::u16string ableitungszeile(const std::u16string& d, bool abgelehnt) {
  return abgelehnt ? u"Не построена: производная слишком длинная" : u"Y = " + d;
}

// How the term reads a sign before a power, when that is not the usual reading.
std::u16string vorzeichenhinweis(std::u16string t) {
  std::erase(t, u' ');
  const auto stellen = vorzeichenvorpotenz(t);
  if (stellen.empty()) return {};
  const vorzeichenbasis& v = stellen.front();
  const std::u16string potenz = t.substr(v.zeichen, v.potenzende - v.zeichen);
  const std::u16string basis = t.substr(v.zeichen, v.basisende - v.zeichen);
  return u"Внимание: " + potenz + u" читается как (" + basis + u")" + t.substr(v.basisende, v.potenzende - v.basisende) +
         u"; если минус относится ко всей степени, пишите -(" + potenz.substr(1) + u")";
}

// The rows of the value table at most (its step rule, bounded by its row limit),
// each with the term and d1.
bool wertetabellereicht(std::u16string_view term) {
  double schritt = editwert(steuer.ed_delta);
  if (schritt <= 0) schritt = 0.05;
  const double von = editwert(steuer.ed_von), bis = editwert(steuer.ed_bis);
  const double zeilen = std::clamp((bis - von) / schritt + 2, 1.0, static_cast<double>(tabellenhoechstzahl));
  return budgetreicht(differenz(term, pass.d1), std::isnan(zeilen) ? tabellenhoechstzahl : zeilen, von, bis);
}

// Evaluations the breaks of the curve make on their grid of 1000 steps and the
// refinement of the steps that do not join: 11 000 on the default term, with
// room for terms with many breaks.
constexpr double unstetigkeitsbedarf = 40000;

// The curve discussion of f1 after every other line: the three searches again,
// the breaks of the curve and the block's own samples, all within the budget.
void untersuchungsblock(std::u16string_view term) {
  if (term != steuer.ed_f1) return;
  const double a = editwert(steuer.ed_von), b = editwert(steuer.ed_bis);
  const double bedarf = suchbedarf(1000, 50, true) + suchbedarf(2500, 100, false) + suchbedarf(1000, 100, false) +
                        untersuchungsbedarf + unstetigkeitsbedarf;
  if (!suchereicht(differenz(differenz(term, pass.d1), pass.d2), bedarf)) return;
  for (std::u16string& zeile : untersuchung(term, pass.d1, pass.d2, a, b, unstetigkeiten(term, a, b)))
    ergebnis(std::move(zeile));
}

}  // namespace

void ersterterm_vorab(Canvas& canvas, const std::u16string& term) {
  pass.d1 = ableitungsterm(term);
  const bool d1abgelehnt = ableitungabgelehnt;
  pass.d2 = ableitungsterm(pass.d1);
  const bool d2abgelehnt = d1abgelehnt || ableitungabgelehnt;
  ergebnis(u"Домен (" + steuer.ed_von + u" | " + steuer.ed_bis + u")");
  ergebnis(u"Первая производная");
  ergebnis(ableitungszeile(pass.d1, d1abgelehnt));
  ergebnis(u"Вторая производная");
  ergebnis(ableitungszeile(pass.d2, d2abgelehnt));
  if (std::u16string hinweis = vorzeichenhinweis(term); !hinweis.empty()) ergebnis(std::move(hinweis));
  if (!steuer.c_integral) return;
  const std::u16string g = steuer.c_f2 && !steuer.ed_f2.empty() ? steuer.ed_f2 : u"0";
  // One shading line every second column and the integral with its checks.
  if (!budgetreicht(differenz(term, g), grafb / 2.0 + flaechenbedarf, pass.A, pass.B)) {
    const Steuerzustand standard;
    steuer.Label13 = standard.Label13;
    steuer.Label15 = standard.Label15;
    return;
  }
  // An integral that does not exist has no area to shade either.
  if (!flaechenwerte(term, g, pass.A, pass.B, ergebnisliste)) return;
  schraffur(canvas, term, g);
  koordinatensystem(canvas);
}

void ersterterm_analysen(Canvas& canvas, const std::u16string& term) {
  linienzeilen.clear();
  for (const Punktart& art : punktarten) punktblock(canvas, art, term);
  for (const Sonderkurve& s : sonderkurven)
    if (steuer.*s.schalter) sonderkurve(canvas, term, s.titel, s.modus);
  if (steuer.c_schar) kurvenschar(canvas, term);
  if (steuer.c_stammfunktion) {
    farbewaehlen(canvas, pass.kurvennr);
    stammkurve(canvas, term);
  }
  if (steuer.Umkehrkurvezuf1x1) {
    farbewaehlen(canvas, pass.kurvennr);
    umkehrkurve(canvas, term);
  }
  verknuepfungen(canvas, term);
  konstruktionslinien(canvas, term);
  if (steuer.c_wertetabelle && steuer.Mergebnis_visible && wertetabellereicht(term)) wertetabelle(term, pass.d1, ergebnisliste);
  // The line of a pass stopped by its budget stays the last one.
  auto ende = ergebnisliste.end();
  if (!ergebnisliste.empty() && ergebnisliste.back() == passabbruchzeile) --ende;
  ergebnisliste.insert(ende, linienzeilen.begin(), linienzeilen.end());
  if (steuer.c_untersuchung) untersuchungsblock(term);
}
