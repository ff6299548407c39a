#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "analysen.h"
#include "auswertungen.h"
#include "flaeche.h"
#include "flaechenwerte.h"
#include "konstruktion.h"
#include "testumgebung.h"
#include "uableitung.h"

using namespace abbildung;

namespace {

using Zeilen = std::vector<std::u16string>;
using Log = std::vector<std::string>;

class Analysen : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ersetzungsliste.empty()) ersetzungslisteladen();
    startzustand(830, 597);
  }
  // b_zeichnenClick and one redraw, recorded.
  Log zeichne() {
    funktionslistefuellen();
    Log log;
    ProtokollCanvas c(log);
    neuzeichnen(c);
    return log;
  }
  static std::size_t stelle(const std::u16string& zeile) {
    for (std::size_t i = 0; i < ergebnisliste.size(); ++i)
      if (ergebnisliste[i] == zeile) return i;
    return ergebnisliste.size();
  }
};

TEST_F(Analysen, DefaultStartListsSixLines) {
  zeichne();
  EXPECT_EQ(ergebnisliste, (Zeilen{u"Функция Y = X*SIN(X+P)", u"Домен (-6 | 6)", u"Первая производная",
                                   u"Y = SIN(X+P)+X*COS(X+P)", u"Вторая производная",
                                   u"Y = 2*COS(X+P)-X*SIN(X+P)"}));
}

// The first-term steps work on the term they are given, whatever the result list
// holds before them.
TEST_F(Analysen, FirstTermStepsTakeTheirTerm) {
  steuer.c_integral = true;
  ergebnisliste = {u"anything"};
  Log log;
  ProtokollCanvas c(log);
  pass.A = 2, pass.B = 0;
  ersterterm_vorab(c, u"X^2");
  EXPECT_EQ(ergebnisliste[3], u"Y = 2*X");
  EXPECT_EQ(ergebnisliste[5], u"Y = 2");
  EXPECT_NEAR(integralwert, 8.0 / 3, 1e-12);
}

TEST_F(Analysen, DefaultConstructionLinesAndLabels) {
  steuer.c_tangente = steuer.c_normale = steuer.c_sekante = steuer.c_punktB = true;
  const Log log = zeichne();
  EXPECT_EQ(steuer.Label11, u"; 0,91 )");
  EXPECT_EQ(steuer.Label10, u"; 0 )");
  // Slopes from the derivative SIN(2)+COS(2), not from a difference quotient.
  for (const char* z : {"TextOut 16 32 Y = 0,493*X+0,416", "TextOut 16 48 Y = -2,028*X+2,937",
                        "TextOut 16 64 Y = 0,9093*X"})
    EXPECT_TRUE(enthaelt(log, z)) << z;
  // Each line also in the result list, after the specified lines.
  const Zeilen linien(ergebnisliste.end() - 3, ergebnisliste.end());
  EXPECT_EQ(linien, (Zeilen{u"Касательная в A (1; 0,91): Y = 0,493*X+0,416",
                            u"Нормаль в A (1; 0,91): Y = -2,028*X+2,937",
                            u"Секущая AB (1; 0,91) (0; 0): Y = 0,9093*X"}));
  // Point B at the origin is marked lime; A without its check box gets no yellow disc.
  const int px = Round(pixelx(0)), py = Round(pixely(0));
  EXPECT_TRUE(enthaelt(log, "Ellipse " + std::to_string(px - 4) + " " + std::to_string(py - 4) + " " +
                                std::to_string(px + 5) + " " + std::to_string(py + 5)));
  EXPECT_EQ(anzahl(log, "Ellipse"), 1);
}

