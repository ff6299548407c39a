#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "testumgebung.h"

using namespace abbildung;

namespace {

std::vector<std::string> achsenkreuz() {
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  koordinatensystem(c);
  return log;
}

// Texts written onto the drawing, in order.
std::vector<std::string> texte(const std::vector<std::string>& log) {
  std::vector<std::string> t;
  for (const auto& z : log)
    if (z.rfind("TextOut", 0) == 0) t.push_back(z.substr(z.find(' ', z.find(' ', 8) + 1) + 1));
  return t;
}

bool hattext(const std::vector<std::string>& log, const std::string& text) {
  const auto t = texte(log);
  return std::find(t.begin(), t.end(), text) != t.end();
}

void fenster(double x0, double x1, double y0, double y1, int b = 590, int h = 597) {
  xmin = x0, xmax = x1, ymin = y0, ymax = y1;
  abbildungeinrichten(b, h);
}

}  // namespace

TEST(Koordinatensystem, DefaultWindowTicksEveryUnit) {
  startzustand();
  fenster(-6, 6, -6.0 * 597 / 590, 6.0 * 597 / 590);
  const auto log = achsenkreuz();
  EXPECT_TRUE(enthaelt(log, "TextOut " + std::to_string(_x - 10) + " " + std::to_string(_y + 6) + " 0"));
  for (const char* t : {"1", "2", "5", "-1", "-5"}) EXPECT_TRUE(hattext(log, t)) << t;
  // x ticks at whole numbers; the tick of 1 stands at Round(pixelx(1)).
  const int p = Round(pixelx(1));
  EXPECT_TRUE(enthaelt(log, "MoveTo " + std::to_string(p) + " " + std::to_string(_y + 6)));
  // Arrow heads of both axes.
  EXPECT_TRUE(enthaelt(log, "Polygon 566 " + std::to_string(_y - 4) + " 580 " + std::to_string(_y) + " 566 " +
                                std::to_string(_y + 4)));
  EXPECT_TRUE(enthaelt(log, "Polygon " + std::to_string(_x - 4) + " 24 " + std::to_string(_x) + " 10 " +
                                std::to_string(_x + 4) + " 24"));
  EXPECT_TRUE(hattext(log, "x"));
  EXPECT_TRUE(hattext(log, "y"));
  EXPECT_EQ(log.back(), "Font.Color 000000");
}

TEST(Koordinatensystem, StepFollowsTheWindowWidth) {
  const struct { double breite; std::vector<std::string> da, nicht; } faelle[] = {
      {120, {"7", "14", "-21"}, {"1", "5"}},
      {1.2, {"0,1", "0,2", "-0,3"}, {"0,05"}},
  };
  for (const auto& f : faelle) {
    startzustand();
    fenster(-f.breite / 2, f.breite / 2, -f.breite / 2, f.breite / 2);
    const auto log = achsenkreuz();
    for (const auto& t : f.da) EXPECT_TRUE(hattext(log, t)) << f.breite << " " << t;
    for (const auto& t : f.nicht) EXPECT_FALSE(hattext(log, t)) << f.breite << " " << t;
  }
}

TEST(Koordinatensystem, AngleLabels) {
  const struct { bool winkel, bogen; std::vector<std::string> da; } faelle[] = {
      {true, false, {"45°", "90°", "135°", "-90°"}},
      {false, true, {"0,25", "0,5", "0,75", "1", "π"}},
      {true, true, {"0,25", "π"}},
  };
  for (const auto& f : faelle) {
    startzustand();
    steuer.M_winkel = f.winkel;
    steuer.M_bogen = f.bogen;
    fenster(-6, 6, -6, 6);
    const auto log = achsenkreuz();
    for (const auto& t : f.da) EXPECT_TRUE(hattext(log, t)) << t;
    const int p = Round(pixelx(std::acos(-1.0) / 4));  // the first tick right of 0
    EXPECT_TRUE(enthaelt(log, "MoveTo " + std::to_string(p) + " " + std::to_string(_y + 6)));
  }
}

