#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fktint.h"
#include "steuerzustand.h"
#include "suche.h"

namespace {

class Suche : public ::testing::Test {
 protected:
  void SetUp() override { steuer = Steuerzustand{}; }
};

TEST_F(Suche, ZerosOfTable) {
  const struct { const char16_t* term; std::vector<double> nullen; } faelle[] = {
      {u"X^2/4-2", {-std::sqrt(8.0), std::sqrt(8.0)}},
      {u"X^2", {0}},            // touches without a sign change: found by the turn, once
      {u"1/X", {}},             // the pole's sign change lies between large values
      {u"SQRT(X)-1", {1}},      // undefined left part skipped
      {u"INT(X)-1", {}},        // kurve_unterbrochen at the first sample
      {u"HEAVISIDE(X)-0,5", {}},
      {u"", {}},
  };
  for (const auto& f : faelle) {
    steuer.ed_f1 = f.term;
    nullstellenzahl = 7;
    nullstellensuche();
    ASSERT_EQ(nullstellenzahl, static_cast<int>(f.nullen.size()));
    for (int i = 0; i < nullstellenzahl; ++i) EXPECT_NEAR(nullstellenliste[i], f.nullen[i], 1e-6);
  }
}

TEST_F(Suche, FullListStopsAtTheLeftmost24) {
  steuer.ed_f1 = u"SIN(10*X)";
  nullstellensuche();
  ASSERT_EQ(nullstellenzahl, 24);
  const double pi = std::acos(-1.0);
  const int erste = static_cast<int>(std::ceil(-6.0001 * 10 / pi));
  for (int i = 0; i < 24; ++i) EXPECT_NEAR(nullstellenliste[i], (erste + i) * pi / 10, 1e-9) << i;
}

TEST_F(Suche, ParameterComesFromItsField) {
  steuer.ed_f1 = u"X-P";
  steuer.ed_parameter = u"2,5";
  P = 0;
  nullstellensuche();
  EXPECT_EQ(P, 2.5);
  ASSERT_EQ(nullstellenzahl, 1);
  EXPECT_NEAR(nullstellenliste[0], 2.5, 1e-6);
  steuer.ed_parameter = u"?";
  nullstellensuche();
  EXPECT_EQ(P, 0);
}

TEST_F(Suche, RangeBoundsBeyond100FallBack) {
  // Zeros at every half: the range shows in the first and last found.
  steuer.ed_f1 = u"COS(PI*X)";
  const struct { const char16_t* von; const char16_t* bis; double erste, letzte; int zahl; } faelle[] = {
      {u"-200", u"-3", -4.5, -3.5, 2},
      {u"200", u"-3", -4.5, -3.5, 2},  // a start above 100 also becomes -5.0001
      {u"1", u"300", 1.5, 4.5, 4},
      {u"-1", u"-0,5", -0.5, -0.5, 1},  // the widened end still catches the zero on the bound
  };
  for (const auto& f : faelle) {
    steuer.ed_von = f.von;
    steuer.ed_bis = f.bis;
    nullstellensuche();
    ASSERT_EQ(nullstellenzahl, f.zahl);
    EXPECT_NEAR(nullstellenliste[0], f.erste, 1e-5);
    EXPECT_NEAR(nullstellenliste[nullstellenzahl - 1], f.letzte, 1e-5);
  }
}

TEST_F(Suche, ReversedRangeMakesOneStep) {
  steuer.ed_f1 = u"X";
  steuer.ed_von = u"3";
  steuer.ed_bis = u"-3";
  nullstellensuche();
  EXPECT_EQ(nullstellenzahl, 0);
}

TEST_F(Suche, ExtremaAndInflections) {
  steuer.ed_f1 = u"X^2/4-2";
  extremasuche();
  ASSERT_EQ(extremazahl, 1);
  const double gitter = 12.0002 / 2500;
  EXPECT_NEAR(extremaliste[0], 0, 1e-6);
  EXPECT_EQ(extremaschritt, gitter);
  wendepunktsuche(u"0,5", steuer.ed_f1);
  EXPECT_EQ(wendepunktzahl, 0);

  steuer.ed_f1 = u"X^3-3*X";
  extremasuche();
  ASSERT_EQ(extremazahl, 2);
  EXPECT_NEAR(extremaliste[0], -1, 1e-6);
  EXPECT_NEAR(extremaliste[1], 1, 1e-6);
  // The sign change of d1 pins them to the last bits.
  extremasuche(u"3*X^2-3");
  ASSERT_EQ(extremazahl, 2);
  EXPECT_NEAR(extremaliste[0], -1, 1e-15);
  EXPECT_NEAR(extremaliste[1], 1, 1e-15);
  // A wrong d1 whose root lies beside the turn (1,003 against 1) is overruled
  // by the values of f, and the golden section finds the turn.
  extremasuche(u"X-1,003");
  ASSERT_EQ(extremazahl, 2);
  EXPECT_NEAR(extremaliste[1], 1, 1e-6);
  wendepunktsuche(u"6*X", steuer.ed_f1);
  ASSERT_EQ(wendepunktzahl, 1);
  EXPECT_NEAR(wendepunktliste[0], 0, 1e-12);
  wendepunktsuche(u"", steuer.ed_f1);
  EXPECT_EQ(wendepunktzahl, 0);
}

TEST_F(Suche, InflectionsNeedTheCurvatureOfTheTermToChange) {
  // d2 of X*ABS(X) jumps at 0, yet the curve bends the other way there.
  wendepunktsuche(u"2*SGN(X)", u"X*ABS(X)");
  ASSERT_EQ(wendepunktzahl, 1);
  EXPECT_NEAR(wendepunktliste[0], 0, 1e-12);
  // At the corners of ABS(X^2-9) the same d2 changes sign: no inflection points.
  wendepunktsuche(u"2*SGN(X^2-9)", u"ABS(X^2-9)");
  EXPECT_EQ(wendepunktzahl, 0);
  // A d2 that is not the term's: its sign change is not believed.
  wendepunktsuche(u"X-1", u"X^2");
  EXPECT_EQ(wendepunktzahl, 0);
  // Without the term, a d2 that jumps or has a pole counts for nothing.
  wendepunktsuche(u"2*SGN(X)");
  EXPECT_EQ(wendepunktzahl, 0);
  wendepunktsuche(u"1/X");
  EXPECT_EQ(wendepunktzahl, 0);
  wendepunktsuche(u"X-1");
  ASSERT_EQ(wendepunktzahl, 1);
  EXPECT_NEAR(wendepunktliste[0], 1, 1e-12);
}

TEST_F(Suche, IntersectionsAppendTheirHeaderLines) {
  std::vector<std::u16string> zeilen;
  steuer.ed_f1 = u"X";
  steuer.ed_f2 = u"X^2/4-2";
  schnittpunktsuche(zeilen);
  ASSERT_EQ(zeilen.size(), 2u);
  EXPECT_EQ(zeilen[0], u"Точки пересечения между f1 и f2");
  EXPECT_EQ(zeilen[1], u"Функция f2: Y = X^2/4-2");
  ASSERT_EQ(schnittpunktzahl, 2);
  EXPECT_NEAR(schnittpunktliste[0], 2 - std::sqrt(12.0), 1e-9);
  EXPECT_NEAR(schnittpunktliste[1], 2 + std::sqrt(12.0), 1e-9);
  // A curve does not cross itself.
  steuer.ed_f2 = steuer.ed_f1;
  schnittpunktsuche(zeilen);
  EXPECT_EQ(schnittpunktzahl, 0);

  steuer.ed_f2 = u"";  // "X-()" cannot be read
  zeilen.clear();
  schnittpunktzahl = 5;
  schnittpunktsuche(zeilen);
  EXPECT_EQ(schnittpunktzahl, 0);
  EXPECT_EQ(zeilen.size(), 2u);
  EXPECT_EQ(zeilen[1], u"Функция f2: Y = ");
}

TEST(Nullstelle, BrentConvergesAndKeepsLastValue) {
  EXPECT_NEAR(nullstelle(u"X^2-2", 50, 1e-6, 1, 2), std::sqrt(2.0), 1e-6);
  EXPECT_NEAR(nullstelle(u"COS(X)", 100, 1e-6, 1, 2), std::acos(-1.0) / 2, 1e-6);
  // No iterations: the right end comes back.
  EXPECT_EQ(nullstelle(u"X", 0, 1e-6, -1, 3), 3);
  // An exact zero at an end ends at once.
  EXPECT_EQ(nullstelle(u"X-2", 50, 1e-6, 1, 2), 2);
}

TEST_F(Suche, ExtremumKind) {
  // Where the neighbours are clear they decide, whatever d2 says.
  EXPECT_TRUE(istminimum(u"X^2", u"2", 0));
  EXPECT_FALSE(istminimum(u"-X^2", u"-2", 0));
  EXPECT_TRUE(istminimum(u"X^4", u"0", 0));
  EXPECT_TRUE(istminimum(u"ABS(X)", u"0", 0));
  // Only where they are not (a constant, a point on a slope) the sign of d2
  // decides, 0 counting as maximum.
  EXPECT_TRUE(istminimum(u"1", u"1", 0));
  EXPECT_FALSE(istminimum(u"1", u"0", 0));
  EXPECT_FALSE(istminimum(u"X", u"-1", 0));
  // Without a usable d2 the neighbours decide: a minimum is no maximum.
  steuer.ed_f1 = u"SQR(X-1)";
  extremasuche();
  ASSERT_EQ(extremazahl, 1);
  EXPECT_TRUE(istminimum(u"SQR(X-1)", u"", extremaliste[0]));
  EXPECT_TRUE(istminimum(u"SQR(X-1)", u"(", extremaliste[0]));
  EXPECT_FALSE(istminimum(u"1-SQR(X-1)", u"", extremaliste[0]));
}

}  // namespace