// A horizontal tangent (the slope of the derivative text is exactly 0) has the
// vertical normal, drawn over the height of the drawing and labelled "X = ".
TEST_F(Analysen, HorizontalTangentHasAVerticalNormal) {
  steuer.ed_f1 = u"X^2-2*X";  // vertex at A = 1
  steuer.c_tangente = steuer.c_normale = true;
  const Log log = zeichne();
  EXPECT_TRUE(enthaelt(log, "TextOut 16 32 Y = -1"));
  EXPECT_TRUE(enthaelt(log, "TextOut 16 48 X = 1"));
  const std::string spalte = std::to_string(Round(pixelx(1)));
  EXPECT_TRUE(enthaelt(log, "MoveTo " + spalte + " 0"));
  EXPECT_TRUE(enthaelt(log, "LineTo " + spalte + " " + std::to_string(grafh)));
  EXPECT_EQ(ergebnisliste.back(), u"Нормаль в A (1; -1): X = 1");
}

// Where the term has no value, A and B say so and get no marker and no line.
TEST_F(Analysen, PointsWithoutValueGetNoMarkerOrLine) {
  steuer.ed_f1 = u"SQRT(X-2)";
  steuer.ed_A = u"3";
  steuer.ed_B = u"0";
  steuer.c_punktA = steuer.c_punktB = steuer.c_tangente = steuer.c_normale = steuer.c_sekante = true;
  Log log = zeichne();
  EXPECT_EQ(steuer.Label11, u"; 1 )");
  EXPECT_EQ(steuer.Label10, u"; не определена )");
  EXPECT_EQ(anzahl(log, "Ellipse"), 1);           // A only
  EXPECT_EQ(anzahl(log, "TextOut 16 64 "), 0);    // tangent and normal, no secant
  EXPECT_EQ(ergebnisliste.back(), u"Нормаль в A (3; 1): Y = -2*X+7");

  steuer.ed_A = u"1";
  steuer.ed_B = u"6";
  log = zeichne();
  EXPECT_EQ(steuer.Label11, u"; не определена )");
  EXPECT_EQ(steuer.Label10, u"; 2 )");
  EXPECT_EQ(anzahl(log, "Ellipse"), 1);           // B only
  EXPECT_EQ(anzahl(log, "TextOut 16 32 "), 0);    // no line at all
  EXPECT_EQ(ergebnisliste.size(), 6u);
}

TEST_F(Analysen, ZerosWithSummary) {
  steuer.ed_f1 = u"(X+1)*(X-2)";
  steuer.c_nullstellen = steuer.c_pktanzeige = true;
  const Log log = zeichne();
  const std::size_t i = stelle(u"Нули");
  ASSERT_LT(i + 2, ergebnisliste.size());
  EXPECT_EQ(ergebnisliste[i + 1], u"\t-1");
  EXPECT_EQ(ergebnisliste[i + 2], u"\t2");
  EXPECT_TRUE(enthaelt(log, "TextOut 16 " + std::to_string(grafh - 30) + " Нули: -1 | 2"));
  const int px = Round(pixelx(2));
  EXPECT_TRUE(enthaelt(log, "Ellipse " + std::to_string(px - 4) + " " + std::to_string(_y - 4) + " " +
                                std::to_string(px + 5) + " " + std::to_string(_y + 5)));
  EXPECT_TRUE(enthaelt(log, "Brush.Color " + farbtext(0xFFFF00)));
}

TEST_F(Analysen, SummariesStackUpwards) {
  steuer.ed_f1 = u"X^2/4-2";
  steuer.c_nullstellen = steuer.c_extrema = steuer.c_pktanzeige = true;
  const Log log = zeichne();
  EXPECT_EQ(anzahl(log, "TextOut 16 " + std::to_string(grafh - 30) + " Нули: "), 1);
  EXPECT_EQ(anzahl(log, "TextOut 16 " + std::to_string(grafh - 46) + " Точки экстремума: "), 1);
}

