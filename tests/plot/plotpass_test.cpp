#include <gtest/gtest.h>

#include <stdexcept>

#include "testumgebung.h"

using namespace abbildung;

TEST(Funktionsliste, CursorFollowsTheOperations) {
  listeloeschen();
  EXPECT_TRUE(listeende());
  EXPECT_EQ(naechsterterm(), u"");
  termanhaengen(u"X");
  termanhaengen(u"X");  // duplicates stay
  EXPECT_TRUE(listeende());  // appending moved the cursor
  listeanfang();
  EXPECT_EQ(naechsterterm(), u"X");
  EXPECT_EQ(naechsterterm(), u"X");
  EXPECT_TRUE(listeende());
  EXPECT_EQ(naechsterterm(), u"");
  listeloeschen();
  listeanfang();
  EXPECT_TRUE(listeende());
}

TEST(Plotpass, EmptyListDrawsOnlyTheCoordinateSystem) {
  startzustand(830, 597);
  steuer.c_ergebnisliste = true;
  steuer.Mergebnis_scrollbar = true;
  ergebnisliste = {u"alt"};
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  neuzeichnen(c);
  EXPECT_TRUE(ergebnisliste.empty());
  EXPECT_TRUE(steuer.Mergebnis_scrollbar);  // left as it was
  EXPECT_EQ(anzahl(log, "TextOut 16 "), 0);  // no curve label
}

TEST(Plotpass, TermsInListOrderWithTheirColours) {
  startzustand(830, 597);
  for (const char16_t* t : {u"X", u"X^2/4-2", u"SIN(X)"}) termanhaengen(t);
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  neuzeichnen(c);
  ASSERT_GE(ergebnisliste.size(), 3u);
  EXPECT_EQ(ergebnisliste.front(), u"Функция Y = X");
  EXPECT_EQ(ergebnisliste[ergebnisliste.size() - 2], u"Функция Y = X^2/4-2");
  EXPECT_EQ(ergebnisliste.back(), u"Функция Y = SIN(X)");
  for (const char* z : {"TextOut 16 16 Y = X", "TextOut 16 32 Y = X^2/4-2", "TextOut 16 48 Y = SIN(X)"})
    EXPECT_TRUE(enthaelt(log, z)) << z;
  std::vector<std::string> farben;
  for (const auto& z : log)
    if (z.rfind("Font.Color", 0) == 0 && z != "Font.Color 000000") farben.push_back(z);
  EXPECT_EQ(farben, (std::vector<std::string>{"Font.Color FF0000", "Font.Color 0000FF", "Font.Color 008000"}));
}

TEST(Plotpass, RedrawSetsUpBitmapAndCopiesOnce) {
  startzustand(830, 597);
  termanhaengen(u"X*SIN(X+P)");
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  neuzeichnen(c);
  EXPECT_EQ(grafb, 830);
  EXPECT_EQ(grafh, 597);
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "Bitmap 830 597");
  EXPECT_EQ(log[1], "Font.Name Verdana");
  EXPECT_EQ(log[2], "Font.Size 9");
  EXPECT_EQ(log[3], "Background transparent");
  EXPECT_EQ(log.back(), "Draw 0 0 830 597");
  EXPECT_EQ(anzahl(log, "Draw"), 1);
}

TEST(Plotpass, ScrollBarWhenLinesExceedRows) {
  // Two terms give seven result lines; a row of the memo is 8 + 5 pixels high.
  const struct { int hoehe; bool balken; } faelle[] = {
      {0, true}, {12, true}, {90, true}, {91, false}, {103, false}, {1000, false}};
  for (const auto& f : faelle) {
    startzustand();
    termanhaengen(u"X");
    termanhaengen(u"X^2");
    steuer.c_ergebnisliste = true;
    steuer.Mergebnis_clientheight = f.hoehe;
    steuer.Mergebnis_scrollbar = !f.balken;
    std::vector<std::string> log;
    ProtokollCanvas c(log);
    zeichnen(c);
    ASSERT_EQ(ergebnisliste.size(), 7u);
    EXPECT_EQ(steuer.Mergebnis_scrollbar, f.balken) << "memo height " << f.hoehe;
  }
}

TEST(Plotpass, ScrollBarLeftAloneWithoutResultList) {
  for (const bool vorher : {false, true}) {
    startzustand();
    termanhaengen(u"X");
    steuer.c_ergebnisliste = false;
    steuer.Mergebnis_clientheight = 0;
    steuer.Mergebnis_scrollbar = vorher;
    std::vector<std::string> log;
    ProtokollCanvas c(log);
    zeichnen(c);
    EXPECT_EQ(steuer.Mergebnis_scrollbar, vorher);
  }
}

TEST(Plotpass, UnreadableDomainBoundReadsAsZero) {
  startzustand();
  steuer.ed_xvon = u"ABC";
  termanhaengen(u"X");
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  zeichnen(c);
  EXPECT_EQ(xvon, 0.0);
}

namespace {
// A canvas whose bitmaps count themselves and whose drawing fails midway.
int lebendebitmaps = 0;

class Abbruch : public ProtokollCanvas {
 public:
  using ProtokollCanvas::ProtokollCanvas;
  void LineTo(int, int) override { throw std::runtime_error("abgebrochen"); }
  std::unique_ptr<Bitmap> neuesBitmap(int b, int h) override;
};

class Zaehlbitmap : public Bitmap {
 public:
  Zaehlbitmap(std::vector<std::string>& log, int b, int h) : leinwand(log), b(b), h(h) { ++lebendebitmaps; }
  ~Zaehlbitmap() override { --lebendebitmaps; }
  int Width() const override { return b; }
  int Height() const override { return h; }
  Canvas& canvas() override { return leinwand; }

 private:
  Abbruch leinwand;
  int b, h;
};

std::vector<std::string> abbruchlog;
std::unique_ptr<Bitmap> Abbruch::neuesBitmap(int b, int h) {
  return std::make_unique<Zaehlbitmap>(abbruchlog, b, h);
}
}  // namespace

TEST(Plotpass, BitmapReleasedWhenDrawingIsInterrupted) {
  startzustand();
  termanhaengen(u"X");
  Abbruch ziel(abbruchlog);
  EXPECT_THROW(neuzeichnen(ziel), std::runtime_error);
  EXPECT_EQ(lebendebitmaps, 0);
}

TEST(Plotpass, TinyAndOddSurfacesDraw) {
  const int groessen[][2] = {{0, 0}, {1, 1}, {3, 2000}, {2000, 3}};
  for (const auto& g : groessen) {
    startzustand(g[0], g[1]);
    termanhaengen(u"X*SIN(X+P)");
    termanhaengen(u"1/X");
    std::vector<std::string> log;
    ProtokollCanvas c(log);
    neuzeichnen(c);
    EXPECT_EQ(log.back(), "Draw 0 0 " + std::to_string(g[0]) + " " + std::to_string(g[1]));
  }
}
