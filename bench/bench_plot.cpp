#include <benchmark/benchmark.h>

#include "abbildung.h"
#include "fktint.h"
#include "plotpass.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "schwerezustaende.h"
#include "uableitung.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

// The start state as the window has it after its first activation.
void startzustand() {
  ersetzungslisteladen();
  steuer = Steuerzustand{};
  xmin = -6;
  xmax = 6;
  ymin = 597.0 * xmin / 830;
  ymax = 597.0 * xmax / 830;
  listeloeschen();
  termanhaengen(steuer.ed_f1);
  P = editwert(steuer.ed_parameter);
}

void pass_default(benchmark::State& state) {
  grafikstarten();
  startzustand();
  QtBitmap bildschirm(830, 597);
  for (auto _ : state) {
    neuzeichnen(bildschirm.canvas());
    benchmark::DoNotOptimize(ergebnisliste.data());
  }
}

// The parts of the figure: the same redraw without terms (bitmap, coordinate
// system and copy), and the bitmap with its copy alone.
void pass_ohne_terme(benchmark::State& state) {
  grafikstarten();
  startzustand();
  listeloeschen();
  QtBitmap bildschirm(830, 597);
  for (auto _ : state) neuzeichnen(bildschirm.canvas());
}

void bitmap_und_kopie(benchmark::State& state) {
  grafikstarten();
  QtBitmap bildschirm(830, 597);
  for (auto _ : state) {
    auto bild = bildschirm.canvas().neuesBitmap(830, 597);
    bildschirm.canvas().Draw(0, 0, *bild);
  }
}

// The family at its member bound: P from 0 in the smallest step 0,1 towards an
// end it never reaches, so the pass draws all 10000 members of the default term.
void pass_schar_am_limit(benchmark::State& state) {
  grafikstarten();
  startzustand();
  steuer.c_schar = true;
  steuer.ed_parameter = u"0";
  steuer.ed_schardiff = u"0,1";
  steuer.ed_q = u"1000000";
  P = 0;
  QtBitmap bildschirm(830, 597);
  for (auto _ : state) {
    neuzeichnen(bildschirm.canvas());
    benchmark::DoNotOptimize(ergebnisliste.data());
  }
}

// The coordinate system of a view so far out that every tick and grid sweep
// spends its million single steps before it gallops: the worst case of the
// sweeps, against pass/coordinates_only.
void koordinaten_fern(benchmark::State& state) {
  grafikstarten();
  startzustand();
  listeloeschen();
  steuer.m_mmraster = steuer.M_rahmen = true;
  xmin = 1e7, xmax = 1e7 + 12, ymin = 1e7, ymax = 1e7 + 8.6;
  QtBitmap bildschirm(830, 597);
  for (auto _ : state) neuzeichnen(bildschirm.canvas());
}

// Every analysis, extra curve and construction line on, the family over 1000
// members, and the same term in all four fields: the heaviest state the
// fields accept for a term of that kind and length.
void schwerster_zustand(const std::u16string& term) {
  startzustand();
  allesan();
  steuer.ed_q = u"1000";
  steuer.ed_f1 = steuer.ed_f2 = steuer.ed_f3 = steuer.ed_f4 = term;
  listeloeschen();
  for (int i = 0; i < 4; ++i) termanhaengen(term);
}

// The dearest states found: products of a few hundred characters, whose
// curves and first analyses fit and whose pass runs into its budget; and sums
// of integral sines at their slowest argument, as long as the old field held
// and as long as a field holds now.
void pass_schwerster(benchmark::State& state, std::u16string_view glied) {
  grafikstarten();
  schwerster_zustand(summe(glied, static_cast<std::size_t>(state.range(0))));
  QtBitmap bildschirm(830, 597);
  for (auto _ : state) {
    neuzeichnen(bildschirm.canvas());
    benchmark::DoNotOptimize(ergebnisliste.data());
  }
  state.counters["work"] = static_cast<double>(passarbeit());
}

}  // namespace

BENCHMARK(koordinaten_fern)->Name("pass/coordinates_far_view")->Unit(benchmark::kMicrosecond);
BENCHMARK(pass_schar_am_limit)->Name("pass/family_at_bound")->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(pass_schwerster, products, u"SIN(X)*X")
    ->Name("pass/worst_accepted/products")->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pass_schwerster, integral_sines, u"SI(49)")
    ->Name("pass/worst_accepted/integral_sines")->Arg(32767)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(pass_default)->Name("pass/default")->Unit(benchmark::kMicrosecond);
BENCHMARK(pass_ohne_terme)->Name("pass/coordinates_only")->Unit(benchmark::kMicrosecond);
BENCHMARK(bitmap_und_kopie)->Name("pass/bitmap_and_copy")->Unit(benchmark::kMicrosecond);
