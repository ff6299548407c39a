#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "kurven.h"
#include "testumgebung.h"

using namespace abbildung;

namespace {

struct Schritt {
  std::string art;
  int x = 0, y = 0;
};

std::vector<Schritt> schritte(const std::vector<std::string>& log) {
  std::vector<Schritt> s;
  for (const auto& z : log) {
    char art[16];
    int x, y;
    if (std::sscanf(z.c_str(), "%15s %d %d", art, &x, &y) == 3 &&
        (z.rfind("MoveTo", 0) == 0 || z.rfind("LineTo", 0) == 0 || z.rfind("Pixels", 0) == 0))
      s.push_back({art, x, y});
  }
  return s;
}

std::vector<std::string> kurve(const std::function<void(Canvas&)>& zeichne) {
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  zeichne(c);
  return log;
}

// Greatest vertical extent of one drawn line piece.
int groessterhub(const std::vector<std::string>& log) {
  int hub = 0, vorher = 0;
  for (const auto& s : schritte(log)) {
    if (s.art == "LineTo") hub = std::max(hub, std::abs(s.y - vorher));
    vorher = s.y;
  }
  return hub;
}

}  // namespace

TEST(Kurven, ColoursAndLabelsFollowTheCurveCount) {
  const struct { bool farbig; TColor erste, zweite; } faelle[] = {
      {true, 0xFF0000, 0x0000FF}, {false, 0x000000, 0x000000}};
  for (const auto& f : faelle) {
    startzustand();
    pass.farbig = f.farbig;
    const auto log = kurve([](Canvas& c) {
      termkurve(c, u"X");
      termkurve(c, u"X^2/4-2");
    });
    EXPECT_EQ(pass.kurvennr, 2);
    const std::vector<std::string> farben = {"Pen.Color " + farbtext(f.erste), "Pen.Color " + farbtext(f.zweite)};
    std::vector<std::string> gesehen;
    for (const auto& z : log)
      if (z.rfind("Pen.Color", 0) == 0) gesehen.push_back(z);
    EXPECT_EQ(gesehen, farben);
    EXPECT_TRUE(enthaelt(log, "TextOut 16 16 Y = X"));
    EXPECT_TRUE(enthaelt(log, "TextOut 16 32 Y = X^2/4-2"));
  }
  EXPECT_EQ(kurvenfarben(3), 0xFF00FFu);
  EXPECT_EQ(kurvenfarben(6), 0x000000u);
  EXPECT_EQ(kurvenfarben(7), 0x000080u);
  EXPECT_EQ(kurvenfarben(-1), 0x000080u);
}

TEST(Kurven, PolesAndSteepTermsDrawNoRisers) {
  const struct { const char16_t* term; bool gezeichnet; } faelle[] = {
      {u"1/X", true}, {u"TAN(X)", true}, {u"1000*X", false}};
  for (const auto& f : faelle) {
    startzustand();
    const auto log = kurve([&](Canvas& c) { termkurve(c, f.term); });
    EXPECT_LE(groessterhub(log), grafh / 2 - 10) << utf8text(f.term);
    EXPECT_EQ(anzahl(log, "LineTo") > 0, f.gezeichnet) << utf8text(f.term);
  }
}

TEST(Kurven, BreakStatusDrawsSinglePixels) {
  startzustand();
  const auto log = kurve([](Canvas& c) { termkurve(c, u"INT(X)"); });
  EXPECT_EQ(anzahl(log, "LineTo"), 0);
  EXPECT_GT(anzahl(log, "Pixels"), 550);
}

TEST(Kurven, DomainAndUndefinedColumnsAreSkipped) {
  const struct { const char16_t* term, *von, *bis; double links, rechts; } faelle[] = {
      {u"SQRT(X)", u"-1000", u"1000", 0, 1e9}, {u"X", u"0", u"2", 0, 2}};
  for (const auto& f : faelle) {
    startzustand();
    pass.xvon = editwert(f.von), pass.xbis = editwert(f.bis);
    const auto log = kurve([&](Canvas& c) { termkurve(c, f.term); });
    const auto s = schritte(log);
    ASSERT_FALSE(s.empty());
    EXPECT_GE(weltx(s.front().x), f.links);
    EXPECT_LE(weltx(s.front().x - 1), f.links);
    for (const auto& p : s) EXPECT_LE(weltx(p.x), f.rechts);
  }
}

TEST(Kurven, SingleSpaceTermHasNoLabel) {
  startzustand();
  const auto log = kurve([](Canvas& c) { termkurve(c, u" "); });
  EXPECT_EQ(anzahl(log, "TextOut"), 0);
}

