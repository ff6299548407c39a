#include "plotpass.h"

#include <memory>

#include "abbildung.h"
#include "analysen.h"
#include "kurven.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

namespace {
std::vector<std::u16string> terme;
std::size_t lesezeiger = 0;
}  // namespace

void listeloeschen() {
  terme.clear();
  lesezeiger = 0;
}

void termanhaengen(const std::u16string& text) {
  terme.push_back(text);
  ++lesezeiger;
}

void listeanfang() { lesezeiger = 0; }

bool listeende() { return terme.size() <= lesezeiger; }

std::u16string naechsterterm() {
  if (listeende()) return {};
  return terme[lesezeiger++];
}

std::vector<std::u16string> ergebnisliste;

int kurvennr = 0;
bool termanzeige = true;
bool farbig = true;
double xvon = -1000, xbis = 1000;
TColor stiftfarbe = 0x000000;
double A = 1, B = 0;
int textzeile = 0;
std::u16string punkttext;
std::u16string d1, d2;

namespace {
// The memo shows a scroll bar only when its rows cannot hold every line.
void ergebnisrollbalken() {
  if (!steuer.c_ergebnisliste) return;
  const int zeilen = steuer.Mergebnis_clientheight / (steuer.Mergebnis_fontsize + 5);
  steuer.Mergebnis_scrollbar = static_cast<std::size_t>(zeilen < 0 ? 0 : zeilen) < ergebnisliste.size();
}
}  // namespace

void zeichnen(Canvas& canvas) {
  ergebnisliste.clear();
  xvon = editwert(steuer.ed_xvon);
  xbis = editwert(steuer.ed_xbis);
  A = editwert(steuer.ed_A);
  B = editwert(steuer.ed_B);
  termanzeige = steuer.m_terme;
  kurvennr = 0;
  textzeile = 0;
  if (terme.empty()) return;

  listeanfang();
  while (!listeende()) {
    const std::u16string term = naechsterterm();
    ++kurvennr;
    ergebnisliste.push_back(u"Функция Y = " + term);
    if (kurvennr == 1) ersterterm_vorab(canvas, term);
    --kurvennr;
    termkurve(canvas, term);
    if (kurvennr == 1) ersterterm_analysen(canvas, term);
  }
  ergebnisrollbalken();
}

void neuzeichnen(Canvas& ziel) {
  farbig = steuer.m_farbe;
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
