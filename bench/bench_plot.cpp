#include <benchmark/benchmark.h>

#include "abbildung.h"
#include "fktint.h"
#include "plotpass.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "uableitung.h"
#include "zahltext.h"

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

}  // namespace

BENCHMARK(pass_default)->Name("pass/default")->Unit(benchmark::kMicrosecond);