// Each transformation draws the value of its table row at a column in the middle.
TEST(Kurven, TransformationsPlotTheirValues) {
  const std::function<double(double)> f = [](double x) { return x * x / 4 + x; };
  const double p = 1.5;
  const std::function<double(double)> werte[] = {
      [&](double x) { return f(-x); },    [&](double x) { return -f(x); },
      [&](double x) { return -f(-x); },   [&](double x) { return f(f(x)); },
      [&](double x) { return f(x + p); }, [&](double x) { return f(x * p); },
      [&](double x) { return f(x) + p; }, [&](double x) { return f(x) * p; }};
  for (int mode = 3; mode <= 10; ++mode) {
    startzustand();
    P = p;
    const auto log = kurve([&](Canvas& c) { sonderkurve(c, u"X^2/4+X", u"t", static_cast<Sondermodus>(mode)); });
    bool gefunden = false;
    for (const auto& s : schritte(log))
      if (s.x == 300 && s.art == "LineTo") {
        gefunden = true;
        EXPECT_EQ(s.y, Round(pixely(werte[mode - 3](weltx(300))))) << mode;
      }
    EXPECT_TRUE(gefunden) << mode;
    EXPECT_TRUE(enthaelt(log, "TextOut 16 16 t"));
  }
}

TEST(Kurven, DerivativeCurvesAreDottedOnAngleAxes) {
  const struct { Sondermodus mode; double ableitung; } faelle[] = {{Sondermodus::ersteableitung, 2 * 1.0},
                                                                   {Sondermodus::zweiteableitung, 2}};
  for (const auto& f : faelle)
    for (bool bogen : {false, true}) {
      startzustand();
      steuer.M_bogen = bogen;
      const int c = _x + Round(fx);  // x = 1 (within rounding)
      const auto log = kurve([&](Canvas& k) { sonderkurve(k, u"X^2", u"d", f.mode); });
      EXPECT_EQ(anzahl(log, "LineTo") == 0, bogen);
      EXPECT_EQ(anzahl(log, "Pixels") > 300, bogen);
      for (const auto& s : schritte(log))
        if (s.x == c && s.art != "MoveTo") {
          EXPECT_NEAR(s.y, pixely(f.ableitung), 2.0) << static_cast<int>(f.mode);
        }
    }
}

TEST(Kurven, InverseCurveSamplesRows) {
  startzustand();
  const auto log = kurve([](Canvas& c) { umkehrkurve(c, u"X^3"); });
  int geprueft = 0;
  for (const auto& s : schritte(log))
    if (s.art == "LineTo") {
      EXPECT_EQ(s.x, Round(pixelx(std::pow(welty(s.y), 3))));
      ++geprueft;
    }
  EXPECT_GT(geprueft, 50);
  EXPECT_TRUE(enthaelt(log, "TextOut 16 0 Обратная функция"));
}

TEST(Kurven, FamilyMembersUseOneColourIndex) {
  // Members, and the result line of a family cut at its bound (empty: not cut).
  const struct { const char16_t* schritt; const char16_t* ende; int glieder; const char16_t* zeile; } faelle[] = {
      {u"0,1", u"2", 10, u""}, {u"0,01", u"2", 10, u""}, {u"0", u"2", 10, u""}, {u"-0,5", u"2", 3, u""},
      {u"0,1", u"0", 0, u""}, {u"0,1", u"150", 1491, u""},
      {u"0,1", u"1000000", scharhoechstzahl,
       u"Семейство функции прервано на P = 1000,9: достигнут предел числа кривых (10000)"}};
  for (const auto& f : faelle) {
    startzustand(40, 30);
    steuer.ed_schardiff = f.schritt;
    steuer.ed_q = f.ende;
    const auto log = kurve([](Canvas& c) { kurvenschar(c, u"X*P"); });
    EXPECT_EQ(ergebnisliste, f.zeile[0] ? std::vector<std::u16string>{f.zeile} : std::vector<std::u16string>{});
    EXPECT_EQ(anzahl(log, "Pen.Width"), 1 + f.glieder) << utf8text(f.schritt) << " " << utf8text(f.ende);
    EXPECT_EQ(anzahl(log, "Pen.Color FF0000"), 1 + f.glieder);
    EXPECT_EQ(anzahl(log, "TextOut"), 0);
    EXPECT_EQ(pass.kurvennr, 1);
    EXPECT_EQ(P, 1.0);
    EXPECT_TRUE(pass.termanzeige);
  }
}

// Views and domains at the limits of the numbers finish and draw nothing wild.
TEST(Kurven, ExtremeViewsAndDomainsFinish) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct { double fenster[4]; double von; } faelle[] = {
      {{-6, 6, -5, 5}, 1e300},
      {{1e300, 1.0000000000000002e300, -5, 5}, -1000},
      {{-1e300, 1e300, -1e300, 1e300}, -inf},
      {{1, 1 + 1e-320, 1, 1 + 1e-320}, -1000},
      {{-inf, inf, -inf, inf}, -1000},
      {{1e15, 1e15 + 12, -5, 5}, -inf},
  };
  for (const auto& f : faelle) {
    startzustand();
    xmin = f.fenster[0], xmax = f.fenster[1], ymin = f.fenster[2], ymax = f.fenster[3];
    abbildungeinrichten(590, 597);
    pass.xvon = f.von;
    pass.xbis = inf;
    const auto log = kurve([](Canvas& c) {
      termkurve(c, u"X*SIN(X+P)");
      sonderkurve(c, u"X^2", u"d", Sondermodus::ersteableitung);
      sonderkurve(c, u"X^2", u"d", Sondermodus::zweiteableitung);
      sonderkurve(c, u"X", u"m", Sondermodus::verschiebungxachse);
      umkehrkurve(c, u"X");
    });
    EXPECT_LT(log.size(), 20000u);
  }
}