TEST_F(Analysen, InflectionTangentsWithoutPoints) {
  steuer.ed_f1 = u"X^3-3*X";
  steuer.c_wendetangente = steuer.c_pktanzeige = true;
  const Log log = zeichne();
  const std::size_t i = stelle(u"Точки перегиба");
  ASSERT_LT(i + 1, ergebnisliste.size());
  // No point lines: the header, then only the tangent's own line at the end.
  EXPECT_EQ(ergebnisliste[i + 1], u"Касательная в точке перегиба (0; 0): Y = -3*X");
  EXPECT_EQ(i + 2, ergebnisliste.size());
  EXPECT_EQ(anzahl(log, "TextOut 16 " + std::to_string(grafh - 30)), 0);
  EXPECT_EQ(anzahl(log, "TextOut 16 32 Y = -3*X"), 1);  // the tangent through the origin
}

TEST_F(Analysen, ExtremumKinds) {
  // The neighbours decide where they are clear: at kinks d2 says nothing (SGN
  // terms, 0 or undefined), and of SQR no d2 can be formed at all.
  const struct { const char16_t* term; Zeilen zeilen; } faelle[] = {
      {u"SQR(X-1)", {u"\tМинимум (1;0)"}},
      {u"1-SQR(X-1)", {u"\tМаксимум (1;1)"}},
      {u"X^2/4-2", {u"\tМинимум (0;-2)"}},
      {u"ABS(X)", {u"\tМинимум (0;0)"}},
      {u"ABS(X-1)", {u"\tМинимум (1;0)"}},
      {u"ABS(X^2-1)", {u"\tМинимум (-1;0)", u"\tМаксимум (0;1)", u"\tМинимум (1;0)"}},
      {u"SQRT(ABS(X))", {u"\tМинимум (0;0)"}},
      {u"ABS(SIN(X))", {u"\tМаксимум (-4,71;1)", u"\tМинимум (-3,14;0)", u"\tМаксимум (-1,57;1)",
                        u"\tМинимум (0;0)", u"\tМаксимум (1,57;1)", u"\tМинимум (3,14;0)",
                        u"\tМаксимум (4,71;1)"}},
      {u"-ABS(X)", {u"\tМаксимум (0;0)"}},
      {u"X^4", {u"\tМинимум (0;0)"}},
      {u"(X-1)^4", {u"\tМинимум (1;0)"}},
      {u"X*SIN(X+P)", {u"\tМинимум (-5,88;-5,8)", u"\tМаксимум (-2,9;2,74)", u"\tМинимум (-0,52;-0,24)",
                       u"\tМаксимум (1,25;0,97)", u"\tМинимум (3,96;-3,84)"}},
  };
  for (const auto& f : faelle) {
    steuer.ed_f1 = f.term;
    steuer.c_extrema = true;
    zeichne();
    ASSERT_GE(ergebnisliste.size(), 7u);
    EXPECT_EQ(ergebnisliste[6], u"Экстремумов");
    EXPECT_EQ(Zeilen(ergebnisliste.begin() + 7, ergebnisliste.end()), f.zeilen);
  }
}

TEST_F(Analysen, ResultBlocksInOrder) {
  steuer.c_f2 = true;
  for (bool* s : {&steuer.c_integral, &steuer.c_nullstellen, &steuer.c_extrema, &steuer.c_wendepunkte,
                  &steuer.c_schnittpunkte, &steuer.c_wertetabelle, &steuer.Mergebnis_visible})
    *s = true;
  zeichne();
  const std::u16string koepfe[] = {u"Вторая производная", u"Область между f1 и f2 между (0 | 1)", u"Нули",
                                   u"Экстремумов", u"Точки перегиба", u"Точки пересечения между f1 и f2",
                                   u"Точки пересечения", u"Таблица значений", u"Функция Y = X^2/4-2"};
  std::size_t vorher = 0;
  for (const auto& k : koepfe) {
    const std::size_t i = stelle(k);
    ASSERT_LT(i, ergebnisliste.size());
    EXPECT_GT(i, vorher);
    vorher = i;
  }
  EXPECT_EQ(ergebnisliste.back(), u"Функция Y = X^2/4-2");
  EXPECT_EQ(stelle(u"Таблица значений") + 1 + 150 + 1, ergebnisliste.size() - 1);  // header, 150 rows
}

