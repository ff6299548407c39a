// Derivative builder: raw texts character for character, failures, limits.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fktint.h"
#include "uableitung.h"

namespace {

std::string u8(const std::u16string& s) { return std::string(s.begin(), s.end()); }
std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

struct Fall {
  std::u16string term;
  std::u16string erwartet;
};

TEST(Ableitung, RawTextsCharacterForCharacter) {
  const Fall faelle[] = {
      {u"X^2", u"2*X"},
      {u"X^3-2*X", u"3*X^2-2"},
      {u"X*SIN(X+P)", u"SIN(X+P)+X*COS(X+P)"},
      {u"X^(1/X)", u"X^(1/X)*(-1/X^2*LN(X)+(1/X)/X)"},
      {u"X^P*EXP(-X)", u"X^P*(P/X)*EXP(-X)+X^P*(-EXP(-X))"},
      {u"SIN(TAN(X))", u"(1+TAN(X)^2)*COS(TAN(X))"},
      {u"(X+1)*EXP(1-X)", u"EXP(1-X)+(X+1)*(-EXP(1-X))"},
      {u"(X+2)/EXP(P*X)", u"(EXP(P*X)-(X+2)*P*EXP(P*X))/EXP(P*X)^2"},
      {u"EXP(-1/X^4)", u"(4*X^3/(X^4)^2)*EXP(-1/X^4)"},
      {u"(X^2+1)/(X-1)", u"((2*X)*(X-1)-(X^2+1))/(X-1)^2"},
      {u"2^X", u"2^X*LN(2)"},
      {u"X^P", u"X^P*(P/X)"},
      {u"LG(X)", u"0.4342944819/X"},
      {u"LD(X)", u"1.4426950409/X"},
      {u"COS(X)", u"-SIN(X)"},
      {u"ABS(X)", u"SGN(X)"},
      {u"SGN(X)", u"0"},
      {u"INT(X)", u"0"},
      {u"P*X", u"P"},
      {u"\u00C9*X", u"2.7182818285"},
      {u"X+X", u"2"},
      {u"X*X", u"2*X"},
      {u"2,5*X", u"2.5"},
      {u"+X", u"1"},
      {u"PX", u"0"},
      {u"PHI*X", u"P"},
      {u"4*2*X", u"4*2"},
      {u" X ^ 2 ", u"2*X"},
      {u"WURZEL(X)", u"1/(2*SQRT(X))"},
  };
  for (const auto& f : faelle) EXPECT_EQ(u8(ableitung(f.term)), u8(f.erwartet)) << u8(f.term);
}

TEST(Ableitung, UnreadableTermsGiveTheEmptyText) {
  for (const std::u16string t :
       {u"", u" ", u"X+", u"(X", u"X)", u"2X", u"SIN X", u"2*-X", u"X^-1", u"*X", u"XX", u"QX", u"\u00C9X",
        u"SQR(X)", u"SEC(X)", u"GAMMA(X)", u"F1(X)", u"HEAVISIDE(X)", u"1.2.3", u"1E", u"1E999*X", u"."})
    EXPECT_EQ(u8(ableitung(t)), "") << u8(t);
}

// Negative number exponents are written in brackets, so that the builder reads its
// own output again: the second derivative of X^0.5 used to be empty.
TEST(Ableitung, OwnOutputReadsBack) {
  EXPECT_EQ(u8(ableitung(u"X^0.5")), "0.5*X^(-0.5)");
  EXPECT_EQ(u8(ableitung(u"(X^2+1)^0.5")), "0.5*(X^2+1)^(-0.5)*(2*X)");
  for (const std::u16string t : {u"X^0.5", u"(X^2+1)^0.5", u"X^(1/3)", u"SQRT(X)^0.25", u"X^(-1)", u"2^(X^0.5)"}) {
    const auto d1 = ableitung(t);
    EXPECT_NE(d1, u"") << u8(t);
    EXPECT_NE(ableitung(d1), u"") << u8(t) << " -> " << u8(d1);
  }
}

// The printer's folds A+A -> 2*A and B*B -> B^2 bracket an operand that would
// otherwise bind looser: 2*X+1 and 2*X^2 were wrong values.
TEST(Ableitung, FoldsKeepTheirOperandsTogether) {
  EXPECT_EQ(u8(ableitung(u"(X^2+X)+(X^2+X)")), "2*(2*X+1)");
  EXPECT_EQ(u8(ableitung(u"2*X*X^2")), "2*X^2+(2*X)^2");
  EXPECT_NEAR(fktwert(ableitung(u"2*X*X^2"), 1.5), 6 * 2.25, 1e-12);
  EXPECT_EQ(u8(ableitung(u"X*X")), "2*X");
  EXPECT_EQ(u8(ableitung(u"SIN(X)^2")), "2*SIN(X)*COS(X)");
}

// Only an operand that really holds a sum is bracketed by the fold: a right operand
// whose own sum folded away to a number stays a number, so 2*1 still becomes 2;
// a signed one is bracketed, so that the builder reads the text again.
TEST(Ableitung, FoldedNumbersStillFold) {
  ersetzungslisteladen();
  for (const std::u16string t : {u"X+X-P", u"(X+1)+(X+1)", u"X+X-SGN(X)", u"X+X-1"}) {
    EXPECT_EQ(u8(ableitung(t)), "2") << u8(t);
    EXPECT_EQ(u8(ableitungsterm(t)), "2") << u8(t);
  }
  EXPECT_EQ(u8(ableitung(u"EXP(-X)+EXP(-X)")), "2*(-EXP(-X))");
  const auto d2 = ableitungsterm(ableitungsterm(u"EXP(-X)+EXP(-X)"));
  EXPECT_NEAR(fktwert(d2, 0.7), 2 * std::exp(-0.7), 1e-12) << u8(d2);
}

// Rule 7 of the simplifier ("-1*" leaves "-") must not eat the digit of an exponent -1.
TEST(Ableitung, ExponentMinusOneKeepsItsDigit) {
  EXPECT_EQ(u8(vereinfachen(u"X^-1*(-1/X)")), "X^-1*(-1/X)");
  EXPECT_EQ(u8(vereinfachen(u"2-1*X")), "2-X");
  EXPECT_EQ(u8(ableitung(u"X^(-1)")), "X^(-1)*(-1/X)");
}

// A LOG carried into a derivative is written LN(u)/LN(P): the builder and the
// evaluator both read it as the same function.
TEST(Ableitung, LogCarriedIntoADerivative) {
  EXPECT_EQ(u8(ableitung(u"LOG(X)")), "1/LN(P)/X");
  const auto d = ableitung(u"X*LOG(X)");
  EXPECT_EQ(u8(d), "LN(X)/LN(P)+X/LN(P)/X");
  P = 3;
  EXPECT_NEAR(fktwert(d, 2), std::log(2) / std::log(3) + 1 / std::log(3), 1e-12);
  EXPECT_EQ(fehlercode, wert_gueltig);
  EXPECT_NE(ableitung(d), u"");
  P = 0;
}

TEST(Ableitung, NumberTexts) {
  EXPECT_EQ(u8(ableitung(u"0.1*X")), "0.1");
  EXPECT_EQ(u8(ableitung(u"0.00000000001*X")), "0");  // rounds to zero, no "-0"
  EXPECT_EQ(u8(ableitung(u"1E3*X")), "1000");
  EXPECT_EQ(u8(ableitung(u"X/3")), "1/3");
  EXPECT_EQ(u8(ableitung(u"0.00000000001/X")), "0");  // the factor -c is a negative zero
  EXPECT_EQ(u8(ableitung(u"1E20*X")), "100000000000000000000");
}

// Terms longer than 255 characters are read like short ones.
TEST(Ableitung, LongTermsAreAccepted) {
  std::u16string t = u"X";
  for (int i = 0; i < 100; ++i) t += u"+X^2";
  ASSERT_GT(t.size(), 300u);
  const auto d = ableitung(t);
  EXPECT_EQ(d.size(), 1 + 100 * 4u);  // 1+2*X+2*X+...
  EXPECT_EQ(u8(d.substr(0, 10)), "1+2*X+2*X+");
}

// The second derivative of a product of n factors has about n^3 characters. The
// builder forms it as long as its text and its work stay within their bounds, and
// declines it beyond them after a bounded amount of counted work.
TEST(Ableitung, LongDerivativesAreBoundedByTheirSize) {
  ersetzungslisteladen();
  auto produkt = [](int n) {
    std::u16string t;
    for (int i = 1; i <= n; ++i) t += (i > 1 ? u"*(X+" : u"(X+") + u16(std::to_string(i)) + u")";
    return t;
  };
  const auto d1 = ableitungsterm(produkt(25));
  ASSERT_GT(d1.size(), 2000u);  // longer than any term typed by hand
  const auto d2 = ableitungsterm(d1);
  EXPECT_FALSE(ableitungabgelehnt);
  EXPECT_GT(d2.size(), 30000u);
  EXPECT_LE(d2.size(), maxableitungslaenge);

  EXPECT_EQ(ableitungsterm(produkt(120)), u"");  // its first derivative passes the length
  EXPECT_TRUE(ableitungabgelehnt);
  for (const int n : {40, 60}) {
    const auto e1 = ableitungsterm(produkt(n));
    ASSERT_FALSE(ableitungabgelehnt) << n;
    EXPECT_EQ(ableitung(e1), u"") << n;
    EXPECT_TRUE(ableitungabgelehnt) << n;
    EXPECT_LT(ableitungsarbeit, maxableitungsarbeit + maxableitungsarbeit / 4) << n;
    EXPECT_EQ(ableitungsterm(e1), u"") << n;
    EXPECT_TRUE(ableitungabgelehnt) << n;
  }
  // Work that ends at once: a term longer than the whole budget, deep towers, and
  // blanks, which go in one sweep.
  EXPECT_EQ(u8(ableitung(std::u16string(maxableitungsarbeit / 2, u' ') + u"X^2")), "2*X");
  EXPECT_EQ(ableitung(std::u16string(maxableitungsarbeit + 1, u'X')), u"");
  EXPECT_TRUE(ableitungabgelehnt);
  EXPECT_EQ(ableitung(std::u16string(120, u'(') + u"X" + [] {
              std::u16string s;
              for (int i = 0; i < 120; ++i) s += u"^X)";
              return s;
            }()),
            u"");
  EXPECT_TRUE(ableitungabgelehnt);
  EXPECT_LT(ableitungsarbeit, maxableitungsarbeit + maxableitungsarbeit / 4);
  // An unreadable term is not a declined one.
  EXPECT_EQ(ableitung(u"GAMMA(X)"), u"");
  EXPECT_FALSE(ableitungabgelehnt);
}

// The long second derivative is the right one: a product of 25 factors with small
// values, against the closed form P'' = P * ((sum 1/(x+c))^2 - sum 1/(x+c)^2).
TEST(Ableitung, SecondDerivativeOfALongProduct) {
  ersetzungslisteladen();
  std::vector<double> c;
  std::u16string t;
  for (int i = 1; i <= 25; ++i) {
    c.push_back((i % 2 ? 0.1 : -0.1) * (i % 7 + 1));
    t += (i > 1 ? u"*(X+" : u"(X+") + u16(std::to_string(c.back()).substr(0, 5)) + u")";
  }
  const auto d1 = ableitungsterm(t);
  ASSERT_GT(d1.size(), 2000u);
  const auto d2 = ableitungsterm(d1);
  ASSERT_FALSE(d2.empty());
  for (const double x : {0.93, 0.45, -0.55, 0.05}) {
    double p = 1, s1 = 0, s2 = 0;
    for (const double ci : c) {
      p *= x + std::stod(std::to_string(ci).substr(0, 5));
      s1 += 1 / (x + ci);
      s2 += 1 / ((x + ci) * (x + ci));
    }
    const double wahr = p * (s1 * s1 - s2);
    EXPECT_NEAR(fktwert(d2, x), wahr, 1e-9 * std::max(1.0, std::fabs(wahr))) << x;
    EXPECT_EQ(fehlercode, wert_gueltig) << x;
  }
}

// Deep nesting ends promptly with the empty text instead of exhausting the stack:
// the parse stops at its depth after reading the text about once, and a long chain
// stops at the work budget.
TEST(Ableitung, DeepNestingGivesTheEmptyTextPromptly) {
  const std::u16string klammern = std::u16string(100000, u'(') + u"X" + std::u16string(100000, u')');
  std::u16string funktionen;
  for (int i = 0; i < 5000; ++i) funktionen += u"SIN(";
  funktionen += u"X" + std::u16string(5000, u')');
  for (const auto& t : {klammern, funktionen}) {
    EXPECT_EQ(ableitung(t), u"");
    EXPECT_LE(ableitungsarbeit, 2 * t.size());
  }
  std::u16string kette = u"X";
  for (int i = 0; i < 20000; ++i) kette += u"+X";
  EXPECT_EQ(ableitung(kette), u"");
  EXPECT_LE(ableitungsarbeit, maxableitungsarbeit + maxableitungsarbeit / 4);
  // Nesting that school terms reach is well inside the limit.
  EXPECT_EQ(u8(ableitung(std::u16string(200, u'(') + u"X^2" + std::u16string(200, u')'))), "2*X");
}

}  // namespace
