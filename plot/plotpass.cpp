#include "plotpass.h"

#include <memory>

#include "abbildung.h"
#include "analysen.h"
#include "fktint.h"
#include "kurven.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

void funktionslistefuellen() {
  const std::pair<const std::u16string*, bool> felder[] = {
      {&steuer.ed_f1, steuer.c_f1}, {&steuer.ed_f2, steuer.c_f2},
      {&steuer.ed_f3, steuer.c_f3}, {&steuer.ed_f4, steuer.c_f4}};
  listeloeschen();
  for (const auto& [text, an] : felder)
    if (!text->empty() && an) termanhaengen(*text);
  if (!steuer.ed_parameter.empty()) P = editwert(steuer.ed_parameter);
}

namespace {
// The memo shows a scroll bar only when its rows cannot hold every line.
void ergebnisrollbalken() {
  if (!steuer.c_ergebnisliste) return;
  const int zeilen = steuer.Mergebnis_clientheight / (steuer.Mergebnis_fontsize + 5);
  steuer.Mergebnis_scrollbar = static_cast<std::size_t>(zeilen < 0 ? 0 : zeilen) < ergebnisliste.size();
}

}  // namespace

void zeichnen(Canvas& canvas) {
  budgetbeginnen();
  ergebnisliste.clear();
  const bool farbig = pass.farbig;  // chosen by neuzeichnen
  pass = Passzustand{};
  pass.farbig = farbig;
  pass.xvon = editwert(steuer.ed_xvon);
  pass.xbis = editwert(steuer.ed_xbis);
  pass.A = editwert(steuer.ed_A);
  pass.B = editwert(steuer.ed_B);
  pass.termanzeige = steuer.m_terme;
  listeanfang();
  if (listeende()) return;

  while (!listeende() && !budgetverbraucht()) {
    const std::u16string term = naechsterterm();
    const bool erster = pass.kurvennr == 0;
    ergebnisliste.push_back(u"Функция Y = " + term);
    if (erster) ersterterm_vorab(canvas, term);
    termkurve(canvas, term);
    if (pass.kurvennr == 1) ersterterm_analysen(canvas, term);
  }
  ergebnisrollbalken();
}

void neuzeichnen(Canvas& ziel) {
  pass.farbig = steuer.m_farbe;
  abbildungeinrichten(steuer.PaintBox1_width, steuer.PaintBox1_height);
  // The bitmap is owned here, so it is released however the drawing ends.
  std::unique_ptr<Bitmap> bild = ziel.neuesBitmap(grafb, grafh);
  Canvas& leinwand = bild->canvas();
  leinwand.setFontName(u"Verdana");
  leinwand.setFontSize(9);
  leinwand.setTransparentBackground(true);
  koordinatensystem(leinwand);
  zeichnen(leinwand);
  ziel.Draw(0, 0, *bild);
}

void PaintBox1Paint(Canvas& ziel, const std::function<void()>& memofuellen) {
  neuzeichnen(ziel);
  if (steuer.Mergebnis_visible && memofuellen) memofuellen();
}