TEST_F(Analysen, FirstTermMayBeF2WhileSearchesReadF1) {
  steuer.c_f1 = false;
  steuer.c_f2 = steuer.c_nullstellen = steuer.c_integral = true;
  zeichne();
  ASSERT_GE(ergebnisliste.size(), 4u);
  EXPECT_EQ(ergebnisliste[0], u"Функция Y = X^2/4-2");
  EXPECT_EQ(ergebnisliste[3], u"Y = 2*X/4");
  EXPECT_LT(stelle(u"\t-1"), ergebnisliste.size());  // a zero of X*SIN(X+1)
  EXPECT_EQ(steuer.Label13, u"= 0");                  // f2 against itself
  EXPECT_EQ(steuer.Label15, u"= 0");
}

TEST_F(Analysen, EveryCurveInItsOrder) {
  for (bool* s : {&steuer.c_f2, &steuer.c_1ableitung, &steuer.c_2ableitung, &steuer.c_wendetangente,
                  &steuer.c_stammfunktion, &steuer.c_schar, &steuer.c_tangente, &steuer.c_normale,
                  &steuer.c_sekante, &steuer.spiegelungxachse, &steuer.spiegelungyachse,
                  &steuer.spiegelungursprung, &steuer.nacheinanderausfuehrung, &steuer.verschiebungxachse,
                  &steuer.streckungxachse, &steuer.verschiebungyachse, &steuer.streckungyachse,
                  &steuer.funktionsaddition, &steuer.funktionssubtraktion1, &steuer.funktionsmultiplikation,
                  &steuer.funktionsdivision1, &steuer.Umkehrkurvezuf1x1})
    *s = true;
  const Log log = zeichne();
  // f1, five inflection tangents, ten derived curves, the family without a label,
  // antiderivative, inverse, four combinations, tangent, normal, secant, f2.
  for (const char* z : {"TextOut 16 16 Y = X*SIN(X+P)", "TextOut 16 112 Первая производная",
                        "TextOut 16 256 p*f(x)", "TextOut 16 288 Первообразная f1",
                        "TextOut 16 304 Обратная функция", "TextOut 16 368 Y = (X*SIN(X+P))/(X^2/4-2)",
                        "TextOut 16 384 Y = 0,493*X+0,416", "TextOut 16 416 Y = 0,9093*X",
                        "TextOut 16 432 Y = X^2/4-2"})
    EXPECT_TRUE(enthaelt(log, z)) << z;
  EXPECT_EQ(anzahl(log, "TextOut 16 272 "), 0);
}

TEST_F(Analysen, ValueTableOnlyWithTheMemo) {
  steuer.c_wertetabelle = true;
  zeichne();
  EXPECT_EQ(ergebnisliste.size(), 6u);
}

TEST_F(Analysen, QuotientWithZeroIsNotDrawn) {
  steuer.ed_f2 = u"0";
  steuer.funktionsdivision1 = steuer.funktionsaddition = true;
  const Log log = zeichne();
  EXPECT_TRUE(enthaelt(log, "TextOut 16 32 Y = X*SIN(X+P)+(0)"));
  EXPECT_EQ(anzahl(log, "TextOut 16 48 "), 0);
}

TEST_F(Analysen, ShadingRows) {
  const struct { double zeile; std::int32_t r; } faelle[] = {
      {3.7, 3}, {-0.5, -1}, {-1e12, -1}, {1e12, 2147483647}, {NAN, -1}, {2147483646.9, 2147483646}};
  for (const auto& f : faelle) EXPECT_EQ(schraffurzeile(f.zeile), f.r) << f.zeile;

  // A value that maps far beyond 32 bits: the row is held, not undefined.
  Log log;
  ProtokollCanvas c(log);
  pass.A = 0.5;
  pass.B = -0.5;
  schraffur(c, u"-10^10", u"0");
  EXPECT_GT(anzahl(log, "MoveTo"), 10);
  EXPECT_TRUE(enthaelt(log, "MoveTo " + std::to_string(Round(pixelx(pass.B) + 1)) + " 2147483647"));
}

