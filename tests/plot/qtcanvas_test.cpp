#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>

#include <cmath>
#include <set>

#include "abbildung.h"
#include "emfcanvas.h"
#include "fktint.h"
#include "plotpass.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "uableitung.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

constexpr TColor weiss = 0xFFFFFF, schwarz = 0x000000, rot = 0x0000FF;

struct Flaeche {
  QtBitmap bild;
  Canvas& c;
  Flaeche(int b, int h) : bild(b, h), c(bild.canvas()) {}
  std::set<std::pair<int, int>> gesetzt(TColor hintergrund = weiss) {
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < bild.Height(); ++y)
      for (int x = 0; x < bild.Width(); ++x)
        if (c.Pixels(x, y) != hintergrund) s.insert({x, y});
    return s;
  }
};

struct Kasten {
  int l = 1 << 30, t = 1 << 30, r = -1, b = -1;
};
Kasten umriss(const std::set<std::pair<int, int>>& p) {
  Kasten k;
  for (auto [x, y] : p) k.l = std::min(k.l, x), k.t = std::min(k.t, y), k.r = std::max(k.r, x), k.b = std::max(k.b, y);
  return k;
}

}  // namespace

TEST(QtCanvas, LineToLeavesOutTheEndPixelInEveryDirection) {
  const int ziele[][2] = {{30, 20}, {10, 20}, {20, 30}, {20, 10}, {30, 30}, {10, 10},
                          {30, 10}, {10, 30}, {27, 24}, {13, 16}, {22, 9},  {17, 29}};
  for (const auto& z : ziele) {
    Flaeche f(40, 40);
    f.c.MoveTo(20, 20);
    f.c.LineTo(z[0], z[1]);
    const auto p = f.gesetzt();
    const int laenge = std::max(std::abs(z[0] - 20), std::abs(z[1] - 20));
    EXPECT_EQ(static_cast<int>(p.size()), laenge) << z[0] << "," << z[1];
    EXPECT_TRUE(p.count({20, 20})) << z[0] << "," << z[1];
    EXPECT_FALSE(p.count({z[0], z[1]})) << z[0] << "," << z[1];
    EXPECT_EQ(f.c.PenPos().x, z[0]);
  }
}

// A line that starts off the surface shows exactly the pixels of the same line
// drawn whole on a surface that holds it.
TEST(QtCanvas, ClippedLinesMatchTheWholeLine) {
  const int linien[][4] = {{5, 7, 290, 111}, {290, 3, 2, 250}, {10, 290, 200, 5}, {150, 150, 151, 20},
                           {3, 140, 297, 141}};
  for (const auto& l : linien) {
    Flaeche ganz(300, 300), teil(150, 150);
    ganz.c.MoveTo(l[0], l[1]);
    ganz.c.LineTo(l[2], l[3]);
    teil.c.MoveTo(l[0] - 100, l[1] - 100);
    teil.c.LineTo(l[2] - 100, l[3] - 100);
    std::set<std::pair<int, int>> erwartet;
    for (auto [x, y] : ganz.gesetzt())
      if (x >= 100 && y >= 100 && x < 250 && y < 250) erwartet.insert({x - 100, y - 100});
    EXPECT_EQ(teil.gesetzt(), erwartet) << l[0] << " " << l[1] << " " << l[2] << " " << l[3];
  }
}

TEST(QtCanvas, FarCoordinatesAreClippedWithoutStrayPixels) {
  const int gross = 2147483647, klein = -2147483647 - 1;
  const int linien[][4] = {{10, 10, 10, 2000000000}, {10, 10, 2000000000, 10},
                           {klein, klein, gross, gross}, {klein, gross, gross, klein},
                           {klein, 25, gross, 26}, {50, klein, 51, gross}, {gross, gross, gross, klein}};
  for (const auto& l : linien) {
    Flaeche f(100, 80);
    f.c.MoveTo(l[0], l[1]);
    f.c.LineTo(l[2], l[3]);
    EXPECT_EQ(f.c.PenPos().x, l[2]);
    EXPECT_EQ(f.c.PenPos().y, l[3]);
    const double dx = static_cast<double>(l[2]) - l[0], dy = static_cast<double>(l[3]) - l[1];
    const double laenge = std::hypot(dx, dy);
    const auto p = f.gesetzt();
    for (auto [x, y] : p) {
      const double abstand = std::fabs((x - static_cast<double>(l[0])) * dy - (y - static_cast<double>(l[1])) * dx) / laenge;
      EXPECT_LT(abstand, 1.0) << x << "," << y;
    }
    // One pixel per step along the major axis, all of it that is visible.
    const bool xhaupt = std::fabs(dx) >= std::fabs(dy);
    std::set<int> schritte;
    for (auto [x, y] : p) schritte.insert(xhaupt ? x : y);
    EXPECT_EQ(schritte.size(), p.size());
  }
  Flaeche f(100, 80);
  f.c.MoveTo(10, 10);
  f.c.LineTo(10, 2000000000);
  EXPECT_EQ(f.gesetzt().size(), 70u);  // rows 10 to 79
}