TEST(Koordinatensystem, AxesAndGridSettings) {
  // Window without x = 0: no y axis and no "y", ticks still at the multiples.
  startzustand();
  fenster(2, 14, -6, 6);
  auto log = achsenkreuz();
  EXPECT_FALSE(hattext(log, "y"));
  EXPECT_TRUE(hattext(log, "3"));
  EXPECT_EQ(anzahl(log, "Polygon"), 1);

  // Axes off, grid on: dotted grey axis lines, no arrows or names.
  startzustand();
  steuer.MAchsen1 = false;
  fenster(-6, 6, -6, 6);
  log = achsenkreuz();
  EXPECT_EQ(anzahl(log, "Polygon"), 0);
  EXPECT_TRUE(texte(log).empty());
  EXPECT_TRUE(enthaelt(log, "MoveTo " + std::to_string(_x) + " " + std::to_string(grafh - 10)));

  // x axis at the bottom edge: the axis ticks and "0" go, the frame keeps its labels.
  startzustand();
  steuer.M_rahmen = true;
  fenster(-6, 6, -0.01, 12);
  log = achsenkreuz();
  EXPECT_FALSE(enthaelt(log, "TextOut " + std::to_string(_x - 10) + " " + std::to_string(_y + 6) + " 0"));
  EXPECT_TRUE(enthaelt(log, "TextOut " + std::to_string(Round(pixelx(1))) + " 6 1"));
}

TEST(Koordinatensystem, FineGridReachesTheEdges) {
  startzustand(300, 700);
  steuer.m_mmraster = true;
  fenster(-6, 6, -14, 14, 300, 700);  // y step 2, fine step 0.4 = 10 pixels
  const auto log = achsenkreuz();
  int tiefste = 0;
  bool fein = false;
  for (const auto& z : log) {
    if (z.rfind("Pen.Color", 0) == 0) fein = z == "Pen.Color F0F0F0";
    int y;
    if (fein && std::sscanf(z.c_str(), "MoveTo 0 %d", &y) == 1) tiefste = std::max(tiefste, y);
  }
  EXPECT_GE(tiefste, grafh - 10);
  EXPECT_LT(tiefste, grafh);
}

TEST(Koordinatensystem, ExtremeWindowsFinish) {
  const double inf = std::numeric_limits<double>::infinity();
  const double faelle[][4] = {
      {1e300, 1.0000000000000002e300, 1e300, 1.0000000000000002e300},
      {-1e300, 1e300, -1e300, 1e300},
      {1, 1 + 1e-320, 1, 1 + 1e-320},
      {-inf, inf, -inf, inf},
      {1e15, 1e15 + 12, 1e15, 1e15 + 10},
      {1e9, 1e9 + 12, -5, 5},
  };
  for (const auto& f : faelle)
    for (bool mm : {false, true}) {
      startzustand();
      steuer.m_mmraster = mm;
      steuer.M_rahmen = true;
      fenster(f[0], f[1], f[2], f[3]);
      EXPECT_LT(achsenkreuz().size(), 100000u) << f[0];
    }
}

TEST(Koordinatensystem, FarWindowStillShowsItsTicks) {
  startzustand();
  fenster(1e9, 1e9 + 12, -6, 6);
  const auto log = achsenkreuz();
  EXPECT_GE(anzahl(log, "Pen.Style psDot"), 20);  // the grid lines of the x and y ticks
}

// Far from the origin the sweeps still add the step one at a time, so ticks sit
// where the repeated sum puts them (1000,50000000016 for the tick "1000,5").
TEST(Koordinatensystem, FarTicksComeFromRepeatedAddition) {
  startzustand(830, 597);
  steuer.M_rahmen = true;
  fenster(1000, 1001.2, -5, 5, 830, 597);
  const auto log = achsenkreuz();
  for (const auto& [text, spalte] : {std::pair{"1000,5", 346}, {"1001,1", 761}}) {
    EXPECT_TRUE(enthaelt(log, "TextOut " + std::to_string(spalte) + " 6 " + text)) << text;
    EXPECT_TRUE(enthaelt(log, "MoveTo " + std::to_string(spalte) + " 0")) << text;
  }
  // Further out (up to half a million skips) the first tick is still the one the
  // plain sum 0,1 + 0,1 + ... reaches first inside the drawing.
  for (double von : {1000.0, 4321.05, 54321.3}) {
    startzustand(830, 597);
    steuer.M_rahmen = true;
    fenster(von, von + 1.2, -5, 5, 830, 597);
    double t = 0.1;
    while (Round(pixelx(t)) < 0) t += 0.1;
    const std::string erster = "TextOut " + std::to_string(Round(pixelx(t))) + " 6 ";
    const auto kreuz = achsenkreuz();
    EXPECT_EQ(std::count(kreuz.begin(), kreuz.end(), erster + utf8text(zahltext(4, 3, t))), 1) << von;
  }
}