TEST_F(Analysen, ShadingFromFarPointsEnds) {
  Log log;
  ProtokollCanvas c(log);
  const std::string rand = "MoveTo " + std::to_string(grafb + 1) + " ";
  const struct { double a, b; std::string erste; } faelle[] = {
      {0, 1e300, rand},          // B far right: starts at the right edge
      {3, -1e9, "MoveTo -2 "},   // B far left, A right of it: from column -2 towards A
  };
  for (const auto& f : faelle) {
    log.clear();
    pass.A = f.a;
    pass.B = f.b;
    schraffur(c, u"X", u"0");
    ASSERT_GT(log.size(), 1u);
    EXPECT_LT(anzahl(log, "MoveTo"), grafb);
    EXPECT_EQ(log[1].rfind(f.erste, 0), 0u) << log[1];
  }
}

TEST_F(Analysen, AntiderivativeOfOneIsTheDiagonal) {
  Log log;
  ProtokollCanvas c(log);
  stammkurve(c, u"1");
  for (int spalte : {_x + 1, _x + 100, _x - 150}) {
    const std::string z = "LineTo " + std::to_string(spalte) + " " + std::to_string(Round(pixely(weltx(spalte))));
    EXPECT_TRUE(enthaelt(log, z)) << z;
  }
  EXPECT_TRUE(enthaelt(log, "TextOut 16 0 Первообразная f1"));
}

TEST_F(Analysen, AntiderivativeTowardsAFarAxisEndsInTime) {
  // The y-axis millions of columns right of the drawing, and at the clamp of 2^30:
  // the sum towards it takes at most its budget of 2^17 samples, the search of the
  // first column and the curve one sweep of the drawing each.
  const double ansichten[][2] = {{-1e5, -1e5 + 12}, {-1e15, -1e15 + 12}};
  constexpr long long hoechstens = (1 << 17) + 3 * 830;
  pass.xvon = -1e300;
  for (const auto& v : ansichten) {
    xmin = v[0], xmax = v[1], ymin = v[0], ymax = v[0] + 10;
    abbildungeinrichten(830, 597);
    Log log;
    ProtokollCanvas c(log);
    const long long vorher = auswertungen;
    stammkurve(c, u"1");
    EXPECT_LE(auswertungen - vorher, hoechstens);
    EXPECT_GT(auswertungen - vorher, 830);
    EXPECT_TRUE(enthaelt(log, "TextOut 16 0 Первообразная f1"));
  }
  // Still the diagonal through the origin, within a pixel.
  xmin = -1e5, xmax = -1e5 + 12, ymin = -1e5, ymax = -1e5 + 10;
  abbildungeinrichten(830, 597);
  Log log;
  ProtokollCanvas c(log);
  stammkurve(c, u"1");
  const int spalte = 400, zeile = Round(pixely(weltx(spalte)));
  EXPECT_TRUE(enthaelt(log, "LineTo 400 " + std::to_string(zeile)) ||
              enthaelt(log, "LineTo 400 " + std::to_string(zeile - 1)) ||
              enthaelt(log, "LineTo 400 " + std::to_string(zeile + 1)))
      << zeile;
}

TEST_F(Analysen, FarMarkersStayDefined) {
  steuer.ed_A = u"10^9";
  steuer.ed_B = u"-10^9";
  steuer.ed_xvon = u"10^9";
  steuer.c_punktA = steuer.c_punktB = steuer.c_sekante = steuer.c_stammfunktion = true;
  const Log log = zeichne();
  EXPECT_EQ(anzahl(log, "Ellipse"), 2);
}

