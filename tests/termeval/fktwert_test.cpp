#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fktint.h"

namespace {

struct Fall {
  std::u16string term;
  double x;
  double erwartet;
  Fehlercode status;
};

void pruefe(const Fall& f) {
  const double v = fktwert(f.term, f.x);
  EXPECT_EQ(fehlercode, f.status) << "status of " << std::string(f.term.begin(), f.term.end()) << " at " << f.x;
  if (std::isnan(f.erwartet))
    EXPECT_TRUE(std::isnan(v));
  else
    EXPECT_NEAR(v, f.erwartet, 1e-12 * std::max(1.0, std::fabs(f.erwartet))) << std::string(f.term.begin(), f.term.end()) << " at " << f.x;
}

class Fktwert : public ::testing::Test {
 protected:
  void SetUp() override { P = 0; Q = 0; }
};

TEST_F(Fktwert, OperatorsLevelsAndSigns) {
  P = 1;
  const Fall faelle[] = {
      {u"X^2/4-2", 2, -1, wert_gueltig},      {u"X*SIN(X+P)", 0, 0, wert_gueltig},    {u"2^3^2", 0, 64, wert_gueltig},
      {u"2+3*4", 0, 14, wert_gueltig},        {u"8/4/2", 0, 1, wert_gueltig},          {u"-X^2", 3, -9, wert_gueltig},
      {u"(-X^2)", 3, -9, wert_gueltig},       {u"(-2^2)", 0, 4, wert_gueltig},         {u"2*-X^2", 3, 18, wert_gueltig},
      {u"(-P^2)", 0, 1, wert_gueltig},        {u"2+-3", 0, -1, wert_gueltig},          {u"2--3", 0, 5, wert_gueltig},
      {u"2*+3", 0, 3, term_unlesbar},          {u"2---3", 0, -1, term_unlesbar},         {u"1\u00B72", 0, 2, wert_gueltig},
      {u"1-2-3", 0, -4, wert_gueltig},        {u"2*3^2", 0, 18, wert_gueltig},         {u"2^3*2", 0, 16, wert_gueltig},
  };
  for (const auto& f : faelle) pruefe(f);
}

TEST_F(Fktwert, TextNormalisationAndReadingQuirks) {
  const Fall faelle[] = {
      {u"1,5*2", 0, 3, wert_gueltig},       {u" X + 1 ", 1, 2, wert_gueltig},     {u".5*2", 0, 1, wert_gueltig},
      {u"+X", 2, 2, wert_gueltig},          {u"X+", 5, 5, wert_gueltig},          {u"X)+1", 5, 5, wert_gueltig},
      {u"2X", 0, 2, wert_gueltig},          {u"2X+1", 0, 2, term_unlesbar},        {u"(2X+1)*3", 0, 3, term_unlesbar},
      {u"1E5+1", 0, 1, term_unlesbar},       {u"SIN", 0, 0, term_unlesbar},         {u"SIN(X", 1, std::sin(1.0), wert_gueltig},
      {u"SIN(X)A", 1, std::sin(1.0), wert_gueltig},                    {u"", 0, 0, term_unlesbar},
      {u" ", 0, 0, term_unlesbar},           {u"(X+1]", 1, 2, wert_gueltig},       {u"|X-3|", 1, 2, wert_gueltig},
      {u"[X+0.5)", 1.7, 2, wert_gueltig},   {u"(X+1", 1, 2, wert_gueltig},        {u"K", 0, 0, term_unlesbar},
      {u"x", 0, 0, term_unlesbar},           {u"(-X^2)+(-X^2)", 2, -8, wert_gueltig},
      {u"PH I", 0, 1.618033988749895, wert_gueltig},                   {u"PH  I", 0, 1.618033988749895, wert_gueltig},
      {u"X*121-PH I", 1, 121 - 1.618033988749895, wert_gueltig},       {u"P I", 0, 3.141592653589793, wert_gueltig},
      {u".1,", 0, 0, wert_gueltig},         {u"1,", 0, 1, wert_gueltig},          {u"2,5,", 0, 0, wert_gueltig},
  };
  for (const auto& f : faelle) pruefe(f);
}

TEST_F(Fktwert, XOutsideTheRange) {
  const double nan = std::nan("");
  const Fall faelle[] = {
      {u"X", -1000001, 0, term_unlesbar}, {u"X", 1000001, 0, kurve_unterbrochen},   {u"X", 1000000, 1000000, wert_gueltig},
      {u"X", -1000000, -1000000, wert_gueltig}, {u"X", nan, 0, term_unlesbar}, {u"X", INFINITY, 0, kurve_unterbrochen},
      {u"X", -INFINITY, 0, term_unlesbar},
  };
  for (const auto& f : faelle) pruefe(f);
}

TEST_F(Fktwert, LimitsAndUndefinedValues) {
  const Fall faelle[] = {
      {u"1/X", 0, 1e10, wert_undefiniert},            {u"1/X", 1e-12, 1e10, wert_begrenzt},     {u"-1/X", 1e-12, -1e12, wert_gueltig},
      {u"X^5", 100, 1e10, wert_gueltig},          {u"X^5", 101, 1e10, wert_begrenzt},       {u"X^5", -101, std::pow(-101.0, 5), wert_gueltig},
      {u"X^7", -101, 1e10, wert_begrenzt},         {u"X*X*X*X", 1000, 1e10, wert_begrenzt},  {u"X*X*X*X*X", 1000, 1e10, wert_undefiniert},
      {u"INT(X)^2", 0, 0, wert_undefiniert},          {u"X^2*INT(X)", 2.5, 12.5, kurve_unterbrochen},
      {u"HEAVISIDE(X)*X^2", 1, 0, wert_undefiniert},  {u"SGN(LN(X))", -1, 0, wert_gueltig},   {u"EXP(100)+X^2", 0, 1e10, wert_begrenzt},
      {u"[X]", -2, -3, wert_gueltig},             {u"INT(X)", -2, -3, kurve_unterbrochen},       {u"[X]", -2.5, -3, wert_gueltig},
  };
  for (const auto& f : faelle) pruefe(f);
}

TEST_F(Fktwert, ConstantsParametersAndNames) {
  P = 7; Q = 3;
  const Fall faelle[] = {
      {u"PI", 0, 3.141592653589793, wert_gueltig},  {u"PHI", 0, 1.618033988749895, wert_gueltig},
      {u"\u00C9", 0, 2.718281828459045, wert_gueltig}, {u"R", 0, 0, wert_gueltig},  {u"PIX", 0, 3.141592653589793, wert_gueltig},
      {u"P", 0, 7, wert_gueltig},  {u"P+Q", 0, 10, wert_gueltig},  {u"PH", 0, 7, wert_gueltig},
      {u"S(4)", 0, 16, wert_gueltig},  {u"ARC(0)", 0, std::acos(0.0), wert_gueltig},  {u"I(1)", 0, 0, term_unlesbar},
      {u"F1(X)", 0, 0, term_unlesbar},  {u"FOO(X)", 0, 0, term_unlesbar},  {u"CS(X)", 0, 0, term_unlesbar},  {u"N(X)", 0, 0, term_unlesbar},
      {u"A(-2)", 0, 2, wert_gueltig},  {u"E(0)", 0, 1, wert_gueltig},  {u"C(0)", 0, 1, wert_gueltig},
  };
  for (const auto& f : faelle) pruefe(f);
}

TEST_F(Fktwert, PowerRules) {
  const Fall faelle[] = {
      {u"(-2)^3", 0, -8, wert_gueltig},        {u"(-2)^-3", 0, -0.125, wert_gueltig},     {u"0^0", 0, 1, wert_gueltig},
      {u"0^-1", 0, 0, wert_gueltig},           {u"2^40", 0, 1e10, wert_begrenzt},          {u"0.5^1000", 0, std::pow(0.5, 1000), wert_gueltig},
      {u"X^2.5", 1000, 0, wert_undefiniert},       {u"X^(-1)", 1e-7, 0, wert_undefiniert},        {u"X^(-1)", 2e-7, 5e6, wert_gueltig},
      {u"(-8)^(1/3)", 0, 0, wert_undefiniert},     {u"(-2)^(-1)", 0, -0.5, wert_gueltig},     {u"(-2)^5", 0, -32, wert_gueltig},
      {u"1.000001^100000000", 0, 1e10, wert_begrenzt}, {u"X^3000000000", 1, 1, wert_gueltig},
      {u"(-1)^2147483647", 0, -1, wert_gueltig},
  };
  for (const auto& f : faelle) pruefe(f);
}

TEST_F(Fktwert, NumberTexts) {
  const Fall faelle[] = {
      {u"1.2.3", 0, 0, wert_gueltig},      {u"1\u00E92", 0, 0, wert_gueltig},
      {u"12345678901234567890", 0, 1e10, wert_begrenzt}, {u"1234567890", 0, 1234567890, wert_gueltig},
  };
  for (const auto& f : faelle) pruefe(f);
  std::u16string riesig(400, u'9');
  fktwert(riesig, 0);  // a number beyond the double range must not crash
  EXPECT_EQ(fehlercode, wert_begrenzt);
}

// Deep nesting stops at a fixed depth instead of overflowing the stack.
TEST_F(Fktwert, DeepNestingIsUnreadableButSafe) {
  for (char16_t klammer : {u'(', u'[', u'|'}) {
    std::u16string tief(100000, klammer);
    tief += u"X";
    EXPECT_EQ(fktwert(tief, 1), 0);
    EXPECT_EQ(fehlercode, term_unlesbar);
  }
  std::u16string tausend = std::u16string(1000, u'(') + u"X+1" + std::u16string(1000, u')');
  EXPECT_EQ(fktwert(tausend, 1), 2);
  EXPECT_EQ(fehlercode, wert_gueltig);
  std::u16string kette = u"X";
  for (int i = 0; i < 100000; ++i) kette += u"+X*2^X";
  fktwert(kette, 1);
  EXPECT_EQ(fehlercode, wert_gueltig);
  std::u16string operatoren(100000, u'-');
  EXPECT_EQ(fktwert(operatoren, 1), 0);
  EXPECT_EQ(fehlercode, term_unlesbar);
}

TEST_F(Fktwert, ExtremeNumbersStaySafe) {
  // Whatever the numbers, a call ends with a defined status; for finite inputs the value is
  // finite too, and a limited value stays within the limit.
  const auto status = [](std::u16string_view t, double x) {
    const double v = fktwert(t, x);
    const std::string fall = std::string(t.begin(), t.end()) + " at " + std::to_string(x);
    const Fehlercode bekannt[] = {wert_gueltig, term_unlesbar, wert_undefiniert, kurve_unterbrochen, wert_begrenzt};
    EXPECT_NE(std::ranges::find(bekannt, fehlercode), std::end(bekannt)) << fall << " gives status " << +fehlercode;
    return std::pair{v, fall};
  };
  const double werte[] = {0, 1e-300, 1e300, -1e300, 5e-324, 999999.999};
  const char16_t* terme[] = {u"X^X", u"X^1E", u"EXP(X)^X", u"[X*1e300]", u"X^99999999999",
                             u"(0-X)^(1/X)", u"GAMMA(X)", u"SI(X)", u"FRAC(X)", u"TAN(X)^-X"};
  for (double x : werte)
    for (auto t : terme) {
      const auto [v, fall] = status(t, x);
      EXPECT_TRUE(std::isfinite(v)) << fall << " gives " << v;
      if (fehlercode == wert_begrenzt) {
        EXPECT_LE(std::fabs(v), 1e10) << fall;
      }
    }
  P = std::nan("");
  status(u"P^P*X+GAMMA(P)+DIGAMMA(P)+SI(P)+EXP(P)+INT(P)+[P]", 1);
  P = INFINITY;
  status(u"P^P*X+GAMMA(P)+DIGAMMA(-P)+SI(P)+EXP(P)+INT(P)+[P]+P^0.5+(0-P)^3", 1);
}

}  // namespace