TEST(QtCanvas, ShapesExcludeRightAndBottomEdges) {
  for (int breite : {1, 2}) {
    Flaeche f(40, 40);
    f.c.setPenWidth(breite);
    f.c.setBrushColor(0x00FFFF);
    f.c.Ellipse(20 - 4, 15 - 4, 20 + 5, 15 + 5);
    const Kasten e = umriss(f.gesetzt());
    if (breite == 1) {
      EXPECT_EQ(e.l, 16);
      EXPECT_EQ(e.r, 24);
      EXPECT_EQ(e.t, 11);
      EXPECT_EQ(e.b, 19);
      EXPECT_EQ(f.c.Pixels(20, 15), 0x00FFFFu);  // filled
      EXPECT_EQ(f.c.Pixels(16, 15), schwarz);    // outlined
    } else {
      EXPECT_LE(e.r - e.l, 10);
      EXPECT_LE(e.b - e.t, 10);
    }
  }
  Flaeche f(40, 40);
  f.c.setBrushColor(rot);
  f.c.Rectangle(5, 6, 15, 12);
  const Kasten r = umriss(f.gesetzt());
  EXPECT_EQ(r.l, 5);
  EXPECT_EQ(r.r, 14);
  EXPECT_EQ(r.t, 6);
  EXPECT_EQ(r.b, 11);
  EXPECT_EQ(f.c.Pixels(10, 9), rot);
  EXPECT_EQ(f.c.Pixels(14, 11), schwarz);
}

TEST(QtCanvas, NotPenInvertsEachPixelOnce) {
  Flaeche f(40, 40);
  f.c.setPenMode(pmNot);
  f.c.MoveTo(5, 5);
  f.c.LineTo(30, 5);
  f.c.LineTo(30, 30);
  f.c.LineTo(5, 5);
  f.c.setBrushStyle(bsClear);
  f.c.Rectangle(2, 2, 38, 38);
  for (auto [x, y] : f.gesetzt()) EXPECT_EQ(f.c.Pixels(x, y), schwarz) << x << "," << y;
  EXPECT_EQ(f.c.Pixels(30, 5), schwarz);  // the corners are inverted, not restored
  EXPECT_EQ(f.c.Pixels(2, 2), schwarz);
  EXPECT_EQ(f.c.Pixels(37, 37), schwarz);
  // The same figure again restores the surface.
  f.c.MoveTo(5, 5);
  f.c.LineTo(30, 5);
  f.c.LineTo(30, 30);
  f.c.LineTo(5, 5);
  f.c.Rectangle(2, 2, 38, 38);
  EXPECT_TRUE(f.gesetzt().empty());
}

TEST(QtCanvas, DottedPenLeavesGaps) {
  for (bool transparent : {true, false}) {
    Flaeche f(60, 10);
    f.c.Rectangle(-1, -1, 61, 11);  // black surroundings show what the gaps do
    f.c.setBrushColor(rot);
    f.c.Rectangle(0, 0, 60, 10);
    f.c.setTransparentBackground(transparent);
    f.c.setPenStyle(psDot);
    f.c.MoveTo(0, 5);
    f.c.LineTo(60, 5);
    int an = 0, lueckenrot = 0;
    for (int x = 0; x < 60; ++x) {
      const TColor p = f.c.Pixels(x, 5);
      an += p == schwarz;
      lueckenrot += p == rot;
    }
    EXPECT_GT(an, 15);
    EXPECT_LT(an, 45);
    EXPECT_EQ(lueckenrot > 0, transparent);
  }
}

