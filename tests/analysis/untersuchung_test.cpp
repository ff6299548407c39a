// The curve discussion against computer algebra (untersuchung.py writes
// untersuchung.txt): every line of the block of every case, character for
// character; and the forms and honest answers the table cannot show.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "fktint.h"
#include "steuerzustand.h"
#include "uableitung.h"
#include "unstetigkeiten.h"
#include "untersuchung.h"
#include "zahltext.h"

namespace {

std::u16string u16(const std::string& s) {
  std::u16string t;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    char32_t z;
    int n;
    if (c < 0x80) z = c, n = 1;
    else if (c < 0xE0) z = c & 0x1F, n = 2;
    else z = c & 0x0F, n = 3;
    for (int k = 1; k < n; ++k) z = (z << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    t.push_back(static_cast<char16_t>(z));
    i += n;
  }
  return t;
}

std::string u8(const std::u16string& s) {
  std::string o;
  for (const char16_t c : s) {
    if (c < 0x80) {
      o += static_cast<char>(c);
    } else if (c < 0x800) {
      o += static_cast<char>(0xC0 | (c >> 6));
      o += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      o += static_cast<char>(0xE0 | (c >> 12));
      o += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      o += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return o;
}

struct Fall {
  std::string term, von, bis;
  std::vector<std::string> zeilen;
};

std::vector<Fall> faelle() {
  std::ifstream datei(UNTERSUCHUNG);
  std::vector<Fall> faelle;
  for (std::string zeile; std::getline(datei, zeile);) {
    if (zeile.empty() || zeile[0] == '#') continue;
    std::vector<std::string> teile;
    std::stringstream s(zeile);
    for (std::string t; std::getline(s, t, '\t');) teile.push_back(t);
    faelle.push_back({teile[0], teile[1], teile[2], {teile.begin() + 3, teile.end()}});
  }
  return faelle;
}

// The block as the plot pass makes it: ed_f1 on ed_von..ed_bis with P = 1.
std::vector<std::u16string> block(const std::string& term, const std::string& von, const std::string& bis) {
  if (ersetzungsliste.empty()) ersetzungslisteladen();
  steuer = Steuerzustand{};
  steuer.ed_f1 = u16(term);
  steuer.ed_von = u16(von);
  steuer.ed_bis = u16(bis);
  steuer.ed_parameter = u"1";
  P = 1;
  const std::u16string d1 = ableitungsterm(steuer.ed_f1);
  const std::u16string d2 = ableitungsterm(d1);
  const double a = editwert(steuer.ed_von), b = editwert(steuer.ed_bis);
  return untersuchung(steuer.ed_f1, d1, d2, a, b, unstetigkeiten(steuer.ed_f1, a, b));
}

TEST(Untersuchungstabelle, EveryLineOfEveryCase) {
  const std::vector<Fall> tabelle = faelle();
  ASSERT_GE(tabelle.size(), 40u);
  for (const Fall& f : tabelle) {
    const std::vector<std::u16string> ist = block(f.term, f.von, f.bis);
    ASSERT_EQ(ist.size(), f.zeilen.size()) << f.term;
    for (std::size_t i = 0; i < ist.size(); ++i) EXPECT_EQ(u8(ist[i]), f.zeilen[i]) << f.term;
  }
}

TEST(Untersuchung, ExactForms) {
  constexpr double pi = std::numbers::pi, e = std::numbers::e;
  const std::pair<double, std::u16string> faelle[] = {
      {std::sqrt(3.0), u"√3"},      {-std::sqrt(10.0 / 3), u"-√(10/3)"}, {pi / 2, u"π/2"},
      {-3 * pi / 4, u"-3π/4"},      {2 * pi, u"2π"},                     {1 / e, u"1/e"},
      {e * e, u"e^2"},              {1.0 / 3, u"1/3"},                   {-7.0 / 12, u"-7/12"},
      // shown exactly by two decimals, or no simple form
      {2, u""}, {-0.5, u""}, {0, u""}, {0.7034674224983917, u""}, {1.0 / 3 + 1e-9, u""},
  };
  for (const auto& [v, form] : faelle) EXPECT_EQ(exakteform(v), form) << v;
  EXPECT_EQ(zahlmitform(pi), u"3,14 (π)");
  EXPECT_EQ(zahlmitform(1.5), u"1,5");
}

// A value at a jump that neither side runs into is a point of its own: it
// counts for the sign and the range, which a list of stretches alone would drop.
TEST(Untersuchung, IsolatedValueAtAJump) {
  const std::vector<std::u16string> z = block("SGN(X)+0,9999999", "-6", "6");
  const auto zeile = [&z](std::u16string_view anfang) {
    for (const std::u16string& s : z)
      if (s.starts_with(anfang)) return s;
    return std::u16string();
  };
  EXPECT_EQ(zeile(u"Область определения"), u"Область определения: [-6; 6]");
  EXPECT_EQ(zeile(u"f1 > 0"), u"f1 > 0 на: [0; 6]");
  EXPECT_EQ(zeile(u"f1 < 0"), u"f1 < 0 на: [-6; 0)");
  EXPECT_EQ(zeile(u"Область значений"), u"Область значений: {0} ∪ {1} ∪ {2}");
}

// Where the breaks of the curve miss a pole, the stretches are defined only in
// part: every line built on them says it cannot tell instead of joining the
// two branches of 1/X.
TEST(Untersuchung, MissedBreakGivesNoClaim) {
  steuer = Steuerzustand{};
  steuer.ed_f1 = u"1/X";
  const std::vector<std::u16string> z = untersuchung(u"1/X", u"-1/X^2", u"2/X^3", -6, 6, {});
  for (const std::u16string_view anfang :
       {u"Область определения", u"f1 > 0", u"Возрастает", u"Выпукла вниз", u"Область значений"}) {
    bool gefunden = false;
    for (const std::u16string& s : z)
      if (s.starts_with(anfang)) {
        gefunden = true;
        EXPECT_TRUE(s.ends_with(u": не определено")) << u8(s);
      }
    EXPECT_TRUE(gefunden) << u8(std::u16string(anfang));
  }
}

// The searches cover ed_von..ed_bis only up to 100; beyond, their points
// would belong to another range, and the lines built on them say so.
TEST(Untersuchung, RangeBeyondTheSearchesGivesNoPoints) {
  const std::vector<std::u16string> z = block("X^2-4", "-200", "200");
  EXPECT_EQ(z[0], u"Исследование функции f1 на [-200; 200]");
  for (const std::u16string& s : z) {
    if (s.starts_with(u"Пересечения с осью Ox") || s.starts_with(u"Экстремумы") || s.starts_with(u"Возрастает")) {
      EXPECT_TRUE(s.ends_with(u": не определено")) << u8(s);
    }
  }
}

}  // namespace
