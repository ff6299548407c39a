#include "plotpass.h"

#include <memory>

#include "abbildung.h"
#include "analysen.h"
#include "fktint.h"
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

void funktionslistefuellen() {
  const std::pair<const std::u16string*, bool> felder[] = {
      {&steuer.ed_f1, steuer.c_f1}, {&steuer.ed_f2, steuer.c_f2},
      {&steuer.ed_f3, steuer.c_f3}, {&steuer.ed_f4, steuer.c_f4}};
  listeloeschen();
  for (const auto& [text, an] : felder)
    if (!text->empty() && an) termanhaengen(*text);
  if (!steuer.ed_parameter.empty()) P = editwert(steuer.ed_parameter);
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

std::uint64_t passanfang = 0;
std::uint64_t gezeichnet = 0;
bool abgebrochen = false;

void passabbrechen() {
  abgebrochen = true;
  ergebnisliste.emplace_back(passabbruchzeile);
}

}  // namespace

std::uint64_t passarbeit() { return gelesenezeichen - passanfang + gezeichnet; }

void strichzaehlen(const Canvas& canvas) { gezeichnet += canvas.Pen().Width > 1 ? breiterstrich : duennerstrich; }

bool budgetverbraucht() {
  if (!abgebrochen && passarbeit() > passbudget) passabbrechen();
  return abgebrochen;
}

bool budgetreicht(std::u16string_view term, double auswertungen, double von, double bis) {
  if (budgetverbraucht()) return false;
  // Every evaluation reads the whole text, and no character costs more than
  // `teuerstes` (the integral sine at its slowest argument): a step that cannot
  // fit even at one unit a character, or a term one sample of which might not
  // fit, is refused without evaluating it.
  constexpr double teuerstes = 100;
  const double laenge = static_cast<double>(term.size());
  const auto rest = [] { return static_cast<double>(passbudget) - static_cast<double>(passarbeit()); };
  bool reicht = auswertungen * laenge <= rest() && teuerstes * laenge <= rest();
  // The cost of one evaluation varies with x only through the function
  // library's series; the dearest sample stands for every evaluation, and one
  // already too dear ends the sampling.
  constexpr int proben = 9;
  const std::uint8_t status = fehlercode;
  for (int i = 0; i < proben && reicht; ++i) {
    const std::uint64_t vorher = gelesenezeichen;
    fktwert(term, von + (bis - von) * i / (proben - 1));
    reicht = auswertungen * static_cast<double>(gelesenezeichen - vorher) <= rest();
  }
  fehlercode = status;
  if (!reicht) passabbrechen();
  return reicht;
}

void zeichnen(Canvas& canvas) {
  passanfang = gelesenezeichen;
  gezeichnet = 0;
  abgebrochen = false;
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
  while (!listeende() && !budgetverbraucht()) {
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