TEST(QtCanvas, BrushBehindTextOut) {
  for (bool solide : {true, false}) {
    Flaeche f(100, 30);
    f.c.setPenStyle(psClear);
    f.c.setBrushColor(rot);
    f.c.Rectangle(0, 0, 100, 30);
    f.c.setFontName(u"Verdana");
    f.c.setFontSize(9);
    f.c.setBrushColor(weiss);
    if (!solide) f.c.setBrushStyle(bsClear);
    f.c.TextOut(5, 5, u"1,5");
    const TSize g = f.c.TextExtent(u"1,5");
    EXPECT_GT(g.cx, 10);
    EXPECT_GE(g.cy, 12);
    int roteimfeld = 0;
    for (int y = 5; y < 5 + g.cy; ++y)
      for (int x = 5; x < 5 + g.cx; ++x) roteimfeld += f.c.Pixels(x, y) == rot;
    EXPECT_EQ(roteimfeld == 0, solide);
    EXPECT_EQ(f.c.Pixels(4, 4), rot);
    EXPECT_EQ(f.c.TextWidth(u"1,5"), g.cx);
  }
}

TEST(QtCanvas, FontsMapToDejaVuSans) {
  for (const char* name : {"Verdana", "MS Sans Serif"}) EXPECT_EQ(QFontInfo(QFont(name)).family(), "DejaVu Sans") << name;
  // The pi sign exists in the label font: it is no empty cell.
  Flaeche f(30, 30);
  f.c.setFontName(u"Verdana");
  f.c.setFontSize(9);
  f.c.TextOut(5, 5, u"π");
  EXPECT_GT(f.gesetzt().size(), 5u);
}

// Both canvases over Qt say "no pixel" the same way: off the surface, and on a
// metafile that has no pixels at all.
TEST(QtCanvas, NoPixelReadsAlike) {
  Flaeche f(20, 10);
  EmfCanvas emf(20, 10);
  emf.Pixels(3, 4, rot);
  const struct { Canvas* c; int x, y; } faelle[] = {
      {&f.c, -1, 4}, {&f.c, 20, 0}, {&f.c, 0, 10}, {&emf, 3, 4}, {&emf, 0, 0}};
  for (const auto& fall : faelle) EXPECT_EQ(fall.c->Pixels(fall.x, fall.y), keinpixel);
  EXPECT_NE(f.c.Pixels(0, 0), keinpixel);
}

// The part of a segment that meets the widened surface, as both canvases cut it.
TEST(QtCanvas, SegmentsAreCutToTheWidenedSurface) {
  const struct { int x0, y0, x1, y1; bool trifft; double t0, t1; } faelle[] = {
      {10, 10, 90, 40, true, 0, 1},               // inside
      {-100, 20, 200, 20, true, 97.0 / 300, 203.0 / 300},  // across, widened by 3
      {20, -1000000, 20, 1000000, true, 0.4999985, 0.5000265},
      {-50, -50, -10, -60, false, 0, 0},          // left of the surface
      {104, 10, 104, 40, false, 0, 0},            // just beyond the margin
      {102, 10, 102, 40, true, 0, 1},             // on the margin
  };
  for (const auto& f : faelle) {
    double t0 = -1, t1 = -1;
    EXPECT_EQ(linieschneiden(f.x0, f.y0, f.x1, f.y1, 100, 50, 3, t0, t1), f.trifft) << f.x0 << "," << f.y0;
    if (!f.trifft) continue;
    EXPECT_NEAR(t0, f.t0, 1e-9) << f.x0 << "," << f.y0;
    EXPECT_NEAR(t1, f.t1, 1e-9) << f.x0 << "," << f.y0;
  }
}

TEST(QtCanvas, PixelsDrawAndCopies) {
  Flaeche quelle(20, 10);
  quelle.c.Pixels(3, 4, rot);
  quelle.c.Pixels(-1, 4, rot);   // off the surface: ignored
  quelle.c.Pixels(3, 400, rot);
  EXPECT_EQ(quelle.c.Pixels(3, 4), rot);
  EXPECT_EQ(quelle.c.Pixels(-1, 4), keinpixel);
  EXPECT_EQ(quelle.gesetzt().size(), 1u);

  Flaeche ziel(40, 40);
  ziel.c.Draw(10, 20, quelle.bild);
  EXPECT_EQ(ziel.c.Pixels(13, 24), rot);
  EXPECT_EQ(ziel.gesetzt().size(), 1u);

  Flaeche gedehnt(40, 20);
  gedehnt.c.StretchDraw({0, 0, 40, 20}, quelle.bild);
  EXPECT_EQ(gedehnt.c.Pixels(7, 9), rot);

  Flaeche kopie(10, 10);
  kopie.c.CopyRect({0, 0, 5, 5}, quelle.c, {1, 2, 6, 7});
  EXPECT_EQ(kopie.c.Pixels(2, 2), rot);

  auto neu = ziel.c.neuesBitmap(7, 5);
  EXPECT_EQ(neu->Width(), 7);
  EXPECT_EQ(neu->canvas().Pixels(6, 4), weiss);
}