// A sign the term binds to the base of a power: one line says how the term is read
// and how to write the other meaning, right after the derivative lines; the
// derivatives, extrema and inflection points are those of the curve drawn.
TEST_F(Analysen, SignBeforeAPowerIsExplained) {
  const struct { const char16_t* term; const char16_t* hinweis; } faelle[] = {
      {u"EXP(-(X-1)^2)",
       u"Внимание: -(X-1)^2 читается как (-(X-1))^2; если минус относится ко всей степени, пишите -((X-1)^2)"},
      {u"1+ -X^2", u"Внимание: -X^2 читается как (-X)^2; если минус относится ко всей степени, пишите -(X^2)"},
      {u"X*(-SIN(X)^2^3+1)",
       u"Внимание: -SIN(X)^2^3 читается как (-SIN(X))^2^3; если минус относится ко всей степени, пишите "
       u"-(SIN(X)^2^3)"},
      {u"2*-X^2", u"Внимание: -X^2 читается как (-X)^2; если минус относится ко всей степени, пишите -(X^2)"},
      {u"-X^2", nullptr}, {u"(-X^2)", nullptr}, {u"EXP(-X^2)", nullptr}, {u"-(X-1)^2", nullptr},
      {u"EXP(0-(X-1)^2)", nullptr}, {u"EXP(-((X-1)^2))", nullptr}, {u"(-X)^2", nullptr}, {u"X*SIN(X+P)", nullptr},
  };
  for (const auto& f : faelle) {
    steuer.ed_f1 = f.term;
    zeichne();
    ASSERT_GE(ergebnisliste.size(), 6u);
    if (f.hinweis) {
      ASSERT_EQ(ergebnisliste.size(), 7u) << std::string(f.term, f.term + 3);
      EXPECT_EQ(ergebnisliste[6], f.hinweis);
    } else {
      EXPECT_EQ(ergebnisliste.size(), 6u) << std::string(f.term, f.term + 3);
    }
  }
  steuer.c_extrema = steuer.c_wendepunkte = true;
  steuer.ed_f1 = u"EXP(-(X-1)^2)";  // drawn as exp((x-1)^2): one minimum, no inflection point
  steuer.ed_von = u"-2";
  steuer.ed_bis = u"3";
  zeichne();
  EXPECT_LT(stelle(u"\tМинимум (1;1)"), ergebnisliste.size());
  EXPECT_EQ(stelle(u"Точки перегиба"), ergebnisliste.size());
  steuer.ed_f1 = u"1+-X^2";
  zeichne();
  EXPECT_LT(stelle(u"\tМинимум (0;1)"), ergebnisliste.size());
}

// A derivative too long to form is said so in its place; a term the builder cannot
// read still gives the empty text.
TEST_F(Analysen, DeclinedDerivativesAreSaidSo) {
  auto produkt = [](int n) {
    std::u16string t = u"(X+1)";
    for (int i = 2; i <= n; ++i) {
      const std::string zahl = std::to_string(i);
      t += u"*(X+" + std::u16string(zahl.begin(), zahl.end()) + u")";
    }
    return t;
  };
  const std::u16string abgelehnt = u"Не построена: производная слишком длинная";
  const struct { std::u16string term; bool erste, zweite; } faelle[] = {
      {produkt(25), false, false}, {produkt(60), false, true}, {produkt(120), true, true}};
  for (const auto& f : faelle) {
    steuer.ed_f1 = f.term;
    zeichne();
    ASSERT_EQ(ergebnisliste.size(), 6u);
    EXPECT_EQ(ergebnisliste[3] == abgelehnt, f.erste) << f.term.size();
    EXPECT_EQ(ergebnisliste[5] == abgelehnt, f.zweite) << f.term.size();
    EXPECT_GT(ergebnisliste[3].size(), f.erste ? 0u : 2000u);
    EXPECT_GT(ergebnisliste[5].size(), f.zweite ? 0u : 30000u);
  }
  steuer.ed_f1 = u"GAMMA(X)";
  zeichne();
  EXPECT_EQ(ergebnisliste[3], u"Y = ");
  EXPECT_EQ(ergebnisliste[5], u"Y = ");
}

}  // namespace

