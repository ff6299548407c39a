// The breaks of a curve against the places computer algebra gives
// (unstetigkeiten.txt, from unstetigkeiten.py).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "fktint.h"
#include "unstetigkeiten.h"

namespace {

struct Fall {
  std::string term;
  double a, b;
  std::vector<std::string> stellen;
};

std::vector<Fall> tabelle() {
  std::ifstream ein(UNSTETIGKEITEN);
  std::vector<Fall> faelle;
  std::string zeile;
  while (std::getline(ein, zeile)) {
    std::istringstream kopf(zeile);
    Fall f;
    std::string a, b, n;
    std::getline(kopf, f.term, '|');
    std::getline(kopf, a, '|');
    std::getline(kopf, b, '|');
    std::getline(kopf, n, '|');
    f.a = std::stod(a);
    f.b = std::stod(b);
    for (int i = std::stoi(n); i > 0 && std::getline(ein, zeile); --i) f.stellen.push_back(zeile);
    faelle.push_back(f);
  }
  return faelle;
}

const std::map<std::string, Stellenart> arten{{"pol", Stellenart::pol},
                                              {"sprung", Stellenart::sprung},
                                              {"luecke", Stellenart::luecke},
                                              {"definitionsrand", Stellenart::definitionsrand}};

// Limits agree when both are the same infinity, both NaN, or close.
bool gleicherwert(double ist, double soll) {
  if (std::isnan(soll)) return std::isnan(ist);
  if (std::isinf(soll)) return ist == soll;
  return std::fabs(ist - soll) <= 1e-6 * std::max(1.0, std::fabs(soll));
}

std::u16string u16(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Unstetigkeiten, StellenWieComputeralgebra) {
  const auto faelle = tabelle();
  ASSERT_GE(faelle.size(), 20u);
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.term);
    const auto ist = unstetigkeiten(u16(f.term), f.a, f.b);
    EXPECT_EQ(ist.size(), f.stellen.size());
    if (ist.size() != f.stellen.size()) continue;
    for (std::size_t i = 0; i < ist.size(); ++i) {
      std::istringstream z(f.stellen[i]);
      std::string art, x, l, r, w;
      int definiert, schwingend, genau;
      z >> art >> x >> l >> r >> definiert >> w >> schwingend >> genau;
      const double sx = std::stod(x);
      SCOPED_TRACE(f.stellen[i]);
      EXPECT_EQ(ist[i].art, arten.at(art));
      // Full precision: the double nearest the place or its neighbour.
      EXPECT_LE(std::fabs(ist[i].x - sx), 2 * std::fabs(std::nextafter(sx, INFINITY) - sx)) << ist[i].x;
      EXPECT_TRUE(gleicherwert(ist[i].links, std::stod(l))) << ist[i].links;
      EXPECT_TRUE(gleicherwert(ist[i].rechts, std::stod(r))) << ist[i].rechts;
      EXPECT_EQ(ist[i].schwingend, schwingend == 1);
      if (genau) {
        EXPECT_EQ(ist[i].definiert, definiert == 1);
        if (definiert) {
          EXPECT_TRUE(gleicherwert(ist[i].wert, std::stod(w))) << ist[i].wert;
        }
      }
    }
  }
}

// The evaluator's substitute values are values: EXP held at its argument limit
// and powers capped at 10^10 run on continuously, and the status a curve leaves
// survives the scan.
TEST(Unstetigkeiten, ErsatzwerteSindKeinePole) {
  fehlercode = kurve_unterbrochen;
  EXPECT_TRUE(unstetigkeiten(u"EXP(X)", 0, 100).empty());
  EXPECT_TRUE(unstetigkeiten(u"X^6", -100, 100).empty());
  EXPECT_EQ(fehlercode, kurve_unterbrochen);
}

TEST(Unstetigkeiten, LeereUndUnlesbareBereiche) {
  EXPECT_TRUE(unstetigkeiten(u"X^2", 1, 1).empty());
  EXPECT_TRUE(unstetigkeiten(u"X^2", 2, 1).empty());
  EXPECT_TRUE(unstetigkeiten(u"X^2", -INFINITY, 1).empty());
  EXPECT_TRUE(unstetigkeiten(u"SQRT(X)", -5, -1).empty());
  EXPECT_TRUE(unstetigkeiten(u"X+", -5, 5).empty());
}

// The join test: steep lines and root-like rises join, jumps and poles do not,
// nor does a step over an undefined point.
TEST(Stetigkeit, VerbindetNurStetigeSchritte) {
  struct Schritt {
    const char16_t* term;
    double x0, x1;
    bool stetig;
  } faelle[] = {
      {u"1000*X", -0.01, 0.01, true},      {u"X^9", 9.9, 10, true},       {u"SQRT(X)", 0, 0.1, true},
      {u"SGN(X-1)", 0.99, 1.01, false},    {u"1/(X-1)", 0.95, 1.03, false}, {u"TAN(X)", 1.5, 1.6, false},
      {u"SQRT(ABS(X))*SGN(X)", -0.1, 0.1, true}, {u"INT(X)", 1.9, 2.05, false},
      {u"(X^2-1)/(X-1)", 0, 2, false},
  };
  for (const Schritt& s : faelle) {
    SCOPED_TRACE(std::string(s.term, s.term + std::char_traits<char16_t>::length(s.term)));
    double y0, y1;
    ASSERT_TRUE(definiertan(s.term, s.x0, y0));
    ASSERT_TRUE(definiertan(s.term, s.x1, y1));
    EXPECT_EQ(stetigzwischen(termauswertung(s.term), s.x0, y0, s.x1, y1, 1e-3), s.stetig);
  }
}

}  // namespace