TEST(QtCanvas, WidePensAndShapesFarOffTheSurface) {
  Flaeche f(50, 50);
  f.c.setPenWidth(3);
  f.c.MoveTo(-2147483647, 25);
  f.c.LineTo(2147483647, 25);
  f.c.setBrushColor(rot);
  f.c.Ellipse(-2147483647, -2147483647, 2147483647, 2147483647);
  const TPoint weit[] = {{-2147483647, 0}, {2147483647, 10}, {25, 2147483647}};
  f.c.Polygon(weit);
  f.c.TextOut(2147483600, -2147483600, u"x");
  EXPECT_EQ(f.c.Pixels(0, 25) == rot || f.c.Pixels(0, 25) == schwarz, true);
}

TEST(QtCanvas, OtherDevicesGoThroughThePainter) {
  QImage bild(60, 40, QImage::Format_ARGB32_Premultiplied);
  bild.fill(Qt::white);
  {
    QtCanvas c(bild);
    c.MoveTo(-2147483647, 20);
    c.LineTo(2147483647, 20);
    c.setBrushColor(rot);
    c.Rectangle(5, 5, 15, 15);
    EXPECT_EQ(c.Pixels(3, 20), 0xFFFFFFFFu);  // no pixel access on such a device
  }
  EXPECT_EQ(qtfarbe_zu_tcolor(bild.pixel(30, 20)), schwarz);
  EXPECT_EQ(qtfarbe_zu_tcolor(bild.pixel(10, 10)), rot);
  EXPECT_EQ(tcolor_zu_qtfarbe(0x123456) & 0xFFFFFF, 0x563412u);
}

// The start state on the screen image: one blue curve with its label, the axes,
// ticks with labels and the grey grid.
TEST(QtCanvas, StartStatePicture) {
  ersetzungslisteladen();
  steuer = Steuerzustand{};
  xmin = -6, xmax = 6, ymin = 597.0 * xmin / 830, ymax = 597.0 * xmax / 830;
  listeloeschen();
  termanhaengen(steuer.ed_f1);
  P = editwert(steuer.ed_parameter);
  Flaeche f(830, 597);
  neuzeichnen(f.c);
  int blau = 0, grau = 0;
  for (int y = 0; y < 597; ++y)
    for (int x = 0; x < 830; ++x) {
      const TColor p = f.c.Pixels(x, y);
      blau += p == 0xFF0000;
      grau += p == 0xD0D0D0;
    }
  EXPECT_GT(blau, 800);  // the curve, one pixel per column at least
  EXPECT_GT(grau, 3000);
  const int spalte = Round(pixelx(1));
  EXPECT_EQ(f.c.Pixels(spalte, Round(pixely(std::sin(2.0)))), 0xFF0000u);
  EXPECT_EQ(f.c.Pixels(100, _y), schwarz);  // the x axis
  EXPECT_EQ(f.c.Pixels(_x, 100), schwarz);  // the y axis
  // Label "Y = X*SIN(X+P)" in blue at (16, 16): some of its pixels are pure blue or bluish.
  int beschriftung = 0;
  for (int y = 16; y < 30; ++y)
    for (int x = 16; x < 120; ++x) {
      const TColor p = f.c.Pixels(x, y);
      beschriftung += p != weiss && (p >> 16) > (p & 0xFF) + 60;
    }
  EXPECT_GT(beschriftung, 30);
  EXPECT_EQ(ergebnisliste.front(), u"Функция Y = X*SIN(X+P)");
}

int main(int argc, char** argv) {
  // Owned here so that the font system is torn down before the program ends;
  // offscreen also when the test list is read without the test's environment.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication anwendung(argc, argv);
  grafikstarten();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
