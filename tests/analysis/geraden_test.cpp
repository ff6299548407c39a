// Tangent, normal and secant equations against computer algebra (geraden.py
// writes geraden.txt), with the slopes from the derivative text as the plot
// pass forms it; and the slope where no derivative text can be had.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ergebniswerte.h"
#include "fktint.h"
#include "geraden.h"
#include "steuerzustand.h"
#include "uableitung.h"

namespace {

std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::vector<std::vector<std::string>> zeilen() {
  std::ifstream datei(GERADEN);
  std::vector<std::vector<std::string>> z;
  for (std::string zeile; std::getline(datei, zeile);) {
    if (zeile.empty() || zeile[0] == '#') continue;
    std::stringstream s(zeile);
    z.emplace_back();
    for (std::string feld; std::getline(s, feld, '\t');) z.back().push_back(feld);
  }
  return z;
}

TEST(Geraden, EquationsAsShownAgainstExactLines) {
  if (ersetzungsliste.empty()) ersetzungslisteladen();
  P = 1;
  const auto tabelle = zeilen();
  ASSERT_GT(tabelle.size(), 10u);
  for (const auto& t : tabelle) {
    const std::u16string f = u16(t[0]);
    const double a = std::stod(t[1]), b = std::stod(t[2]);
    const std::u16string d1 = ableitungsterm(f);
    const double ya = fktwert(f, a), yb = fktwert(f, b);
    EXPECT_EQ(z(ya), u16(t[3])) << t[0];
    // With the derivative text, and without it by the difference quotient.
    for (const std::u16string& d : {d1, std::u16string()}) {
      const auto tan = tangente(f, d, a, ya, 3, 3);
      const auto nor = normale(f, d, a, ya);
      ASSERT_TRUE(tan && nor) << t[0];
      EXPECT_EQ(tan->gleichung(), u"Y = " + u16(t[4])) << t[0] << (d.empty() ? " by difference" : "");
      EXPECT_EQ(nor->gleichung(), u16(t[5]).starts_with(u"X = ") ? u16(t[5]) : u"Y = " + u16(t[5]))
          << t[0] << (d.empty() ? " by difference" : "");
    }
    EXPECT_EQ(sekantengerade(a, ya, b, yb).gleichung(), u"Y = " + u16(t[6])) << t[0];
  }
}

TEST(Geraden, NoSlopeWhereTheTermHasNoValueAround) {
  // SQRT at its end 0: the derivative text is undefined there and one side of the
  // difference quotient too; a slope of LN(X) at 0 does not exist at all.
  EXPECT_FALSE(steigung(u"SQRT(X)", u"1/(2*SQRT(X))", 0));
  EXPECT_FALSE(steigung(u"LN(X)", u"", -1));
  // An undefined derivative text falls back to the quotient where the term is smooth.
  const auto m = steigung(u"X^3", u"LN(X-5)", 2);
  ASSERT_TRUE(m);
  EXPECT_NEAR(*m, 12, 1e-8);
}

TEST(Geraden, TermTextsNeverGarbled) {
  const struct { double m, b; int p, q; const char16_t* text; } faelle[] = {
      {0.5, -1e-16, 3, 3, u"0,5*X"},     // an intercept of rounding noise
      {1.00001, 1, 3, 3, u"X+1"},        {-0.99996, 0.0004, 3, 3, u"-X"},
      {0.0004, -2, 3, 3, u"-2"},         {-0.0001, 0.0002, 3, 3, u"0"},
      {2, -1.5, 3, 3, u"2*X-1,5"},       {0.4923, 0.4169, 3, 3, u"0,492*X+0,417"},
      {0.90929, 0, 4, 3, u"0,9093*X"},   {-3, 1e-12, 4, 4, u"-3*X"},
      {0.001, 0, 3, 3, u"0,001*X"},      {-1, 0.00001, 4, 4, u"-X"},
  };
  for (const auto& f : faelle) EXPECT_EQ(geradenterm(f.m, f.b, f.p, f.q), f.text) << f.m << " " << f.b;
}

}  // namespace
