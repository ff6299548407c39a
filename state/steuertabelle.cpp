#include "steuertabelle.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include <nlohmann/json.hpp>

#include "textkodierung.h"

namespace {

#define FELD(n) Steuerelement{#n, &Steuerzustand::n}
const auto tabelle = std::to_array<Steuerelement>({
    FELD(ed_f1), FELD(ed_f2), FELD(ed_f3), FELD(ed_f4), FELD(ed_xvon), FELD(ed_xbis),
    FELD(ed_parameter), FELD(ed_q), FELD(ed_schardiff), FELD(ed_A), FELD(ed_B),
    FELD(ed_von), FELD(ed_bis), FELD(ed_delta),
    {"UpDown1", &Steuerzustand::UpDown1, 1, 6, &Steuerzustand::ed_breite},
    FELD(ed_breite),
    FELD(c_f1), FELD(c_f2), FELD(c_f3), FELD(c_f4),
    FELD(c_1ableitung), FELD(c_2ableitung), FELD(c_nullstellen), FELD(c_extrema),
    FELD(c_wendepunkte), FELD(c_schnittpunkte), FELD(c_wendetangente),
    FELD(c_pktanzeige), FELD(c_stammfunktion), FELD(c_schar), FELD(c_punktA),
    FELD(c_punktB), FELD(c_tangente), FELD(c_normale), FELD(c_sekante),
    FELD(c_integral), FELD(c_wertetabelle), FELD(c_ergebnisliste),
    FELD(rb_parameter), FELD(rb_punkta), FELD(rb_punktB),
    FELD(MAchsen1), FELD(MAchsen21), FELD(M_rahmen), FELD(M_winkel),
    FELD(M_bogen), FELD(m_raster), FELD(m_mmraster), FELD(m_terme),
    FELD(m_farbe), FELD(spiegelungxachse), FELD(spiegelungyachse),
    FELD(spiegelungursprung), FELD(nacheinanderausfuehrung),
    FELD(verschiebungxachse), FELD(streckungxachse), FELD(verschiebungyachse),
    FELD(streckungyachse), FELD(funktionsaddition), FELD(funktionssubtraktion1),
    FELD(funktionsmultiplikation), FELD(funktionsdivision1),
    FELD(Umkehrkurvezuf1x1), FELD(Mergebnis_visible), FELD(m_asymptoten), FELD(c_untersuchung),
});
#undef FELD

}  // namespace

std::span<const Steuerelement> steuerelemente() { return tabelle; }

const Steuerelement* steuerelement(std::string_view name) {
  const auto it = std::find_if(tabelle.begin(), tabelle.end(),
                               [name](const Steuerelement& e) { return e.name == name; });
  return it == tabelle.end() ? nullptr : &*it;
}

void zahlsetzen(Steuerzustand& z, const Steuerelement& e, std::int64_t wert) {
  const int n = static_cast<int>(std::clamp<std::int64_t>(wert, e.kleinst, e.groesst));
  z.*std::get<Zahlfeld>(e.feld) = n;
  if (e.anzeige) z.*e.anzeige = utf16(std::to_string(n));
}

std::size_t steuerzeichen(std::u16string_view text) {
  const auto steuernd = [](char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029; };
  const auto it = std::find_if(text.begin(), text.end(), steuernd);
  return it == text.end() ? std::u16string_view::npos : static_cast<std::size_t>(it - text.begin());
}

void breiteabgleichen(Steuerzustand& z) {
  const Steuerelement& e = *steuerelement("UpDown1");
  const std::string feld = utf8(z.ed_breite);
  const auto anfang = feld.find_first_not_of(' '), schluss = feld.find_last_not_of(' ');
  if (anfang != std::string::npos) {
    int n = 0;
    const auto [ende, fehler] = std::from_chars(feld.data() + anfang, feld.data() + schluss + 1, n);
    if (fehler == std::errc() && ende == feld.data() + schluss + 1) z.UpDown1 = n;
  }
  zahlsetzen(z, e, z.UpDown1);
}

bool jsonwertsetzen(Steuerzustand& z, const Steuerelement& e, const nlohmann::json& wert) {
  switch (art(e)) {
    case Steuerart::text:
      if (!wert.is_string()) return false;
      if (const std::u16string text = utf16(wert.get_ref<const std::string&>());
          steuerzeichen(text) == std::u16string_view::npos) {
        z.*std::get<Textfeld>(e.feld) = text;
        return true;
      }
      return false;
    case Steuerart::schalter:
      if (!wert.is_boolean()) return false;
      z.*std::get<Schalter>(e.feld) = wert.get<bool>();
      return true;
    case Steuerart::zahl:
      if (!wert.is_number_integer()) return false;
      zahlsetzen(z, e, wert.is_number_unsigned() && wert.get<std::uint64_t>() > INT64_MAX
                           ? INT64_MAX
                           : wert.get<std::int64_t>());
      return true;
  }
  return false;
}

void radioeindeutig(Steuerzustand& z) {
  const bool a = z.rb_punkta, b = !a && z.rb_punktB;
  z.rb_punkta = a;
  z.rb_punktB = b;
  z.rb_parameter = !a && !b;
}
