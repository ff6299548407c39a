// Signs the evaluator gives to the base of a power, found as the evaluator reads them.
#include <gtest/gtest.h>

#include <cmath>
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
      if (fehlercode != 0) continue;
      ++geprueft;
      EXPECT_EQ(fktwert(basis, x), w) << u8(basis) << " at " << x;
      EXPECT_NE(fktwert(potenz, x), w) << u8(potenz) << " at " << x;
    }
  }
  P = 0;
  EXPECT_GT(geprueft, 20);
}

}  // namespace
