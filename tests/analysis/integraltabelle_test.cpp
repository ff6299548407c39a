// Integrals and areas against computer algebra (integrale.py writes integrale.txt):
// every integral that exists is shown with correctly rounded digits, and every
// one that does not gives no number but the line that says where it fails.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ergebniswerte.h"
#include "flaechenwerte.h"
#include "steuerzustand.h"

namespace {

struct Fall {
  std::string f, g;
  double a, b;
  bool existiert;
  std::vector<double> werte;  // integral and area, or the pole, or the stretch's ends
};

std::vector<Fall> faelle() {
  std::ifstream datei(INTEGRALE);
  std::vector<Fall> faelle;
  for (std::string zeile; std::getline(datei, zeile);) {
    if (zeile.empty() || zeile[0] == '#') continue;
    std::stringstream s(zeile);
    std::vector<std::string> t;
    for (std::string feld; std::getline(s, feld, '\t');) t.push_back(feld);
    Fall fall{t[0], t[1], std::stod(t[2]), std::stod(t[3]), t[4] != "-", {}};
    for (std::size_t i = fall.existiert ? 4 : 5; i < t.size(); ++i) fall.werte.push_back(std::stod(t[i]));
    faelle.push_back(fall);
  }
  return faelle;
}

std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }
std::string u8(const std::u16string& s) {
  std::string r;
  for (char16_t c : s) r += c < 128 ? static_cast<char>(c) : '?';
  return r;
}

TEST(Integraltabelle, ExistingIntegralsShowCorrectlyRoundedDigits) {
  int geprueft = 0;
  for (const Fall& f : faelle()) {
    if (!f.existiert) continue;
    ++geprueft;
    steuer = Steuerzustand{};
    std::vector<std::u16string> z4;
    EXPECT_TRUE(flaechenwerte(u16(f.f), u16(f.g), f.a, f.b, z4)) << f.f;
    ASSERT_EQ(z4.size(), 4u) << f.f << ": " << (z4.empty() ? "" : u8(z4[0]));
    // Below a quarter of the last shown digit, and the shown text that of the exact value.
    EXPECT_NEAR(integralwert, f.werte[0], 0.0025) << f.f;
    EXPECT_NEAR(flaechenwert, f.werte[1], 0.0025) << f.f;
    EXPECT_EQ(z4[3], u"\t" + z(f.werte[0])) << f.f;
    EXPECT_EQ(z4[1], u"\t" + z(f.werte[1])) << f.f;
    EXPECT_EQ(steuer.Label13, u"= " + z(f.werte[0])) << f.f;
    EXPECT_EQ(steuer.Label15, u"= " + z(f.werte[1])) << f.f;
  }
  EXPECT_GT(geprueft, 10);
}

TEST(Integraltabelle, MissingIntegralsSayWhereAndShowNoNumber) {
  int geprueft = 0;
  for (const Fall& f : faelle()) {
    if (f.existiert) continue;
    ++geprueft;
    steuer = Steuerzustand{};
    std::vector<std::u16string> z;
    EXPECT_FALSE(flaechenwerte(u16(f.f), u16(f.g), f.a, f.b, z)) << f.f;
    ASSERT_EQ(z.size(), 1u) << f.f;
    const std::u16string wo = f.werte.size() == 1 ? u"не ограничена около x = " + ::z(f.werte[0])
                                                  : u"не определена на (" + ::z(f.werte[0]) + u" | " + ::z(f.werte[1]) + u")";
    EXPECT_EQ(z[0], u"Интеграл f1 от " + ::z(std::min(f.a, f.b)) + u" до " + ::z(std::max(f.a, f.b)) +
                        u" не существует: f1 " + wo)
        << f.f << ": " << u8(z[0]);
    EXPECT_EQ(steuer.Label13, u"= \u2014");
    EXPECT_TRUE(std::isnan(integralwert));
  }
  EXPECT_GT(geprueft, 5);
}

}  // namespace

namespace {

// Where the evaluator itself gives no values, the integral may exist but its
// number cannot be had: the line says so instead of integrating substitutes.
TEST(Integraltabelle, BeyondTheEvaluatorNoNumber) {
  const struct { const char16_t* f; double a, b; const char16_t* zeile; } faelle[] = {
      // EXP(X) passes the limit 10^10 at ln(10^10) = 23,03
      {u"EXP(X)", 0, 30, u"Интеграл f1 от 0 до 30 не вычислен: f1 превышает 10^10 на (23,03 | 30)"},
      // a power below e^-16 of its base has no value in the evaluator
      {u"X^(-0,9)", 0, 1, u"Интеграл f1 от 0 до 1 не вычислен: значения f1 около x = 0 вне пределов вычисления"},
  };
  for (const auto& f : faelle) {
    std::vector<std::u16string> z;
    flaechenwerte(f.f, u"0", f.a, f.b, z);
    ASSERT_EQ(z.size(), 1u);
    EXPECT_EQ(z[0], f.zeile);
    EXPECT_TRUE(std::isnan(integralwert));
  }
}

}  // namespace