namespace {
// Brush style at each TextOut of the log, by its text.
std::map<std::string, std::string> pinsel_bei_text(const Log& log) {
  std::string stil = "bsSolid";
  std::map<std::string, std::string> pinsel;
  for (const auto& z : log) {
    if (z.rfind("Brush.Color", 0) == 0) stil = "bsSolid";
    if (z.rfind("Brush.Style ", 0) == 0) stil = z.substr(12);
    if (z.rfind("TextOut 16 ", 0) == 0) pinsel[z.substr(z.find(' ', 11) + 1)] = stil;
  }
  return pinsel;
}
}  // namespace

// Unchecked search blocks leave the brush alone: every curve label is written
// without a background, as the coordinate system left it.
TEST_F(Analysen, CurveLabelsKeepTheClearBrush) {
  const struct { std::vector<bool*> an; std::vector<std::string> beschriftungen; } faelle[] = {
      {{&steuer.c_f2, &steuer.c_1ableitung},
       {"Y = X*SIN(X+P)", "Первая производная", "Y = X^2/4-2"}},
      {{&steuer.c_stammfunktion, &steuer.Umkehrkurvezuf1x1, &steuer.spiegelungxachse},
       {"Первообразная f1", "Обратная функция", "f(-x)"}},
  };
  for (const auto& f : faelle) {
    SetUp();
    for (bool* s : f.an) *s = true;
    const auto pinsel = pinsel_bei_text(zeichne());
    for (const auto& b : f.beschriftungen) {
      ASSERT_TRUE(pinsel.count(b)) << b;
      EXPECT_EQ(pinsel.at(b), "bsClear") << b;
    }
  }
}

