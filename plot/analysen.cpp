#include "analysen.h"

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

void nullstellen(Canvas& canvas) {
  nullstellensuche();
  if (nullstellenzahl <= 0) return;
  punkttext.clear();
  ergebnis(u"Нули");
  for (int i = 0; i < nullstellenzahl; ++i) {
    const double x = nullstellenliste[i];
    markierung(canvas, Round(pixelx(x)), _y, 0xFFFF00);
    punkttext += z(x) + u" | ";
    ergebnis(u"\t" + z(x));
  }
  punktzusammenfassung(canvas, u"Нули: ");
}

void extrema(Canvas& canvas, std::u16string_view term) {
  // The search reads ed_f1; d1 belongs to it only when the first term is f1.
  extremasuche(term == steuer.ed_f1 ? std::u16string_view(d1) : std::u16string_view());
  if (extremazahl <= 0) return;
  punkttext.clear();
  ergebnis(u"Экстремумов");
  for (int i = 0; i < extremazahl; ++i) {
    const double x = extremaliste[i];
    const double y = fktwert(term, x);
    punktmarke(canvas, x, y, 0xFF00FF);
    punkttext += punkt(x, y) + u" | ";
    ergebnis((istminimum(term, d2, x) ? u"\tМинимум " : u"\tМаксимум ") + punkt(x, y));
  }
  punktzusammenfassung(canvas, u"Точки экстремума: ");
}

void wendepunkte(Canvas& canvas, std::u16string_view term) {
  wendepunktsuche(d2, term);
  if (wendepunktzahl <= 0) return;
  ergebnis(u"Точки перегиба");
  punkttext.clear();
  for (int i = 0; i < wendepunktzahl; ++i) {
    const double x = wendepunktliste[i];
    const double y = fktwert(term, x);
    if (steuer.c_wendetangente) wendetangente(canvas, term, x, y);
    if (steuer.c_wendepunkte) {
      punktmarke(canvas, x, y, 0x8080FF);
      punkttext += punkt(x, y) + u" | ";
      ergebnis(u"\t" + punkt(x, y));
    }
  }
  canvas.setFontColor(0x0000FF);
  if (steuer.c_wendepunkte) punktzusammenfassung(canvas, u"Точки перегиба: ");
}

void schnittpunkte(Canvas& canvas, std::u16string_view term) {
  schnittpunktsuche(ergebnisliste);
  if (schnittpunktzahl <= 0) return;
  punkttext.clear();
  ergebnis(u"Точки пересечения");
  for (int i = 0; i < schnittpunktzahl; ++i) {
    const double x = schnittpunktliste[i];
    const double y = fktwert(term, x);
    punktmarke(canvas, x, y, 0xFF0000);
    punkttext += punkt(x, y) + u" | ";
    ergebnis(u"\t" + punkt(x, y));
  }
  punktzusammenfassung(canvas, u"Точки пересечения: ");
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

// A search block runs only when its box is checked and then leaves the brush
// white after its markers; an unchecked one touches nothing, so the curve
// labels after it keep the clear brush of the coordinate system.
template <typename Block>
void suchblock(Canvas& canvas, bool an, Block block) {
  if (!an) return;
  block();
  canvas.setBrushColor(weiss);
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
  suchblock(canvas, steuer.c_nullstellen, [&] { nullstellen(canvas); });
  suchblock(canvas, steuer.c_extrema, [&] { extrema(canvas, term); });
  suchblock(canvas, steuer.c_wendepunkte || steuer.c_wendetangente, [&] { wendepunkte(canvas, term); });
  suchblock(canvas, steuer.c_schnittpunkte, [&] { schnittpunkte(canvas, term); });
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
