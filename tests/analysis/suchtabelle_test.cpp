// Every search against exact points from computer algebra (suchpunkte.py writes
// suchpunkte.txt): each expected point found within its accuracy, no point missing,
// none extra, and each extremum of the right kind.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fktint.h"
#include "steuerzustand.h"
#include "suche.h"
#include "uableitung.h"

namespace {

struct Fall {
  std::string term, von, bis, p;
  std::vector<double> nullen, extrema, wendepunkte;
  std::vector<bool> mehrfach, minimum;  // per zero: not simple; per extremum: a minimum
};

std::vector<std::string> teile(const std::string& zeile, char trenner) {
  std::vector<std::string> teile;
  std::stringstream s(zeile);
  for (std::string t; std::getline(s, t, trenner);) teile.push_back(t);
  return teile;
}

// Points "x" or "x:mark"; merkmal collects whether each mark equals zeichen.
std::vector<double> zahlen(const std::string& text, const char* zeichen = "", std::vector<bool>* merkmal = nullptr) {
  std::vector<double> z;
  for (const std::string& t : teile(text, ' ')) {
    if (t.empty()) continue;
    const auto doppelpunkt = t.find(':');
    z.push_back(std::stod(t.substr(0, doppelpunkt)));
    if (merkmal) merkmal->push_back(doppelpunkt != std::string::npos && t.substr(doppelpunkt + 1) == zeichen);
  }
  return z;
}

std::vector<Fall> faelle() {
  std::ifstream datei(SUCHPUNKTE);
  std::vector<Fall> faelle;
  for (std::string zeile; std::getline(datei, zeile);) {
    if (zeile.empty() || zeile[0] == '#') continue;
    std::vector<std::string> f = teile(zeile, '\t');
    f.resize(7);
    Fall fall{f[0], f[1], f[2], f[3], {}, {}, zahlen(f[6]), {}, {}};
    fall.nullen = zahlen(f[4], "m", &fall.mehrfach);
    fall.extrema = zahlen(f[5], "min", &fall.minimum);
    faelle.push_back(fall);
  }
  return faelle;
}

std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string liste(const double* xs, int zahl) {
  std::ostringstream s;
  s.precision(17);
  for (int i = 0; i < zahl; ++i) s << xs[i] << ' ';
  return s.str();
}

// The found list equals the expected one point by point; genauigkeit(i) is the
// allowed distance from expected point i.
template <class Genauigkeit>
void vergleichen(const char* art, const Fall& f, const double* xs, int zahl, const std::vector<double>& soll,
                 Genauigkeit genauigkeit) {
  ASSERT_EQ(zahl, static_cast<int>(soll.size()))
      << art << " of " << f.term << ": found " << liste(xs, zahl) << "expected " << liste(soll.data(), soll.size());
  for (int i = 0; i < zahl; ++i) EXPECT_NEAR(xs[i], soll[i], genauigkeit(i)) << art << " " << i << " of " << f.term;
}

class Suchtabelle : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ersetzungsliste.empty()) ersetzungslisteladen();
    tabelle = faelle();
    ASSERT_GT(tabelle.size(), 50u);
  }
  void felder(const Fall& f) {
    steuer = Steuerzustand{};
    steuer.ed_f1 = u16(f.term);
    steuer.ed_von = u16(f.von);
    steuer.ed_bis = u16(f.bis);
    steuer.ed_parameter = u16(f.p);
  }
  std::vector<Fall> tabelle;
};

double einfach(double x) { return 1e-9 * std::max(1.0, std::fabs(x)); }

TEST_F(Suchtabelle, Zeros) {
  for (const Fall& f : tabelle) {
    felder(f);
    nullstellensuche();
    const auto genauigkeit = [&f](int i) { return f.mehrfach[i] ? 1e-6 : einfach(f.nullen[i]); };
    vergleichen("zeros", f, nullstellenliste, nullstellenzahl, f.nullen, genauigkeit);
  }
}

TEST_F(Suchtabelle, ExtremaAndTheirKinds) {
  for (const Fall& f : tabelle) {
    felder(f);
    const std::u16string d1 = ableitungsterm(steuer.ed_f1);
    const std::u16string d2 = ableitungsterm(d1);
    // With the derivative text as in the plot pass, and by golden section without it.
    for (const std::u16string& mit : {d1, std::u16string()}) {
      extremasuche(mit);
      vergleichen(mit.empty() ? "extrema (golden)" : "extrema", f, extremaliste, extremazahl, f.extrema,
                  [](int) { return 1e-6; });
      for (int i = 0; i < extremazahl; ++i)
        EXPECT_EQ(istminimum(steuer.ed_f1, d2, extremaliste[i]), f.minimum[i]) << "kind " << i << " of " << f.term;
    }
  }
}

TEST_F(Suchtabelle, InflectionPoints) {
  for (const Fall& f : tabelle) {
    felder(f);
    const std::u16string d2 = ableitungsterm(ableitungsterm(steuer.ed_f1));
    wendepunktsuche(d2, steuer.ed_f1);
    vergleichen("inflections", f, wendepunktliste, wendepunktzahl, f.wendepunkte,
                [&f](int i) { return einfach(f.wendepunkte[i]); });
  }
}

}  // namespace
