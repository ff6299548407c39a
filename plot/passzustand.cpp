#include "passzustand.h"

#include "fktint.h"

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

Passzustand pass;

namespace {

std::uint64_t passanfang = 0;
std::uint64_t gezeichnet = 0;
bool abgebrochen = false;

void passabbrechen() {
  abgebrochen = true;
  ergebnisliste.emplace_back(passabbruchzeile);
}

}  // namespace

void budgetbeginnen() {
  passanfang = gelesenezeichen;
  gezeichnet = 0;
  abgebrochen = false;
}

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
