// Displayed first and second derivatives of typical school functions, evaluated by
// the program's own evaluator, against difference quotients of the term.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "fktint.h"
#include "uableitung.h"

namespace {

std::string u8(const std::u16string& s) { return std::string(s.begin(), s.end()); }
std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Hand-picked functions as they come up in school, one per line of thought.
const std::vector<std::string> schulfunktionen = {
    // polynomials
    "X^2", "X^3", "X^4-2*X^2", "X^3-3*X", "2*X^3-3*X^2+1", "X^2-4*X+3", "0.5*X^2-2", "X^2/4-2",
    "-X^2+2*X", "(X-1)^2", "(X+2)^3", "(X^2-1)^2", "X^5-X", "P*X^2", "X^2+P*X", "X^3-P*X",
    "P*X^3+X", "(X-P)^2", "X^4/4-X^3/3", "3*X^4-4*X^3", "X*(X-2)*(X+1)", "(X-1)*(X+1)",
    "1/3*X^3-X", "-0.25*X^4+X^2",
    // rational
    "1/X", "1/X^2", "2/X", "1/(X-1)", "1/(X^2+1)", "X/(X^2+1)", "(X^2+1)/(X-1)", "(X^2+1)/(X^2-1)",
    "(X-1)/(X+1)", "(1-X)/(1+X)^2", "X^2/(X-1)", "(X+1)/X", "X/(X-1)^2", "1/(X^2-4)", "(2*X-1)/(X+3)",
    "X+1/X", "X-1/X", "X^2+1/X", "(X^3-1)/X", "X/(1+X^2)^2", "P/X", "1/(X-P)", "X/(X+P)", "(X^2-P)/X",
    "4/(X^2+4)", "(X^2-1)/(X^2+1)",
    // roots
    "SQRT(X)", "SQRT(X+1)", "SQRT(X^2+1)", "SQRT(4-X^2)", "X*SQRT(X)", "SQRT(X)/X", "1/SQRT(X)",
    "X^0.5", "X^1.5", "(X^2+1)^0.5", "SQRT(1-X)", "SQRT(X^3)", "X*SQRT(1-X^2)", "SQRT(P*X)",
    "X^(1/3)", "X^(2/3)", "X^(-1)", "X^(-2)", "X^(-0.5)",
    // exp and ln
    "EXP(X)", "EXP(-X)", "EXP(2*X)", "EXP(-X^2)", "X*EXP(X)", "X*EXP(-X)", "X^2*EXP(-X)", "EXP(X)/X",
    "(X+1)*EXP(1-X)", "(X+2)/EXP(P*X)", "EXP(P*X)", "X^P*EXP(-X)", "EXP(-1/X^4)", "EXP(X)+EXP(-X)",
    "EXP(SIN(X))", "2^X", "P^X", "X^X", "X^(1/X)", "10^X",
    "LN(X)", "LN(X^2+1)", "X*LN(X)", "LN(X)/X", "X^2*LN(X)", "LN(P*X)", "LN(ABS(X))", "LN(X)^2",
    "LN(1+X)", "LN(SQRT(X))", "1/LN(X)", "LN(LN(X))", "LG(X)", "LD(X)", "X*LG(X)", "LN(EXP(X)+1)",
    "LOG(X)", "X*LOG(X)",
    // trigonometric
    "SIN(X)", "COS(X)", "TAN(X)", "COT(X)", "SIN(2*X)", "COS(P*X)", "SIN(X+P)", "X*SIN(X+P)",
    "X*COS(X)", "SIN(X)^2", "COS(X)^2", "SIN(X)*COS(X)", "SIN(X)/X", "X*SIN(X)", "SIN(X^2)",
    "COS(X)/X", "SIN(X)+COS(X)", "2*SIN(3*X)", "SIN(TAN(X))", "TAN(X)^2", "1/COS(X)", "1/SIN(X)",
    "SIN(X)/COS(X)", "EXP(-X)*SIN(X)", "X^2*COS(X)", "SIN(1/X)", "COS(SQRT(X))", "SIN(X)^3",
    "P*SIN(X)", "SIN(P*X+1)",
    "ARCSIN(X)", "ARCCOS(X)", "ARCTAN(X)", "ARCCOT(X)", "X*ARCTAN(X)", "ARCTAN(X^2)", "ARCSIN(X/2)",
    "SINH(X)", "COSH(X)", "TANH(X)", "COTH(X)", "ARSINH(X)", "ARCOSH(X)", "ARTANH(X)", "ARCOTH(X)",
    "X*SINH(X)", "COSH(2*X)",
    // like factors and terms, which the printer folds
    "X^2*X^2", "(X^2+1)/X^2", "X^3*(X^3+1)", "(X^2+X)+(X^2+X)", "2*X*X^2", "SIN(X)*SIN(X)", "COS(1-X^2)",
    "(X^2-4)*X^2", "SIN(1-X^2)", "EXP(1-X^2)",
    // absolute value and others
    "ABS(X)", "X*ABS(X)", "ABS(X^2-1)", "SQRT(ABS(X))", "ABS(SIN(X))",
    // a sign that starts an operand belongs to the base of the power after it
    "EXP(-(X-1)^2)", "1+-X^2", "X+-SIN(X)^2", "(-(X+1)^3+X)", "X*(-(X-1)^2+1)", "(-P^2*X)",
    "COS(-(2*X)^2)", "1/(-(X+2)^2+5)", "X^2+-X^3", "1+-(X-1)^2*X", "EXP(-(X/2)^2)*X", "(-COS(X)^2+X)",
    "SQRT(1+-(X-2)^2)", "(-(X-P)^2)", "X+(-X^2)", "SIN(-X^2)", "(-X^2+1)^2",
    // a signed base the builder writes itself
    "ARCTAN(-SIN(X))", "ARCTAN(-COS(X))", "(-COS(X))^3", "(-SIN(X))^2*X", "X-(-SIN(X))^2",
};

// Families with coefficients, as exercises vary them.
std::vector<std::string> korpus() {
  std::vector<std::string> k = schulfunktionen;
  const std::vector<std::string> zahlen = {"2", "3", "0.5", "P"};
  const std::vector<std::string> muster = {
      "#*X^2+$", "#*X^3-$*X", "(X-#)*(X-$)", "#/(X-$)", "(X+#)/(X-$)", "SQRT(#*X+$)", "EXP(#*X)*$",
      "X^#*EXP(-X)", "#*SIN($*X)", "#*COS(X)+$", "LN(#*X+$)", "X/(X^2+#)", "(X^2+#)/(X+$)",
      "#*X*EXP(-$*X)", "SIN(#*X)/$", "TAN(#*X)", "ARCTAN(#*X)", "X^#+$",
  };
  for (const auto& m : muster)
    for (const auto& a : zahlen)
      for (const auto& b : {std::string("1"), std::string("4")}) {
        std::string t;
        for (const char c : m) t += c == '#' ? a : c == '$' ? b : std::string(1, c);
        k.push_back(t);
      }
  return k;
}

const double punkte[] = {-2.7, -1.3, -0.6, 0.35, 0.8, 1.45, 2.2, 3.1};

bool wert(const std::u16string& t, double x, double& v) {
  v = fktwert(t, x);
  return fehlercode == wert_gueltig && std::isfinite(v) && std::fabs(v) < 1e6;
}

// Central differences of f (first) and of the numeric first derivative (second),
// each with two step widths; a point where they disagree lies too close to a pole
// or a kink and is left out.
bool differenzen(const std::u16string& f, double x, double& d1, double& d2) {
  double a[5], b[5];
  for (int i = 0; i < 5; ++i) {
    if (!wert(f, x + (i - 2) * 1e-3, a[i]) || !wert(f, x + (i - 2) * 5e-4, b[i])) return false;
  }
  // five-point stencils
  auto erste = [](const double* v, double h) { return (v[0] - 8 * v[1] + 8 * v[3] - v[4]) / (12 * h); };
  auto zweite = [](const double* v, double h) { return (-v[0] + 16 * v[1] - 30 * v[2] + 16 * v[3] - v[4]) / (12 * h * h); };
  d1 = erste(b, 5e-4);
  d2 = zweite(a, 1e-3);
  const double d1b = erste(a, 1e-3), d2b = zweite(b, 5e-4);
  return std::fabs(d1 - d1b) <= 1e-6 * std::max(1.0, std::fabs(d1)) &&
         std::fabs(d2 - d2b) <= 1e-3 * std::max(1.0, std::fabs(d2));
}

struct befund {
  int geprueft = 0;
  std::vector<std::string> fehler;
};

void pruefe(const std::string& term, befund& b) {
  const std::u16string f = u16(term);
  const std::u16string d1 = ableitungsterm(f);
  const std::u16string d2 = ableitungsterm(d1);
  if (d1.empty() || d2.empty()) {
    b.fehler.push_back(term + ": empty derivative d1=" + u8(d1) + " d2=" + u8(d2));
    return;
  }
  for (const double x : punkte) {
    double n1, n2;
    if (!differenzen(f, x, n1, n2)) continue;
    ++b.geprueft;
    const double w1 = fktwert(d1, x);
    const int s1 = fehlercode;
    const double w2 = fktwert(d2, x);
    const int s2 = fehlercode;
    if (s1 != wert_gueltig || std::fabs(w1 - n1) > 1e-5 * std::max(1.0, std::fabs(n1)))
      b.fehler.push_back(term + ": d1 " + u8(d1) + " at " + std::to_string(x) + " gives " + std::to_string(w1) +
                         " status " + std::to_string(s1) + ", expected " + std::to_string(n1));
    if (s2 != wert_gueltig || std::fabs(w2 - n2) > 2e-3 * std::max(1.0, std::fabs(n2)))
      b.fehler.push_back(term + ": d2 " + u8(d2) + " at " + std::to_string(x) + " gives " + std::to_string(w2) +
                         " status " + std::to_string(s2) + ", expected " + std::to_string(n2));
  }
}

TEST(Numerik, DisplayedDerivativesOfSchoolFunctionsMatchDifferenceQuotients) {
  ersetzungslisteladen();
  befund b;
  const auto k = korpus();
  for (const double p : {1.3, 2.0}) {
    P = p;
    for (const auto& t : k) pruefe(t, b);
  }
  P = 0;
  EXPECT_GT(k.size(), 300u);
  EXPECT_GT(b.geprueft, 3000);
  std::string alle;
  for (const auto& f : b.fehler) alle += f + "\n";
  EXPECT_TRUE(b.fehler.empty()) << b.geprueft << " points, " << b.fehler.size() << " wrong values:\n" << alle;
}

// Random terms with a sign wherever the builder reads one (at the start, after "("
// and after "+"), half of them before a power: the derivatives belong to the term
// as the evaluator reads it.
struct zufallsterm {
  std::mt19937 zufall{14};
  int wahl(int n) { return std::uniform_int_distribution<int>(0, n - 1)(zufall); }
  std::string faktor(int tiefe) {
    static const char* const blaetter[] = {"X", "2", "0.5", "P", "(X-1)", "(1+X)"};
    static const char* const namen[] = {"(", "SIN(", "EXP(", "ARCTAN(", "COS("};
    if (tiefe <= 0 || wahl(3) == 0) return blaetter[wahl(6)];
    return std::string(namen[wahl(5)]) + ausdruck(tiefe - 1) + ")";
  }
  std::string operand(int tiefe, bool vorzeichen) {
    std::string t = vorzeichen && wahl(2) ? "-" : "";
    t += faktor(tiefe);
    if (wahl(2)) t += std::string("^") + "23"[wahl(2)];
    return t;
  }
  std::string ausdruck(int tiefe) {
    static const char* const ops[] = {"+", "-", "*", "/"};
    std::string t = operand(tiefe, true);
    for (int k = wahl(3); k > 0; --k) {
      const std::string op = ops[wahl(4)];
      t += op + operand(tiefe - 1, op == "+");
    }
    return t;
  }
};

// Random terms can pass the evaluator's limits inside a derivative where the term
// itself stays small (a factor of 10^10 or more); such points say nothing and are
// left out, every other one must agree.
TEST(Numerik, RandomTermsWithSignsMatchDifferenceQuotients) {
  ersetzungslisteladen();
  zufallsterm z;
  std::vector<std::string> fehler;
  int terme = 0, geprueft = 0;
  P = 1.3;
  for (int n = 0; n < 400; ++n) {
    const std::u16string f = u16(z.ausdruck(2));
    const std::u16string d1 = ableitungsterm(f);
    const std::u16string d2 = ableitungsterm(d1);
    if (d1.empty() || d2.empty()) continue;
    terme += !vorzeichenvorpotenz(f).empty();
    for (const double x : punkte) {
      double n1, n2, w1, w2;
      if (!differenzen(f, x, n1, n2) || !wert(d1, x, w1) || !wert(d2, x, w2)) continue;
      ++geprueft;
      if (std::fabs(w1 - n1) > 1e-5 * std::max(1.0, std::fabs(n1)) ||
          std::fabs(w2 - n2) > 2e-3 * std::max(1.0, std::fabs(n2)))
        fehler.push_back(u8(f) + " at " + std::to_string(x) + ": d1 " + u8(d1) + " = " + std::to_string(w1) +
                         " (" + std::to_string(n1) + "), d2 = " + std::to_string(w2) + " (" + std::to_string(n2) + ")");
    }
  }
  P = 0;
  EXPECT_GT(terme, 50);
  EXPECT_GT(geprueft, 1000);
  std::string alle;
  for (const auto& f : fehler) alle += f + "\n";
  EXPECT_TRUE(fehler.empty()) << geprueft << " points, " << fehler.size() << " wrong values:\n" << alle;
}

}  // namespace
