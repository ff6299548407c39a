// Signs the evaluator gives to the base of a power, found as the evaluator reads them.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "fktint.h"
#include "uableitung.h"

namespace {

std::string u8(const std::u16string& s) { return std::string(s.begin(), s.end()); }

// Each hit as "[signed base]^exponent".
std::vector<std::string> treffer(const std::u16string& t) {
  std::vector<std::string> r;
  for (const vorzeichenbasis& v : vorzeichenvorpotenz(t))
    r.push_back("[" + u8(t.substr(v.zeichen, v.basisende - v.zeichen)) + "]" +
                u8(t.substr(v.basisende, v.potenzende - v.basisende)));
  return r;
}

struct Fall {
  std::u16string term;
  std::vector<std::string> erwartet;
};

TEST(Vorzeichen, SignsBoundToTheBaseOfAPower) {
  const Fall faelle[] = {
      {u"EXP(-(X-1)^2)", {"[-(X-1)]^2"}},
      {u"1+-X^2", {"[-X]^2"}},
      {u"+-X^2", {"[-X]^2"}},
      {u"1--X^2", {"[-X]^2"}},
      {u"(-2^2)", {"[-2]^2"}},
      {u"2*-X^2", {"[-X]^2"}},
      {u"(-P^2*X)", {"[-P]^2"}},
      {u"(-PI^2)", {"[-PI]^2"}},
      {u"(-PHI^X)", {"[-PHI]^X"}},
      {u"(-0,5^X)", {"[-0,5]^X"}},
      {u"1+-X^2*3", {"[-X]^2"}},
      {u"X*(-SIN(X)^2^3+1)", {"[-SIN(X)]^2^3"}},
      {u"1+-X^-2", {"[-X]^-2"}},
      {u"1+-(2*-X^2)^3", {"[-(2*-X^2)]^3", "[-X]^2"}},
      {u"(-[X]^2)", {"[-[X]]^2"}},
      {u"|-X^2|", {"[-X]^2"}},
      {u"(1+-X^2)", {"[-X]^2"}},
      {u"1+-X^SIN(X)", {"[-X]^SIN(X)"}},
      {u"1+-X^2A", {"[-X]^2"}},
      {u"1+-X^(X+1", {"[-X]^(X+1"}},
      {u"(-Q^2)+(-X^3)+(-R^2)", {"[-Q]^2", "[-R]^2"}},
      // the evaluator's own repairs, and signs no power follows
      {u"-X^2", {}},
      {u"-(X-1)^2", {}},
      {u"(-X^2)", {}},
      {u"SIN(-X^2)", {}},
      {u"2-(X-1)^2", {}},
      {u"(-X)^2", {}},
      {u"-(-X)^2", {}},
      {u"1+-X", {}},
      {u"1+-X^", {}},
      {u"1+-X*Y^2", {}},
      {u"2^-X^2", {}},
      {u"X^2", {}},
      {u"", {}},
      // a closing character outside every bracket ends the term
      {u"X)+-X^2", {}},
  };
  for (const Fall& f : faelle) EXPECT_EQ(treffer(f.term), f.erwartet) << u8(f.term);
}

// The evaluator itself confirms each hit: bracketing the signed base keeps its value,
// while a bracket around the whole power (the usual reading) changes it.
TEST(Vorzeichen, TheEvaluatorReadsTheHitsSo) {
  P = 1.3;
  int geprueft = 0;
  for (const std::u16string t : {u"EXP(-(X-1)^2)", u"1+-X^2", u"X*(-SIN(X)^2+1)", u"(-P^2*X)", u"1+-(2*X-1)^2*3",
                                 u"(-(X+1)^2^2)", u"SIN(-(2*X)^2)", u"1/(-(X+2)^2+5)", u"X+-LN(X)^2"}) {
    const auto hits = vorzeichenvorpotenz(t);
    ASSERT_EQ(hits.size(), 1u) << u8(t);
    const vorzeichenbasis v = hits[0];
    std::u16string basis = t, potenz = t;
    basis.insert(v.basisende, u")");
    basis.insert(v.zeichen, u"(");
    potenz.insert(v.potenzende, u"))");
    potenz.insert(v.zeichen + 1, u"(");
    potenz.insert(v.zeichen, u"(");
    for (const double x : {0.7, 1.6, 2.3}) {
      const double w = fktwert(t, x);
      if (fehlercode != wert_gueltig) continue;
      ++geprueft;
      EXPECT_EQ(fktwert(basis, x), w) << u8(basis) << " at " << x;
      EXPECT_NE(fktwert(potenz, x), w) << u8(potenz) << " at " << x;
    }
  }
  P = 0;
  EXPECT_GT(geprueft, 20);
}

// Random terms, with signs everywhere an operand may start: where the evaluator
// reads them, bracketing each hit's base keeps the value. Random junk around them
// checks that every hit lies inside the text, on a "-" before a base and a "^".
struct zufallsterm {
  std::mt19937 zufall{20};
  int wahl(int n) { return std::uniform_int_distribution<int>(0, n - 1)(zufall); }
  std::u16string faktor(int tiefe) {
    static const std::u16string blaetter[] = {u"X", u"2", u"0,5", u"P", u"PI", u"3"};
    static const std::u16string klammern[][2] = {{u"(", u")"}, {u"SIN(", u")"}, {u"EXP(", u")"}, {u"[", u"]"}, {u"|", u"|"}};
    if (tiefe <= 0 || wahl(3) == 0) return blaetter[wahl(6)];
    const auto& k = klammern[wahl(5)];
    return k[0] + ausdruck(tiefe - 1) + k[1];
  }
  std::u16string operand(int tiefe) {
    std::u16string t = wahl(2) ? u"-" : u"";
    t += faktor(tiefe);
    if (wahl(2)) t += u"^" + faktor(tiefe - 1);
    return t;
  }
  std::u16string ausdruck(int tiefe) {
    static const std::u16string ops[] = {u"+", u"-", u"*", u"/", u"^"};
    std::u16string t = operand(tiefe);
    for (int k = wahl(3); k > 0; --k) t += ops[wahl(5)] + operand(tiefe - 1);
    return t;
  }
  std::u16string muell() {
    static const std::u16string stuecke[] = {u"X", u"-", u"+", u"*", u"^", u"(", u")", u"|", u"]", u"P", u"PH", u"SIN(", u"2"};
    std::u16string t;
    for (int k = wahl(14); k >= 0; --k) t += stuecke[wahl(13)];
    return t;
  }
};

TEST(Vorzeichen, RandomTermsConfirmTheirHits) {
  zufallsterm z;
  int bestaetigt = 0;
  for (int n = 0; n < 6000; ++n) {
    const std::u16string t = n % 3 ? z.ausdruck(3) : z.muell();
    for (const vorzeichenbasis& v : vorzeichenvorpotenz(t)) {
      ASSERT_LT(v.zeichen, v.basisende) << u8(t);
      ASSERT_LT(v.basisende, v.potenzende) << u8(t);
      ASSERT_LE(v.potenzende, t.size()) << u8(t);
      ASSERT_EQ(t[v.zeichen], u'-') << u8(t);
      ASSERT_EQ(t[v.basisende], u'^') << u8(t);
      const double w = fktwert(t, 0.7);
      if (fehlercode != wert_gueltig) continue;
      std::u16string basis = t;
      basis.insert(v.basisende, u")");
      basis.insert(v.zeichen, u"(");
      const double b = fktwert(basis, 0.7);
      EXPECT_TRUE(b == w || (std::isnan(b) && std::isnan(w))) << u8(t) << " vs " << u8(basis);
      ++bestaetigt;
    }
  }
  EXPECT_GT(bestaetigt, 1000);
}

}  // namespace
