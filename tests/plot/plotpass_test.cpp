#include <gtest/gtest.h>

#include <stdexcept>

#include "schwerezustaende.h"
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
  EXPECT_EQ(pass.xvon, 0.0);
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
  Zaehlbitmap(std::vector<std::string>& log, int breite, int hoehe) : leinwand(log), b(breite), h(hoehe) {
    ++lebendebitmaps;
  }
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

namespace {

struct Zustand {
  const char* name;
  bool alles;
  std::u16string f, q;
};

// The pass of the state, in all four fields, with its drawing.
std::vector<std::string> passlauf(const Zustand& z) {
  startzustand(830, 597);
  if (z.alles) allesan();
  steuer.c_schar = steuer.c_schar || !z.q.empty();
  if (!z.q.empty()) steuer.ed_q = z.q;
  if (!z.f.empty()) steuer.ed_f1 = steuer.ed_f2 = steuer.ed_f3 = steuer.ed_f4 = z.f;
  for (const auto* t : {&steuer.ed_f1, &steuer.ed_f2, &steuer.ed_f3, &steuer.ed_f4})
    if (!t->empty()) termanhaengen(*t);
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  neuzeichnen(c);
  return log;
}

}  // namespace

// The ordinary heavy states keep far below the budget of a pass, so they are
// drawn in full; so is the family at its member bound on its own.
TEST(Passbudget, OrdinaryStatesStayFarBelow) {
  // P runs from 1 in steps of 0,1: an end of 100 gives about 1000 members.
  const Zustand faelle[] = {
      {"defaults", false, u"", u""},
      {"every analysis", true, u"", u""},
      {"family at its defaults", false, u"", u"2"},
      {"family of 1000", false, u"", u"100"},
      {"every analysis, family of 1000", true, u"", u"100"},
      {"short terms, every analysis, family of 1000", true, u"X^3-2*X^2+X-1", u"100"},
      {"integral sine, every analysis, family of 1000", true, u"SI(X)+LN(X)", u"100"},
  };
  for (const Zustand& z : faelle) {
    passlauf(z);
    EXPECT_LT(passarbeit(), passbudget / 2) << z.name;
    EXPECT_EQ(std::count(ergebnisliste.begin(), ergebnisliste.end(), passabbruchzeile), 0) << z.name;
  }
  passlauf({"family of 10000", false, u"", u"1000"});
  EXPECT_LT(passarbeit(), passbudget);
  EXPECT_EQ(std::count(ergebnisliste.begin(), ergebnisliste.end(), passabbruchzeile), 0);
}

// Terms that would keep a pass busy for minutes: the pass ends near its budget
// with one closing line, and the same state stops at the same place.
TEST(Passbudget, HeavyStatesStopAtTheSamePlace) {
  const Zustand faelle[] = {
      // Curves and some analyses fit; the budget runs out half-way.
      {"300-character products", true, summe(u"SIN(X)*X", 300), u"1000"},
      // The dearest characters: the integral sine at its slowest argument.
      {"integral sines", true, summe(u"SI(49)", 32767), u"1000"},
      {"gamma far below 0", true, summe(u"GAMMA(-170.5)", 1000), u"1000"},
      // As long as a field holds: refused before it is evaluated.
      {"a million characters", true, summe(u"SI(49)", 1 << 20), u"1000"},
  };
  for (const Zustand& z : faelle) {
    const std::vector<std::string> erster = passlauf(z);
    const std::vector<std::u16string> zeilen = ergebnisliste;
    ASSERT_FALSE(zeilen.empty()) << z.name;
    EXPECT_EQ(zeilen.back(), passabbruchzeile) << z.name;
    EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), passabbruchzeile), 1) << z.name;
    // The last step may pass the budget by what one sample of a term costs.
    EXPECT_LT(passarbeit(), 2 * passbudget) << z.name;
    EXPECT_EQ(passlauf(z), erster) << z.name;
    EXPECT_EQ(ergebnisliste, zeilen) << z.name;
  }
}

// Drawing is part of the work: a family of wide curves (each segment stroked
// as a polygon) stops once its segments have spent the budget, while the same
// family drawn thin and an ordinary state drawn wide are drawn in full.
TEST(Passbudget, WidePensCountTheirSegments) {
  struct Fall {
    const char* name;
    bool alles;
    std::u16string f1, q;
    int breite;
    bool gestoppt;
  };
  const Fall faelle[] = {
      {"family of 10000 lines, pen 6", false, u"X", u"1000", 6, true},
      {"family of 10000 lines, pen 2", false, u"X", u"1000", 2, true},
      {"family of 10000 lines, pen 1", false, u"X", u"1000", 1, false},
      {"every analysis, pen 6", true, u"", u"", 6, false},
  };
  for (const Fall& f : faelle) {
    startzustand(830, 597);
    if (f.alles) allesan();
    if (!f.q.empty()) steuer.c_schar = true, steuer.ed_q = f.q, steuer.ed_schardiff = u"0,1";
    if (!f.f1.empty()) steuer.ed_f1 = f.f1;
    steuer.UpDown1 = f.breite;
    funktionslistefuellen();
    std::vector<std::string> log;
    ProtokollCanvas c(log);
    neuzeichnen(c);
    // Segments drawn with a wide pen: every LineTo after a pen width above 1.
    std::uint64_t breit = 0;
    int stift = 1;
    for (const std::string& zeile : log) {
      if (zeile.rfind("Pen.Width ", 0) == 0) stift = std::stoi(zeile.substr(10));
      if (zeile.rfind("LineTo ", 0) == 0 && stift > 1) ++breit;
    }
    EXPECT_EQ(std::count(ergebnisliste.begin(), ergebnisliste.end(), passabbruchzeile), f.gestoppt ? 1 : 0)
        << f.name;
    EXPECT_LE(breit * breiterstrich, passbudget + breiterstrich) << f.name;
    if (f.gestoppt) EXPECT_GT(breit * breiterstrich, passbudget / 2) << f.name;
  }
}

// A pass stopped before the area or the points shows none of their old values.
TEST(Passbudget, StoppedStepsLeaveNoOldValues) {
  startzustand(830, 597);
  allesan();
  steuer.ed_f1 = summe(u"SI(49)", 32767);
  termanhaengen(steuer.ed_f1);
  steuer.Label10 = steuer.Label11 = u"; 7 )";
  steuer.Label13 = steuer.Label15 = u"= 7";
  std::vector<std::string> log;
  ProtokollCanvas c(log);
  neuzeichnen(c);
  EXPECT_EQ(ergebnisliste.back(), passabbruchzeile);
  const Steuerzustand standard;
  EXPECT_EQ(steuer.Label13, standard.Label13);
  EXPECT_EQ(steuer.Label15, standard.Label15);
  EXPECT_EQ(steuer.Label10, standard.Label10);
  EXPECT_EQ(steuer.Label11, standard.Label11);
}