namespace {

// Points outside the domain of the curves are neither listed nor marked; a point
// on the open lower end is outside as well.
TEST_F(Analysen, PointsOnlyInsideTheDomain) {
  steuer.ed_f1 = u"X^3-3*X";
  steuer.ed_xvon = u"0";
  steuer.ed_xbis = u"2";
  steuer.c_nullstellen = steuer.c_extrema = steuer.c_pktanzeige = true;
  const Log log = zeichne();
  const std::size_t i = stelle(u"Нули");
  ASSERT_LT(i + 3, ergebnisliste.size());
  EXPECT_EQ(ergebnisliste[i + 1], u"\t1,73");
  EXPECT_EQ(ergebnisliste[i + 2], u"Экстремумов");
  EXPECT_EQ(ergebnisliste[i + 3], u"\tМинимум (1;-2)");
  EXPECT_EQ(anzahl(log, "Ellipse"), 2);
  EXPECT_TRUE(enthaelt(log, "TextOut 16 " + std::to_string(grafh - 30) + " Нули: 1,73"));
}

// The drawn part of f1 outside the search range is looked at for what the
// searches would find there, and one line per kind says so.
TEST_F(Analysen, PointsOutsideTheSearchRangeAreMentioned) {
  steuer.ed_von = u"-2";
  steuer.ed_bis = u"2";
  steuer.c_nullstellen = steuer.c_extrema = true;
  const struct { const char16_t* term; bool nullen, extrema; } faelle[] = {
      {u"X^3-27*X", true, true},    // zeros at 0 and +-5,2; extrema at +-3
      {u"(X-5)*(X+1)", true, false},
      {u"X^2-1", false, false},     // all inside
      {u"1/(X-4)", false, false},   // a pole is no zero
  };
  for (const auto& f : faelle) {
    steuer.ed_f1 = f.term;
    zeichne();
    const auto zeile = [](const char16_t* art) {
      return u"Вне диапазона поиска (-2 | 2) у f1 есть ещё " + std::u16string(art) + u": расширьте диапазон «от … до»";
    };
    EXPECT_EQ(stelle(zeile(u"нули")) < ergebnisliste.size(), f.nullen);
    EXPECT_EQ(stelle(zeile(u"экстремумы")) < ergebnisliste.size(), f.extrema);
  }
}

// An integral that does not exist shades nothing and shows a dash; one that
// exists shades as before.
TEST_F(Analysen, IntegralAcrossAPoleShadesNothing) {
  steuer.c_integral = true;
  steuer.ed_A = u"-2";
  steuer.ed_B = u"3";
  steuer.ed_f1 = u"1/(X-1)";
  Log log = zeichne();
  EXPECT_EQ(anzahl(log, "Pen.Color " + farbtext(0x00FFFE)), 0);
  EXPECT_EQ(steuer.Label13, u"= \u2014");
  EXPECT_EQ(ergebnisliste[6], u"Интеграл f1 от -2 до 3 не существует: f1 не ограничена около x = 1");
  steuer.ed_f1 = u"X^2";
  log = zeichne();
  EXPECT_EQ(anzahl(log, "Pen.Color " + farbtext(0x00FFFE)), 1);
  EXPECT_EQ(steuer.Label13, u"= 11,67");
}

// The antiderivative breaks at a pole: no line is drawn across its column, and
// the curve goes on beside it.
TEST_F(Analysen, AntiderivativeBreaksAtAPole) {
  Log log;
  ProtokollCanvas c(log);
  stammkurve(c, u"1/(X-1)^2");
  const int pol = Round(pixelx(1));
  for (int k = pol - 1; k <= pol + 1; ++k) EXPECT_EQ(anzahl(log, "LineTo " + std::to_string(k) + " "), 0) << k;
  // Left of the pole the piece through the y-axis: 1/(1-x) - 1, anchored at 0.
  // (The right-endpoint sum per column lies within a pixel of it here.)
  const double x = weltx(pol - 40);
  const int zeile = Round(pixely(1 / (1 - x) - 1));
  bool nah = false;
  for (int d = -2; d <= 2; ++d) nah = nah || enthaelt(log, "LineTo " + std::to_string(pol - 40) + " " + std::to_string(zeile + d));
  EXPECT_TRUE(nah) << zeile;
}

// The discussion comes after every line the pass writes for f1 (here the
// zeros and the value table), only when ticked, and only for f1.
TEST_F(Analysen, DiscussionFollowsTheOtherLines) {
  steuer.c_nullstellen = steuer.c_wertetabelle = steuer.Mergebnis_visible = true;
  zeichne();
  const std::size_t ohne = ergebnisliste.size();
  EXPECT_EQ(stelle(u"Исследование функции f1 на [-6; 6]"), ohne);

  steuer.c_untersuchung = true;
  zeichne();
  const std::size_t kopf = stelle(u"Исследование функции f1 на [-6; 6]");
  ASSERT_EQ(kopf, ohne);
  EXPECT_EQ(ergebnisliste[kopf + 1], u"Область определения: [-6; 6]");
  EXPECT_TRUE(ergebnisliste.back().starts_with(u"Область значений: ")) << ergebnisliste.size();

  steuer.c_f1 = false;  // f3 and f4 are empty; nothing is drawn for f1
  steuer.ed_f2 = u"X^2";
  steuer.c_f2 = true;
  zeichne();
  EXPECT_EQ(stelle(u"Исследование функции f1 на [-6; 6]"), ergebnisliste.size());
}

// With the discussion ticked, each marker of a zero, extremum or inflection
// point carries its coordinates; without it, none does.
TEST_F(Analysen, DiscussionLabelsTheMarkers) {
  steuer.c_nullstellen = steuer.c_extrema = steuer.c_wendepunkte = true;
  const auto beschriftungen = [](const Log& log) {
    return std::count_if(log.begin(), log.end(), [](const std::string& z) {
      return z.starts_with("TextOut ") && z.ends_with(")") && z.find(';') != std::string::npos;
    });
  };
  EXPECT_EQ(beschriftungen(zeichne()), 0);
  steuer.c_untersuchung = true;
  const Log log = zeichne();
  // 5 zeros, 5 extrema, 5 inflection points of X*SIN(X+1) on [-6; 6]
  EXPECT_EQ(beschriftungen(log), 15);
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& z) { return z.ends_with(" (-5,88;-5,8)"); }));
}

}  // namespace
