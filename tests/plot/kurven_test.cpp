#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

#include "flaeche.h"
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

// Whether a drawn line piece passes the point (x, y) within a pixel.
bool durch(const std::vector<std::string>& log, double x, double y) {
  Schritt vorher;
  for (const auto& s : schritte(log)) {
    if (s.art == "LineTo" && std::min(s.x, vorher.x) <= x + 1 && std::max(s.x, vorher.x) >= x - 1 &&
        std::min(s.y, vorher.y) <= y + 1 && std::max(s.y, vorher.y) >= y - 1)
      return true;
    vorher = s;
  }
  return false;
}

// Line pieces that join the far sides of a pole: from beyond one edge of the
// drawing to beyond the other within one column step.
int verbinder(const std::vector<std::string>& log) {
  int n = 0;
  Schritt vorher;
  for (const auto& s : schritte(log)) {
    if (s.art == "LineTo" && std::abs(s.x - vorher.x) <= 1 && std::min(s.y, vorher.y) < 0 &&
        std::max(s.y, vorher.y) > grafh)
      ++n;
    vorher = s;
  }
  return n;
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
  for (const char16_t* term : {u"1/X", u"TAN(X)"}) {
    startzustand();
    const auto log = kurve([&](Canvas& c) { termkurve(c, term); });
    EXPECT_EQ(verbinder(log), 0) << utf8text(term);
    EXPECT_GT(anzahl(log, "LineTo"), 0) << utf8text(term);
  }
  // A steep line is one: a piece of it crosses the x axis at the origin.
  startzustand();
  const auto log = kurve([](Canvas& c) { termkurve(c, u"1000*X"); });
  EXPECT_TRUE(durch(log, pixelx(0), pixely(0))) << ::testing::PrintToString(log);
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

// ---------------------------------------------------------------- breaks, ends and marks

namespace {

struct Marke {
  int x, y;
  bool offen;
};

// The marks of a log: circles, open where the brush is white.
std::vector<Marke> marken(const std::vector<std::string>& log) {
  std::vector<Marke> m;
  std::string pinsel;
  for (const auto& z : log) {
    if (z.rfind("Brush.Color ", 0) == 0) pinsel = z.substr(12);
    int x1, y1, x2, y2;
    if (std::sscanf(z.c_str(), "Ellipse %d %d %d %d", &x1, &y1, &x2, &y2) == 4)
      m.push_back({(x1 + x2 - 1) / 2, (y1 + y2 - 1) / 2, pinsel == "FFFFFF"});
  }
  return m;
}

void ansicht(double x0, double x1, double y0, double y1) {
  xmin = x0, xmax = x1, ymin = y0, ymax = y1;
  abbildungeinrichten(steuer.PaintBox1_width, steuer.PaintBox1_height);
}

}  // namespace

// Holes, jumps and the places where a column falls on them get their marks: open
// circles at a limit f does not take, filled dots at the value it takes. Poles,
// domain ends and continuous curves get none.
TEST(Kurvenbild, MarkenAnLueckenUndSpruengen) {
  struct Soll {
    double x, y;
    bool offen;
  };
  const struct {
    const char16_t* term;
    std::vector<Soll> marken;
  } faelle[] = {
      {u"SGN(X-1)", {{1, 0, false}, {1, -1, true}, {1, 1, true}}},
      {u"(X^2-1)/(X-1)", {{1, 2, true}}},
      {u"(9*X^2-1)/(3*X-1)", {{1.0 / 3, 2, true}}},
      {u"X*SIN(1/X)", {{0, 0, true}}},
      {u"SIN(X)/X", {{0, 1, true}}},
      {u"X/ABS(X)", {{0, -1, true}, {0, 1, true}}},
      {u"2*ABS(X-1)/(X-1)-X", {{1, -3, true}, {1, 1, true}}},
      {u"INT(X/2)*0+SGN(X)*(X+2)", {{0, 0, false}, {0, -2, true}, {0, 2, true}}},
      {u"1/X", {}},
      {u"SQRT(9-X^2)", {}},
      {u"X*SIN(X+P)", {}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(utf8text(f.term));
    startzustand();
    const auto ist = marken(kurve([&](Canvas& c) { termkurve(c, f.term); }));
    ASSERT_EQ(ist.size(), f.marken.size());
    for (const Soll& s : f.marken) {
      const bool gefunden = std::any_of(ist.begin(), ist.end(), [&](const Marke& m) {
        return std::abs(m.x - pixelx(s.x)) <= 1 && std::abs(m.y - pixely(s.y)) <= 1 && m.offen == s.offen;
      });
      EXPECT_TRUE(gefunden) << s.x << "; " << s.y;
    }
  }
}

// Branches run to their ends: to the edge where f grows beyond bounds, to the end
// point of the domain otherwise; no piece joins the sides of a pole.
TEST(Kurvenbild, AesteReichenBisZumEnde) {
  startzustand();
  auto log = kurve([](Canvas& c) { termkurve(c, u"SQRT(9-X^2)"); });
  EXPECT_TRUE(durch(log, pixelx(3), pixely(0)));
  EXPECT_TRUE(durch(log, pixelx(-3), pixely(0)));

  const struct {
    const char16_t* term;
    double y0, y1;
    double x;     // where a branch leaves the drawing
    bool unten;   // through the bottom edge, else the top
  } faelle[] = {
      {u"LN(X)", -10, 2, 0, true},
      {u"1/(X-1)", -1000, 1000, 1, true},
      {u"1/(X-1)", -1000, 1000, 1, false},
      {u"TAN(X)", -1000, 1000, std::numbers::pi / 2, false},
      {u"TAN(X)", -1000, 1000, std::numbers::pi / 2, true},
      {u"1/(X*X)", -1000, 1000, 0, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(utf8text(f.term));
    startzustand();
    ansicht(-6, 6, f.y0, f.y1);
    log = kurve([&](Canvas& c) { termkurve(c, f.term); });
    EXPECT_EQ(verbinder(log), 0);
    EXPECT_TRUE(durch(log, pixelx(f.x), f.unten ? grafh : 0));
  }
}

// Dotted lines at poles, while the menu item asks for them; the evaluator's
// substitute values (EXP held beyond 50, a power capped at 10^10) are no poles.
TEST(Kurvenbild, AsymptotenNurAnPolen) {
  const struct {
    const char16_t* term;
    double x0, x1, y0, y1;
    int asymptoten;
  } faelle[] = {
      {u"1/(X-1)", -6, 6, -5, 5, 1}, {u"TAN(X)", -6, 6, -5, 5, 4}, {u"EXP(X)", 0, 100, -1e22, 1e22, 0},
      {u"X^6", -100, 100, -2e10, 2e10, 0}, {u"1/(X^2+1)", -6, 6, -5, 5, 0},
  };
  for (const auto& f : faelle) {
    for (const bool an : {true, false}) {
      SCOPED_TRACE(utf8text(f.term));
      startzustand();
      steuer.m_asymptoten = an;
      ansicht(f.x0, f.x1, f.y0, f.y1);
      const auto log = kurve([&](Canvas& c) { termkurve(c, f.term); });
      EXPECT_EQ(anzahl(log, "Pen.Style psDot"), an ? std::min(f.asymptoten, 1) : 0);
      EXPECT_TRUE(marken(log).empty());
      int linien = 0;
      for (const auto& s : schritte(log)) linien += s.art == "LineTo" && s.y == grafh;
      if (an) {
        EXPECT_GE(linien, f.asymptoten);
      }
    }
  }
}

// Ordinary curves: one drawing call per column and no marks, as the column rule
// alone draws them; and a curve that swings without end near a point costs a
// bounded number of evaluations.
TEST(Kurvenbild, GewoehnlicheKurvenUndSchwingungen) {
  for (const char16_t* term : {u"X^2/4-2", u"SIN(X)", u"X*SIN(X+P)", u"X^3-10*X", u"30*COS(X)", u"EXP(X)",
                               u"ABS(X-1)", u"X^9"}) {
    SCOPED_TRACE(utf8text(term));
    startzustand();
    const auto log = kurve([&](Canvas& c) { termkurve(c, term); });
    const auto s = schritte(log);
    ASSERT_FALSE(s.empty());
    for (std::size_t i = 1; i < s.size(); ++i) EXPECT_EQ(s[i].x, s[i - 1].x + 1) << i;
    EXPECT_EQ(anzahl(log, "Ellipse"), 0);
  }
  for (const char16_t* term : {u"SIN(1/X)", u"X*SIN(1/X)", u"SIN(1/(X-0,3))/X"}) {
    SCOPED_TRACE(utf8text(term));
    startzustand();
    const std::uint64_t vorher = gelesenezeichen;
    kurve([&](Canvas& c) { termkurve(c, term); });
    const auto auswertungen = (gelesenezeichen - vorher) / std::char_traits<char16_t>::length(term);
    EXPECT_LE(auswertungen, 40u * static_cast<unsigned>(grafb));
  }
}

// The derived curves: no riser where the derivative jumps (a kink of f) or has a
// pole; the transformed curves carry the breaks and marks of the term to their places.
TEST(Kurvenbild, AbgeleiteteKurven) {
  const auto riser = [](const std::vector<std::string>& log, double y0, double y1) {
    Schritt vorher;
    for (const auto& s : schritte(log)) {
      if (s.art == "LineTo" && std::min(s.y, vorher.y) <= pixely(y1) && std::max(s.y, vorher.y) >= pixely(y0))
        return true;
      vorher = s;
    }
    return false;
  };
  startzustand();
  auto log = kurve([](Canvas& c) { sonderkurve(c, u"ABS(X-1)", u"", Sondermodus::ersteableitung); });
  EXPECT_FALSE(riser(log, -0.5, 0.5));
  EXPECT_GT(anzahl(log, "LineTo"), 500);
  log = kurve([](Canvas& c) { sonderkurve(c, u"1/X", u"", Sondermodus::ersteableitung); });
  EXPECT_EQ(verbinder(log), 0);

  // f(-x) of a jump at 1: the jump at -1, its value and limits marked.
  log = kurve([](Canvas& c) { sonderkurve(c, u"SGN(X-1)", u"", Sondermodus::spiegelungxachse); });
  EXPECT_FALSE(riser(log, -0.5, 0.5));
  EXPECT_EQ(marken(log).size(), 3u);
  // f(x+P) with P = 1 moves the hole at 1 to 0.
  log = kurve([](Canvas& c) { sonderkurve(c, u"(X^2-1)/(X-1)", u"", Sondermodus::verschiebungxachse); });
  const auto m = marken(log);
  ASSERT_EQ(m.size(), 1u);
  EXPECT_NEAR(m[0].x, pixelx(0), 1);
  EXPECT_NEAR(m[0].y, pixely(2), 1);

  // Ordinary derived curves: one drawing call per column, as before.
  for (const auto mode : {Sondermodus::ersteableitung, Sondermodus::zweiteableitung, Sondermodus::spiegelungyachse,
                          Sondermodus::nacheinanderausfuehrung}) {
    log = kurve([&](Canvas& c) { sonderkurve(c, u"X*SIN(X+P)", u"", mode); });
    const auto s = schritte(log);
    for (std::size_t i = 1; i < s.size(); ++i) EXPECT_EQ(s[i].x, s[i - 1].x + 1) << i;
    EXPECT_EQ(anzahl(log, "Ellipse"), 0);
  }
}

// The inverse and the antiderivative curve: no piece across a jump or a pole of f.
TEST(Kurvenbild, UmkehrUndStammkurve) {
  const auto ueber = [](const std::vector<std::string>& log, double x) {
    Schritt vorher;
    for (const auto& s : schritte(log)) {
      if (s.art == "LineTo" && std::min(s.x, vorher.x) < x - 1 && std::max(s.x, vorher.x) > x + 1) return true;
      vorher = s;
    }
    return false;
  };
  startzustand();
  auto log = kurve([](Canvas& c) { umkehrkurve(c, u"SGN(X-1)+X/10"); });
  EXPECT_FALSE(ueber(log, pixelx(0)));
  EXPECT_GT(anzahl(log, "LineTo"), 300);
  for (const char16_t* term : {u"1/X", u"1/(X-0,01)", u"1/(X+1)^2"}) {
    SCOPED_TRACE(utf8text(term));
    startzustand();
    log = kurve([&](Canvas& c) { stammkurve(c, term); });
    EXPECT_EQ(verbinder(log), 0);
    const auto s = schritte(log);
    // No line starts on the x axis where the pen waited at an undefined column.
    for (std::size_t i = 1; i < s.size(); ++i)
      EXPECT_FALSE(s[i].art == "LineTo" && s[i - 1].art == "MoveTo" && s[i - 1].y == _y && s[i].y != _y) << i;
  }
}
