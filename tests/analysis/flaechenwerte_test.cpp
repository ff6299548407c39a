#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "flaechenwerte.h"
#include "steuerzustand.h"
#include "wertetabelle.h"

namespace {

using Zeilen = std::vector<std::u16string>;

TEST(Flaechenwerte, ValuesLabelsAndLines) {
  steuer = Steuerzustand{};
  Zeilen z;
  flaechenwerte(u"X^2", u"0", 0, 3, z);
  EXPECT_NEAR(integralwert, 9, 1e-12);
  EXPECT_NEAR(flaechenwert, 9, 1e-12);
  EXPECT_EQ(steuer.Label13, u"= 9");
  EXPECT_EQ(steuer.Label15, u"= 9");
  EXPECT_EQ(z, (Zeilen{u"Площадь под f1 между (0 | 3)", u"\t9", u"Определенная интеграл f1 между (0 | 3)", u"\t9"}));

  z.clear();
  flaechenwerte(u"X", u"0", 2, -2, z);  // exchanged bounds
  EXPECT_NEAR(integralwert, 0, 1e-12);
  EXPECT_NEAR(flaechenwert, 4, 1e-3);
  EXPECT_EQ(z[0], u"Площадь под f1 между (-2 | 2)");

  z.clear();
  flaechenwerte(u"SIN(X)", u"COS(X)", 0, 1, z);
  EXPECT_NEAR(integralwert, (1 - std::cos(1.0)) - std::sin(1.0), 1e-9);
  EXPECT_EQ(z[0], u"Область между f1 и f2 между (0 | 1)");
  EXPECT_EQ(z[2], u"Определенная интеграл f1-f2 между (0 | 1)");
}

TEST(Flaechenwerte, EqualBoundsChangeNothing) {
  steuer = Steuerzustand{};
  steuer.Label13 = u"= 5";
  Zeilen z;
  flaechenwerte(u"X", u"0", 1, 1, z);
  EXPECT_TRUE(z.empty());
  EXPECT_EQ(steuer.Label13, u"= 5");
  EXPECT_EQ(steuer.Label15, u"= ");
}

TEST(Flaechenwerte, LargeBoundsWithTinyWidthEnd) {
  // Adding the panel width does not move a bound of 1e17: the panels are counted.
  Zeilen z;
  flaechenwerte(u"1", u"0", 1e17, 1e17 + 16, z);
  EXPECT_EQ(z.size(), 4u);
}

TEST(Wertetabelle, RowsStepsAndBound) {
  steuer = Steuerzustand{};
  Zeilen z;
  wertetabelle(u"X^2", u"2*X", z);
  ASSERT_EQ(z.size(), 3u + 150u);  // -6 up to 5.92; the sum passes 6 slightly
  EXPECT_EQ(z[0], u"");
  EXPECT_EQ(z[1], u"Таблица значений");
  EXPECT_EQ(z[2], u"x\tf(x)\tf'(x)");
  EXPECT_EQ(z[3], u"-6\t36\t-12");
  EXPECT_EQ(z.back(), u"5,92\t35,05\t11,84");

  // Rows, and the line that ends a table cut at the bound (empty: not cut).
  const struct {
    const char16_t* delta; const char16_t* von; const char16_t* bis; std::size_t zeilen; const char16_t* schluss;
  } faelle[] = {
      {u"0", u"0", u"1,01", 21, u""},         // step 0 gives 0.05
      {u"-1", u"0", u"0,5", 11, u""},
      {u"1", u"5", u"0", 1, u""},              // at least one row
      {u"0,001", u"-6", u"6", 12000, u""},     // all of them, up to 5,999
      {u"0,001", u"0", u"100,00001", 100001, u""},  // 0 to 100: the bound itself is no cut
      {u"0,00000001", u"10^9", u"10^9+1", 100001,  // x stops changing
       u"Таблица значений прервана на x = 1000000000: достигнут предел числа строк (100001)"},
      {u"0,001", u"0", u"1000000", 100001,     // millions of rows
       u"Таблица значений прервана на x = 100: достигнут предел числа строк (100001)"},
  };
  for (const auto& f : faelle) {
    steuer.ed_delta = f.delta;
    steuer.ed_von = f.von;
    steuer.ed_bis = f.bis;
    z.clear();
    wertetabelle(u"1/X", u"", z);
    const std::u16string schluss = f.schluss;
    const std::string name(f.bis, f.bis + std::char_traits<char16_t>::length(f.bis));
    EXPECT_EQ(z.size() - 3, f.zeilen + !schluss.empty()) << name;
    EXPECT_EQ(schluss.empty() ? z.back().substr(0, 5) != u"Табли" : z.back() == schluss, true) << name;
  }
  // The row just before the cut is the last one written.
  EXPECT_EQ(z[z.size() - 2].substr(0, 4), u"100\t");
  // Undefined values are written as 0.
  steuer.ed_delta = u"1";
  steuer.ed_von = u"0";
  steuer.ed_bis = u"0";
  z.clear();
  wertetabelle(u"1/X", u"(", z);
  EXPECT_EQ(z[3], u"0\t0\t0");
}

}  // namespace