namespace {

struct Beschriftung {
  int x, y;
  std::string text;
};

// Characters of a UTF-8 text; the recording canvas gives each 7 pixels.
int breite(const std::string& t) {
  return static_cast<int>(std::count_if(t.begin(), t.end(), [](char c) { return (c & 0xC0) != 0x80; })) * 7;
}

enum Reihe { xachse, xrahmen, yachse, yrahmen };

// Labels of one row, in their order along it: the x axis (left edges at _y + 6,
// without the pi signs and the origin's "0"), the top frame, the y axis
// (right-aligned 6 pixels left of it) or the left frame.
std::vector<Beschriftung> reihentexte(const std::vector<std::string>& log, Reihe reihe) {
  std::vector<Beschriftung> b;
  for (const auto& z : log) {
    int x, y, n = 0;
    if (std::sscanf(z.c_str(), "TextOut %d %d %n", &x, &y, &n) != 2 || n == 0) continue;
    const std::string text = z.substr(n);
    const bool drin[] = {y == _y + 6 && text != "π" && !(x == _x - 10 && text == "0"), y == 6 && text != "y",
                         x + breite(text) == _x - 6 && text != "y", x == 2};
    if (drin[reihe]) b.push_back({x, y, text});
  }
  const bool senkrecht = reihe >= yachse;
  std::sort(b.begin(), b.end(), [&](const auto& a, const auto& c) { return senkrecht ? a.y < c.y : a.x < c.x; });
  return b;
}

}  // namespace

// Deep zooms and far views write fewer labels rather than a smear: along each
// row no label reaches into the next or repeats it, none is wider than half
// the drawing, and labels remain wherever they can be read.
TEST(Koordinatensystem, LabelsNeitherOverlapNorRepeat) {
  const struct { double fenster[4]; bool winkel, bogen; int xmindestens, ymindestens; } faelle[] = {
      {{-60, 60, -50, 50}, true, false, 4, 4},               // degree labels wider than their ticks are apart
      {{-1e6, 1e6, -1e6, 1e6}, false, false, 4, 4},           // seven digits 41 px apart
      {{0, 0.05, -0.02, 0.02}, false, true, 1, 4},            // "0,01 π" at ticks 0,0025 π apart
      {{-6, 6, 1, 1.0001}, false, false, 4, 1},               // y ticks closer than the shown decimals
      {{-1e300, 1e300, -1e300, 1e300}, false, false, 0, 0},   // 300-digit labels
  };
  for (const auto& f : faelle) {
    startzustand(830, 597);
    steuer.M_winkel = f.winkel;
    steuer.M_bogen = f.bogen;
    steuer.M_rahmen = true;
    fenster(f.fenster[0], f.fenster[1], f.fenster[2], f.fenster[3], 830, 597);
    const auto log = achsenkreuz();
    for (const auto& t : texte(log)) EXPECT_LE(breite(t), grafb / 2) << t.substr(0, 20);
    EXPECT_GE(static_cast<int>(reihentexte(log, xrahmen).size()), f.xmindestens) << f.fenster[0];
    EXPECT_GE(static_cast<int>(reihentexte(log, yrahmen).size()), f.ymindestens) << f.fenster[0];
    for (Reihe r : {xachse, xrahmen, yachse, yrahmen}) {
      const auto b = reihentexte(log, r);
      for (std::size_t i = 1; i < b.size(); ++i) {
        EXPECT_NE(b[i].text, b[i - 1].text) << f.fenster[0] << " " << r;
        if (r <= xrahmen) {
          EXPECT_GE(b[i].x - b[i - 1].x, breite(b[i - 1].text)) << b[i - 1].text;
        }
      }
    }
  }
}

// Ordinary views keep a label at every tick of the x axis, in all three modes.
TEST(Koordinatensystem, OrdinaryViewsLabelEveryTick) {
  for (int modus = 0; modus < 3; ++modus)
    for (int b : {590, 830}) {
      startzustand(b, 597);
      steuer.M_winkel = modus == 1;
      steuer.M_bogen = modus == 2;
      fenster(-6, 6, -5, 5, b, 597);
      const auto log = achsenkreuz();
      int striche = 0;
      for (const auto& z : log) {
        int x, y;
        if (std::sscanf(z.c_str(), "MoveTo %d %d", &x, &y) == 2 && y == _y + 6) ++striche;
      }
      EXPECT_GT(striche, 8);
      EXPECT_EQ(static_cast<int>(reihentexte(log, xachse).size()), striche) << modus << " " << b;
    }
}