namespace {

// The edit of the term before reading, written out plainly: commas, blanks,
// a leading sign, and "(-X^".
std::u16string bearbeitet(std::u16string t) {
  for (auto& c : t)
    if (c == u',') c = u'.';
  while (t.size() > 1 && t.find(u' ') != std::u16string::npos) t.erase(t.find(u' '), 1);
  if (!t.empty() && t[0] == u'-') t.insert(0, u"0");
  if (!t.empty() && t[0] == u'+') t.insert(0, u"0");
  for (auto i = t.find(u"(-X^"); i != std::u16string::npos; i = t.find(u"(-X^")) t.insert(i + 1, u"0");
  return t;
}

using Zufall = std::function<std::uint32_t()>;

std::uint32_t wahl(const Zufall& zufall, std::uint32_t n) { return (zufall() >> 16) % n; }

// A readable term: names, constants, numbers, operators and brackets of all kinds.
std::u16string gueltiger_term(const Zufall& zufall, int tiefe) {
  static const char16_t* namen[] = {u"SIN", u"SQRT", u"SQR", u"EXP", u"LN", u"ARCTAN", u"ARCSIN",
                                    u"GAMMA", u"HEAVISIDE", u"SGN", u"INT", u"S", u"ARC", u"FRAC"};
  static const char16_t* einfache[] = {u"X", u"P", u"Q", u"R", u"PI", u"PHI", u"\u00C9", u"2", u"0.5",
                                       u"121", u"3.75", u"10"};
  static const char16_t* klammern[][2] = {{u"(", u")"}, {u"[", u"]"}, {u"|", u"|"}, {u"(", u"]"}};
  static const char16_t operatoren[] = u"+-*/^\u00B7";
  std::u16string t;
  const int glieder = 1 + wahl(zufall, 3);
  for (int g = 0; g < glieder; ++g) {
    if (g > 0) t += operatoren[wahl(zufall, 6)];
    if (wahl(zufall, 4) == 0) t += u'-';
    const auto art = tiefe > 0 ? wahl(zufall, 4) : 0;
    if (art <= 1) {
      t += einfache[wahl(zufall, std::size(einfache))];
    } else if (art == 2) {
      t += std::u16string(namen[wahl(zufall, std::size(namen))]) + u"(" + gueltiger_term(zufall, tiefe - 1) + u")";
    } else {
      const auto& k = klammern[wahl(zufall, std::size(klammern))];
      t += std::u16string(k[0]) + gueltiger_term(zufall, tiefe - 1) + k[1];
    }
  }
  return t;
}

// One to three blanks or commas anywhere: inside names, numbers and operators too.
std::u16string mit_blanks(std::u16string t, const Zufall& zufall) {
  const int n = 1 + wahl(zufall, 3);
  for (int i = 0; i < n; ++i) t.insert(wahl(zufall, t.size() + 1), 1, wahl(zufall, 4) == 0 ? u',' : u' ');
  return t;
}

// The evaluator reads the raw text and edits it only when it must; whatever the
// text, the outcome equals that of reading the edited text.
TEST(FktwertEdit, RawReadingEqualsReadingTheEditedText) {
  const char16_t* besondere[] = {u"2X ",       u"S IN(X)",    u"SIN (-X^2)", u"S+X*(-X^2)", u"(2(-X^2))+1",
                                 u" -X^2",     u"( -X^2)",    u"1 ,5",       u"-",          u"+X",
                                 u"-(-X^2)",   u"(-X^",       u"F1(-X^2)-1", u"X+ ",        u"2 X",
                                 u"SIN(X) ",   u"X^2 /2",     u"-X^2-(-X^3)", u"PH I",     u"PH  I",
                                 u"X*121-PH I", u"P HI",      u"(PH I)",     u"P I"};
  const std::u16string alphabet = u"()-+*/^X ,.2S1IN[|PH";
  std::uint32_t zufall = 12345;
  auto naechste = [&] { return zufall = zufall * 1103515245u + 12345u; };
  std::vector<std::u16string> terme(std::begin(besondere), std::end(besondere));
  for (int i = 0; i < 20000; ++i) {
    std::u16string t;
    const int laenge = 1 + (naechste() >> 16) % 12;
    for (int k = 0; k < laenge; ++k) t += alphabet[(naechste() >> 16) % alphabet.size()];
    terme.push_back(t);
  }
  for (int tiefe = 3996; tiefe <= 4000; ++tiefe) {  // around the depth limit
    terme.push_back(u"-" + std::u16string(tiefe, u'(') + u"X");
    terme.push_back(std::u16string(tiefe, u'(') + u"-X^2");
  }
  for (int i = 0; i < 20000; ++i) terme.push_back(mit_blanks(gueltiger_term(naechste, 3), naechste));
  P = 0.5;
  for (const auto& t : terme) {
    for (double x : {-1.5, 2.0}) {  // NOLINT
      const double roh = fktwert(t, x);
      const int status_roh = fehlercode;
      const double ref = fktwert(bearbeitet(t), x);
      ASSERT_EQ(status_roh, fehlercode) << std::string(t.begin(), t.end());
      if (!(std::isnan(roh) && std::isnan(ref))) {
        ASSERT_EQ(roh, ref) << std::string(t.begin(), t.end());
      }
    }
  }
  P = 0;
}

}  // namespace
