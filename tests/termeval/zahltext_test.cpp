#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fktint.h"
#include "zahltext.h"

namespace {

std::string ascii(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(Zahltext, DisplayForms) {
  const struct { int breite, dezimalen; double x; const char* text; } faelle[] = {
      {1, 2, 1.5, "1,5"},     {1, 2, 2, "2"},          {1, 2, 10, "10"},         {1, 2, -0.004, "0"},
      {1, 2, 3.14159, "3,14"}, {1, 4, 0.25, "0,25"},   {1, 2, 0.125, "0,13"},    {1, 2, -1.005, "-1"},
      {1, 2, 0, "0"},         {1, 2, -0.001, "0"},     {1, 2, 100, "100"},       {1, 2, 0.5, "0,5"},
      {1, 3, -2.25, "-2,25"}, {1, 2, 123.891, "123,89"}, {1, 2, 1234567.5, "1234567,5"},
      {4, 2, 1, "1"}, {6, 2, 1, "  1"},      {4, 2, -1.5, "-1,5"},    {4, 3, 0.5, "0,5"},       {1, 0, 2.5, "3"},
      {1, 2, 9.999, "10"},    {1, 2, -9.995, "-9,99"}, {1, 2, 1e-20, "0"},       {1, 3, 0.0005, "0,001"},
      {1, 2, 1e10, "10000000000"}, {1, 2, -0.0, "0"},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(ascii(zahltext(f.breite, f.dezimalen, f.x)), f.text) << f.x << " with " << f.dezimalen;
}

TEST(Zahltext, ValuesOutsideTheUsualRangeGiveText) {
  EXPECT_FALSE(zahltext(1, 2, std::nan("")).empty());
  EXPECT_FALSE(zahltext(1, 2, INFINITY).empty());
  EXPECT_EQ(zahltext(1, 2, 1e300).size(), 301u);
}

TEST(Editwert, ReadsTermsAtXEqualOne) {
  P = 0;
  const struct { const char16_t* text; double wert; Fehlercode status; } faelle[] = {
      {u"1,5", 1.5, wert_gueltig},  {u"pi/2", 1.5707963267948966, wert_gueltig}, {u"-6", -6, wert_gueltig}, {u"x", 1, wert_gueltig},
      {u"", 0, term_unlesbar},       {u"abc", 0, term_unlesbar},  {u"SQRT(-4)", 0, wert_undefiniert},  {u"INT(2.5)", 0, kurve_unterbrochen}, {u"2^40", 0, wert_begrenzt},
      {u"2^10", 1024, wert_gueltig}, {u"sin(x)", std::sin(1.0), wert_gueltig},
  };
  for (const auto& f : faelle) {
    EXPECT_DOUBLE_EQ(editwert(f.text), f.wert);
    EXPECT_EQ(fehlercode, f.status);
  }
}

}  // namespace
