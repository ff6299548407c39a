#include <benchmark/benchmark.h>

#include "abbildung.h"
#include "fktint.h"
#include "plotpass.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
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

}  // namespace

BENCHMARK(koordinaten_fern)->Name("pass/coordinates_far_view")->Unit(benchmark::kMicrosecond);
BENCHMARK(pass_schar_am_limit)->Name("pass/family_at_bound")->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(pass_default)->Name("pass/default")->Unit(benchmark::kMicrosecond);
BENCHMARK(pass_ohne_terme)->Name("pass/coordinates_only")->Unit(benchmark::kMicrosecond);
BENCHMARK(bitmap_und_kopie)->Name("pass/bitmap_and_copy")->Unit(benchmark::kMicrosecond);
