// The evaluator's reader against the plain recursive reader kept beside the tests:
// random texts over the characters that matter to the reader, random x, P and Q
// (NaN and infinities included); value bits and status must be identical.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "fktint.h"
#include "referenz_fktint.h"

namespace {

// A small deterministic generator (splitmix64), the same sequence on every machine.
struct Zufall {
  std::uint64_t zustand;
  std::uint64_t naechste() {
    std::uint64_t z = (zustand += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t bis(std::size_t n) { return naechste() % n; }
  bool eins_aus(std::size_t n) { return bis(n) == 0; }
  double gleich(double a, double b) { return a + (b - a) * (naechste() >> 11) * 0x1p-53; }
};

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Values where the evaluator's rules change: limits, poles, signs, not-a-number.
double wert(Zufall& z) {
  static constexpr double besondere[] = {0,     -0.0,  1,     -1,        2,        -2,   0.5,   -1.5, 3,
                                         1e-12, -1e-12, 2e-7, 100,       101,      -101, 1000,  50,   -50,
                                         43,    1e6,   -1e6,  1000001,   -1000001, nan,  -nan,  inf,  -inf,
                                         1e300, 5e-324, 1e10, -2.5,      0.25};
  switch (z.bis(6)) {
    case 0: return besondere[z.bis(std::size(besondere))];
    case 1: return z.gleich(-1e7, 1e7) * (z.eins_aus(2) ? 1 : 1e-9);
    default: return z.gleich(-10, 10);
  }
}

// The names of the list, and pieces of them, which the reader finds by substring.
std::u16string name(Zufall& z, bool stuecke) {
  static const std::vector<std::u16string> namen = [] {
    std::vector<std::u16string> n;
    std::u16string_view rest = funktionsnamen;
    while (!rest.empty()) {
      const auto ende = std::min(rest.find(u' '), rest.size());
      n.emplace_back(rest.substr(0, ende));
      rest.remove_prefix(std::min(ende + 1, rest.size()));
    }
    return n;
  }();
  const auto& n = namen[z.bis(namen.size())];
  if (stuecke && z.eins_aus(3)) {  // a piece of a name: a prefix, or one from its inside
    const std::size_t anfang = z.eins_aus(2) ? 0 : z.bis(n.size());
    return n.substr(anfang, 1 + z.bis(n.size() - anfang));
  }
  return n;
}

std::u16string zahl(Zufall& z) {
  std::u16string t;
  const std::size_t ziffern = z.eins_aus(8) ? 12 + z.bis(12) : 1 + z.bis(4);
  for (std::size_t i = 0; i < ziffern; ++i) t += static_cast<char16_t>(u'0' + z.bis(10));
  if (!z.eins_aus(3)) t.insert(z.bis(t.size() + 1), 1, z.eins_aus(3) ? u',' : u'.');
  if (z.eins_aus(20)) t.insert(z.bis(t.size() + 1), 1, z.eins_aus(2) ? u'.' : u'\u00E9');
  return t;
}

// One piece of a damaged or random text.
std::u16string stueck(Zufall& z) {
  static constexpr char16_t auswahl[] = u"+-*/^\u00B7()[]|.,  XPQR\u00C9HIEKx\u00E90\u0425\0";
  static const std::u16string zeichen(auswahl, std::size(auswahl) - 1);  // with the NUL
  switch (z.bis(6)) {
    case 0: return name(z, true) + (z.eins_aus(3) ? u"" : u"(");
    case 1: return zahl(z);
    case 2: return z.eins_aus(2) ? u"PI" : u"PHI";
    default: return std::u16string(1, zeichen[z.bis(zeichen.size())]);
  }
}

// A readable term: operands, operators of every level and brackets of all kinds.
std::u16string term(Zufall& z, int tiefe) {
  static const char16_t* auf = u"([|(";
  static const char16_t* zu = u")]|]";
  static const char16_t* operatoren = u"+-*/^\u00B7";
  std::u16string t;
  const std::size_t glieder = 1 + z.bis(3);
  for (std::size_t g = 0; g < glieder; ++g) {
    if (g > 0) t += operatoren[z.bis(6)];
    if (z.eins_aus(5)) t += u'-';
    switch (tiefe > 0 ? z.bis(5) : z.bis(2)) {
      case 0: t += u"XXPQ"[z.bis(4)]; break;
      case 1: t += z.eins_aus(3) ? (z.eins_aus(2) ? u"PI" : u"\u00C9") : zahl(z); break;
      case 2: t += name(z, false) + u"(" + term(z, tiefe - 1) + u")"; break;
      default: {
        const std::size_t k = z.bis(4);
        t += auf[k] + term(z, tiefe - 1) + zu[k];
      }
    }
  }
  return t;
}

// Damage: characters removed, replaced or put in, or the end cut off.
void beschaedigen(std::u16string& t, Zufall& z) {
  const std::size_t schaeden = 1 + z.bis(3);
  for (std::size_t i = 0; i < schaeden && !t.empty(); ++i) {
    const std::size_t stelle = z.bis(t.size());
    switch (z.bis(4)) {
      case 0: t.erase(stelle, 1); break;
      case 1: t.replace(stelle, 1, stueck(z)); break;
      case 2: t.insert(stelle, stueck(z)); break;
      default: t.resize(stelle); break;
    }
  }
}

std::u16string text(Zufall& z) {
  switch (z.bis(4)) {
    case 0: {  // pieces in any order
      std::u16string t;
      for (std::size_t n = 1 + z.bis(10); n > 0; --n) t += stueck(z);
      return t;
    }
    case 1: {
      std::u16string t = term(z, static_cast<int>(z.bis(4)));
      beschaedigen(t, z);
      return t;
    }
    default: {
      std::u16string t = term(z, static_cast<int>(z.bis(4)));
      if (z.eins_aus(3)) t.insert(z.bis(t.size() + 1), 1, z.eins_aus(3) ? u',' : u' ');
      if (z.eins_aus(8)) t = u'-' + t;
      return t;
    }
  }
}

std::string lesbar(std::u16string_view t) {
  std::string s;
  for (char16_t c : t) s += c < 128 ? static_cast<char>(c) : '?';
  return s;
}

struct Ergebnis {
  std::uint64_t bits;
  int status;
  bool operator==(const Ergebnis&) const = default;
};

// Where both operands of an operation are NaN, the result is one of them, chosen by
// the operand order the compiler picks; so every NaN counts as the same value here
// (nothing in the program tells NaNs apart). All other values are compared bit for bit.
template <typename Leser>
Ergebnis lesen(Leser leser, std::u16string_view t, double x) {
  fehlercode = 99;  // a status left from before must not leak into the result
  const double v = leser(t, x);
  return {std::isnan(v) ? 0x7FF8000000000000ull : std::bit_cast<std::uint64_t>(v), fehlercode};
}

void vergleichen(std::u16string_view t, double x) {
  const Ergebnis schnell = lesen(::fktwert, t, x);
  const Ergebnis plain = lesen(referenz::fktwert, t, x);
  ASSERT_EQ(schnell, plain) << lesbar(t) << " at x=" << x << " P=" << P << " Q=" << Q << ": "
                            << std::bit_cast<double>(schnell.bits) << "/" << schnell.status << " against "
                            << std::bit_cast<double>(plain.bits) << "/" << plain.status;
}

void zufaellige_texte(std::uint64_t saat, int anzahl) {
  Zufall z{saat};
  for (int i = 0; i < anzahl; ++i) {
    const std::u16string t = text(z);
    P = wert(z);
    Q = wert(z);
    for (int k = 0; k < 2; ++k) {
      vergleichen(t, wert(z));
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

class FktwertReferenz : public ::testing::Test {
 protected:
  void TearDown() override { P = Q = 0; }
};

// 10^5 texts in four parts, so that each part stays quick under the sanitizers.
TEST_F(FktwertReferenz, RandomTextsA) { zufaellige_texte(1, 25000); }
TEST_F(FktwertReferenz, RandomTextsB) { zufaellige_texte(2, 25000); }
TEST_F(FktwertReferenz, RandomTextsC) { zufaellige_texte(3, 25000); }
TEST_F(FktwertReferenz, RandomTextsD) { zufaellige_texte(4, 25000); }

// Names read several characters at a time must still be told apart from names
// with other characters in them, NUL included, and from names at the end of the
// text; P, PI and PHI with blanks that join them.
TEST_F(FktwertReferenz, NamesWithOddCharacters) {
  using namespace std::string_literals;
  const std::u16string texte[] = {u"SI\0\0(X)"s, u"S\0(4)"s, u"LN\0(X)"s, u"SI\0(1)"s, u"SIN\0(X)"s,
                                  u"SQRT(X)", u"SQRT", u"SIN(", u"SIN", u"SI(X", u"LN(X",  u"COS(X",
                                  u"ARCSIN(X)", u"ARCSINH(X)", u"HEAVISIDE(X)", u"HEAVISIDEX(X)",
                                  u"F1(X)", u"F4(X)", u"SIn(X)", u"S\u0418N(X)", u"ABSABSABS(X)",
                                  u"2*EXP(X)", u"X*ABS(-X)-SGN(X)", u"S(X)", u"SQ(X)", u"ARC(X)",
                                  u"I(X)", u"CS(X)", u"N(X)", u"COTX(X)", u"PH I", u"X*PH I+1", u"P I",
                                  u"P HI", u"(PH I)", u"PH", u"PHI", u"PIX", u"P", u"PH,I"};
  P = 0.5;
  for (const auto& t : texte)
    for (double x : {0.5, -2.0}) {
      vergleichen(t, x);
      if (::testing::Test::HasFatalFailure()) return;
    }
}

// Long and deep texts, where the reader's stacks and the depth limit matter.
TEST_F(FktwertReferenz, DeepAndLongTexts) {
  P = 0.5;
  std::vector<std::u16string> texte;
  for (int tiefe : {1000, 3997, 3998, 3999, 4000, 4001, 100000})
    for (std::u16string_view auf : {u"(", u"[", u"|", u"SIN(", u"2^(", u"X+X*(", u"(X+", u"(-X^", u"1-2*3^("}) {
      std::u16string t;
      for (int i = 0; i < tiefe / static_cast<int>(auf.size()) + 1; ++i) t += auf;
      texte.push_back(t + u"X");
      texte.push_back(u"-" + t + u"X+1");
    }
  std::u16string kette = u"X";
  for (int i = 0; i < 3000; ++i) kette += u"+X*2^X/3-1";
  texte.push_back(kette);
  texte.push_back(std::u16string(100000, u'-'));
  texte.push_back(std::u16string(400, u'9') + u"*X");
  for (const auto& t : texte)
    for (double x : {1.0, -0.5}) {
      vergleichen(t, x);
      if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
