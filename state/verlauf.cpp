#include "verlauf.h"

#include <variant>

#include "steuertabelle.h"

namespace {

bool gleichesicht(const Sicht& a, const Sicht& b) {
  return a.xmin == b.xmin && a.xmax == b.xmax && a.ymin == b.ymin && a.ymax == b.ymax;
}

bool gleichegroesse(const Steuerzustand& a, const Steuerzustand& b) {
  return a.PaintBox1_width == b.PaintBox1_width && a.PaintBox1_height == b.PaintBox1_height;
}

std::size_t bytes(const Stand& s) {
  std::size_t n = 0;
  for (const Steuerelement& e : steuerelemente())
    if (const auto* feld = std::get_if<Textfeld>(&e.feld)) n += (s.steuer.*(*feld)).size() * sizeof(char16_t);
  return n;
}

}  // namespace

bool gleichesteuerung(const Steuerzustand& a, const Steuerzustand& b) {
  for (const Steuerelement& e : steuerelemente()) {
    const bool gleich = std::visit([&](auto feld) { return a.*feld == b.*feld; }, e.feld);
    if (!gleich) return false;
  }
  return true;
}

bool Verlauf::merken(const Stand& s, Art art) {
  if (staende.empty()) {
    staende.push_back(s);
    textbytes = bytes(s);
    jetzt = 0;
    return false;
  }
  Stand& aktuell = staende[jetzt];
  if (gleichesteuerung(aktuell.steuer, s.steuer)) {
    if (gleichesicht(aktuell.sicht, s.sicht)) return false;
    if (!gleichegroesse(aktuell.steuer, s.steuer)) {
      aktuell.sicht = s.sicht;
      aktuell.steuer.PaintBox1_width = s.steuer.PaintBox1_width;
      aktuell.steuer.PaintBox1_height = s.steuer.PaintBox1_height;
      return false;
    }
  }
  if (art == Art::fortsetzbar && offen && kannzurueck() && !kannvor()) {
    textbytes -= bytes(aktuell);
    aktuell = s;
    textbytes += bytes(aktuell);
    return true;
  }
  while (kannvor()) {
    textbytes -= bytes(staende.back());
    staende.pop_back();
  }
  staende.push_back(s);
  textbytes += bytes(s);
  jetzt = staende.size() - 1;
  offen = art == Art::fortsetzbar;
  kuerzen();
  return true;
}

void Verlauf::kuerzen() {
  // The current state is the newest here, so two states always stay: it and one to go back to.
  while (staende.size() > 2 && (staende.size() > schritte + 1 || textbytes > textgrenze)) {
    textbytes -= bytes(staende.front());
    staende.pop_front();
    --jetzt;
  }
}

const Stand* Verlauf::zurueck() {
  offen = false;
  if (!kannzurueck()) return nullptr;
  return &staende[--jetzt];
}

const Stand* Verlauf::vor() {
  offen = false;
  if (!kannvor()) return nullptr;
  return &staende[++jetzt];
}
