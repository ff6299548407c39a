#include "analysen.h"

#include <optional>
#include <string_view>

#include "abbildung.h"
#include "canvas.h"
#include "ergebniswerte.h"
#include "flaeche.h"
#include "flaechenwerte.h"
#include "fktint.h"
#include "konstruktion.h"
#include "kurven.h"
#include "plotpass.h"
#include "steuerzustand.h"
#include "suche.h"
#include "uableitung.h"
#include "wertetabelle.h"

using namespace abbildung;

namespace {

constexpr TColor weiss = 0xFFFFFF;

std::u16string punkt(double x, double y) { return u"(" + z(x) + u";" + z(y) + u")"; }

void ergebnis(std::u16string zeile) { ergebnisliste.push_back(std::move(zeile)); }

// The summary of a kind of point at the bottom of the drawing, one row per kind.
void punktzusammenfassung(Canvas& canvas, std::u16string_view titel) {
  canvas.setBrushColor(weiss);
  if (punkttext.size() >= 3) punkttext.resize(punkttext.size() - 3);
  if (steuer.c_pktanzeige) canvas.TextOut(16, grafh - 30 - 16 * textzeile, std::u16string(titel) + punkttext);
  ++textzeile;
}

void punktmarke(Canvas& canvas, double x, double y, TColor fuellung) {
  markierung(canvas, Round(pixelx(x)), Round(pixely(y)), fuellung);
}

// One kind of special point: its search and list, and how its points are marked
// and written. Zeros sit on the x axis and are written by x alone.
struct Punktart {
  bool Steuerzustand::*schalter;   // markers, result lines and summary
  bool Steuerzustand::*tangenten;  // tangents at the points, where the kind has them
  void (*suchen)(std::u16string_view term);
  const double* liste;
  const int* zahl;
  const char16_t* kopf;   // result line before the points
  const char16_t* titel;  // of the summary
  TColor fuellung;
  bool aufachse;
  const char16_t* (*vorsatz)(std::u16string_view term, double x);  // of a point's result line
  std::optional<TColor> schrift;  // font colour after the points, kept for the rest of the pass
};

const char16_t* eingerueckt(std::u16string_view, double) { return u"\t"; }

const Punktart punktarten[] = {
    {&Steuerzustand::c_nullstellen, nullptr, [](std::u16string_view) { nullstellensuche(); },
     nullstellenliste, &nullstellenzahl, u"Нули", u"Нули: ", 0xFFFF00, true, eingerueckt, {}},
    {&Steuerzustand::c_extrema, nullptr,
     [](std::u16string_view term) {
       // The search reads ed_f1; d1 belongs to it only when the first term is f1.
       extremasuche(term == steuer.ed_f1 ? std::u16string_view(d1) : std::u16string_view());
     },
     extremaliste, &extremazahl, u"Экстремумов", u"Точки экстремума: ", 0xFF00FF, false,
     [](std::u16string_view term, double x) { return istminimum(term, d2, x) ? u"\tМинимум " : u"\tМаксимум "; },
     {}},
    {&Steuerzustand::c_wendepunkte, &Steuerzustand::c_wendetangente,
     [](std::u16string_view term) { wendepunktsuche(d2, term); }, wendepunktliste, &wendepunktzahl,
     u"Точки перегиба", u"Точки перегиба: ", 0x8080FF, false, eingerueckt, 0x0000FF},
    {&Steuerzustand::c_schnittpunkte, nullptr, [](std::u16string_view) { schnittpunktsuche(ergebnisliste); },
     schnittpunktliste, &schnittpunktzahl, u"Точки пересечения", u"Точки пересечения: ", 0xFF0000, false,
     eingerueckt, {}},
};

void punkte(Canvas& canvas, const Punktart& art, std::u16string_view term, bool zeigen, bool tangenten) {
  art.suchen(term);
  if (*art.zahl <= 0) return;
  ergebnis(art.kopf);
  punkttext.clear();
  for (int i = 0; i < *art.zahl; ++i) {
    const double x = art.liste[i];
    const double y = art.aufachse ? 0 : fktwert(term, x);
    if (tangenten) wendetangente(canvas, term, x, y);
    if (!zeigen) continue;
    if (art.aufachse)
      markierung(canvas, Round(pixelx(x)), _y, art.fuellung);
    else
      punktmarke(canvas, x, y, art.fuellung);
    const std::u16string text = art.aufachse ? z(x) : punkt(x, y);
    punkttext += text + u" | ";
    ergebnis(art.vorsatz(term, x) + text);
  }
  if (art.schrift) canvas.setFontColor(*art.schrift);
  if (zeigen) punktzusammenfassung(canvas, art.titel);
}

// A search runs only when one of its boxes is checked and then leaves the brush
// white after its markers; an unchecked one touches nothing, so the curve
// labels after it keep the clear brush of the coordinate system.
void punktblock(Canvas& canvas, const Punktart& art, std::u16string_view term) {
  const bool zeigen = steuer.*art.schalter;
  const bool tangenten = art.tangenten && steuer.*art.tangenten;
  if (!zeigen && !tangenten) return;
  punkte(canvas, art, term, zeigen, tangenten);
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
  if (steuer.c_punktA || steuer.c_tangente || steuer.c_normale || steuer.c_sekante) punktAblock(canvas, term);
  if (steuer.c_punktB || steuer.c_sekante) punktBblock(canvas, term);
  if (steuer.c_sekante) sekante(canvas);
}

}  // namespace

void ersterterm_vorab(Canvas& canvas, const std::u16string& term) {
  d1 = ableitungsterm(term);
  d2 = ableitungsterm(d1);
  ergebnis(u"Домен (" + steuer.ed_von + u" | " + steuer.ed_bis + u")");
  ergebnis(u"Первая производная");
  ergebnis(u"Y = " + d1);
  ergebnis(u"Вторая производная");
  ergebnis(u"Y = " + d2);
  if (!steuer.c_integral) return;
  const std::u16string g = steuer.c_f2 && !steuer.ed_f2.empty() ? steuer.ed_f2 : u"0";
  schraffur(canvas, term, g);
  koordinatensystem(canvas);
  flaechenwerte(term, g, A, B, ergebnisliste);
}

void ersterterm_analysen(Canvas& canvas, const std::u16string& term) {
  for (const Punktart& art : punktarten) punktblock(canvas, art, term);
  for (const Sonderkurve& s : sonderkurven)
    if (steuer.*s.schalter) sonderkurve(canvas, term, s.titel, s.modus);
  if (steuer.c_schar) kurvenschar(canvas, term);
  if (steuer.c_stammfunktion) {
    farbewaehlen(canvas, kurvennr);
    stammkurve(canvas, term);
  }
  if (steuer.Umkehrkurvezuf1x1) {
    farbewaehlen(canvas, kurvennr);
    umkehrkurve(canvas, term);
  }
  verknuepfungen(canvas, term);
  konstruktionslinien(canvas, term);
  if (steuer.c_wertetabelle && steuer.Mergebnis_visible) wertetabelle(term, d1, ergebnisliste);
}
