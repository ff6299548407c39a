// Cost of one redraw with every analysis of the first term on, as the animation
// repaints it, and its parts: the searches alone, and the pass on a canvas that
// draws nothing (evaluation and logic without rasterising).
#include <benchmark/benchmark.h>

#include "abbildung.h"
#include "fktint.h"
#include "plotpass.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "suche.h"
#include "uableitung.h"
#include "unstetigkeiten.h"
#include "untersuchung.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

class LeereLeinwand : public Canvas {
 public:
  void LineTo(int x, int y) override { penpos = {x, y}; }
  void Polygon(std::span<const TPoint>) override {}
  void Ellipse(int, int, int, int) override {}
  void Rectangle(int, int, int, int) override {}
  TColor Pixels(int, int) override { return 0xFFFFFF; }
  void Pixels(int, int, TColor) override {}
  void TextOut(int, int, std::u16string_view) override {}
  TSize TextExtent(std::u16string_view s) override { return {static_cast<int>(7 * s.size()), 14}; }
  void Draw(int, int, Bitmap&) override {}
  void StretchDraw(const TRect&, Bitmap&) override {}
  void CopyRect(const TRect&, Canvas&, const TRect&) override {}
  std::unique_ptr<Bitmap> neuesBitmap(int breite, int hoehe) override;
};

class LeeresBitmap : public Bitmap {
 public:
  LeeresBitmap(int breite, int hoehe) : b(breite), h(hoehe) {}
  int Width() const override { return b; }
  int Height() const override { return h; }
  Canvas& canvas() override { return leinwand; }

 private:
  int b, h;
  LeereLeinwand leinwand;
};

std::unique_ptr<Bitmap> LeereLeinwand::neuesBitmap(int breite, int hoehe) {
  return std::make_unique<LeeresBitmap>(breite, hoehe);
}

void allesan() {
  ersetzungslisteladen();
  steuer = Steuerzustand{};
  xmin = -6;
  xmax = 6;
  ymin = 597.0 * xmin / 830;
  ymax = 597.0 * xmax / 830;
  for (bool* s : {&steuer.c_f2, &steuer.c_1ableitung, &steuer.c_2ableitung, &steuer.c_nullstellen,
                  &steuer.c_extrema, &steuer.c_wendepunkte, &steuer.c_wendetangente, &steuer.c_schnittpunkte,
                  &steuer.c_pktanzeige, &steuer.c_stammfunktion, &steuer.c_schar, &steuer.c_punktA,
                  &steuer.c_punktB, &steuer.c_tangente, &steuer.c_normale, &steuer.c_sekante,
                  &steuer.c_integral, &steuer.c_wertetabelle, &steuer.Mergebnis_visible,
                  &steuer.spiegelungxachse, &steuer.spiegelungyachse, &steuer.spiegelungursprung,
                  &steuer.nacheinanderausfuehrung, &steuer.verschiebungxachse, &steuer.streckungxachse,
                  &steuer.verschiebungyachse, &steuer.streckungyachse, &steuer.funktionsaddition,
                  &steuer.funktionssubtraktion1, &steuer.funktionsmultiplikation, &steuer.funktionsdivision1,
                  &steuer.Umkehrkurvezuf1x1})
    *s = true;
  listeloeschen();
  termanhaengen(steuer.ed_f1);
  termanhaengen(steuer.ed_f2);
  P = editwert(steuer.ed_parameter);  // 1: the family runs from 1 to 2 in steps of 0.1
}

void pass_all(benchmark::State& state) {
  grafikstarten();
  allesan();
  QtBitmap bildschirm(830, 597);
  for (auto _ : state) {
    neuzeichnen(bildschirm.canvas());
    benchmark::DoNotOptimize(ergebnisliste.data());
  }
}

void pass_all_nodraw(benchmark::State& state) {
  allesan();
  LeereLeinwand leer;
  for (auto _ : state) {
    neuzeichnen(leer);
    benchmark::DoNotOptimize(ergebnisliste.data());
  }
}

// The four searches as the plot pass runs them, with the derivative texts of f1.
void searches_all(benchmark::State& state) {
  allesan();
  const std::u16string d1 = ableitungsterm(steuer.ed_f1);
  const std::u16string d2 = ableitungsterm(d1);
  std::vector<std::u16string> zeilen;
  for (auto _ : state) {
    zeilen.clear();
    nullstellensuche();
    extremasuche(d1);
    wendepunktsuche(d2, steuer.ed_f1);
    schnittpunktsuche(zeilen);
    benchmark::DoNotOptimize(extremaliste);
  }
}

void derivatives_first(benchmark::State& state) {
  allesan();
  for (auto _ : state) {
    std::u16string a = ableitungsterm(steuer.ed_f1);
    benchmark::DoNotOptimize(ableitungsterm(a));
  }
}

// The curve discussion of the default term on the default range, as the pass
// appends it: the breaks of the curve, the three searches and the block itself.
void discussion_default(benchmark::State& state) {
  steuer = Steuerzustand{};
  P = editwert(steuer.ed_parameter);
  const std::u16string d1 = ableitungsterm(steuer.ed_f1);
  const std::u16string d2 = ableitungsterm(d1);
  const double a = editwert(steuer.ed_von), b = editwert(steuer.ed_bis);
  for (auto _ : state) {
    const std::vector<std::u16string> zeilen = untersuchung(steuer.ed_f1, d1, d2, a, b, unstetigkeiten(steuer.ed_f1, a, b));
    benchmark::DoNotOptimize(zeilen.data());
  }
}

}  // namespace

BENCHMARK(discussion_default)->Name("analysis/discussion")->Unit(benchmark::kMillisecond);
BENCHMARK(pass_all)->Name("pass/all")->Unit(benchmark::kMillisecond);
BENCHMARK(pass_all_nodraw)->Name("pass/all_nodraw")->Unit(benchmark::kMillisecond);
BENCHMARK(searches_all)->Name("analysis/searches")->Unit(benchmark::kMillisecond);
BENCHMARK(derivatives_first)->Name("analysis/derivatives")->Unit(benchmark::kMicrosecond);
