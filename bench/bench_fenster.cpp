#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "abbildung.h"
#include "fktint.h"
#include "graf_rus.h"
#include "plattform.h"
#include "qtcanvas.h"
#include "plotpass.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

// The main window at its start size after its first activation, on the
// application that the benchmark program's main made.
std::unique_ptr<TFGraf> startfenster() {
  schriftersatz();
  qtrussisch();
  steuer = Steuerzustand{};
  xmin = -6, xmax = 6, ymin = -5, ymax = 5;
  P = 0;
  auto f = std::make_unique<TFGraf>();
  f->show();
  QCoreApplication::processEvents();
  f->b_zeichnenClick();
  return f;
}

// The full repaint behind the check boxes, the spinners and the animation:
// against pass/default, the plot pass alone, the cost of the memo, the labels
// and the screen image.
void fenster_vollbild(benchmark::State& state) {
  const auto f = startfenster();
  for (auto _ : state) f->PaintBox1Paint();
}

// One tick of the P animation, step and full repaint; the animation keeps its
// 25 ms rhythm (40 ticks a second) while this stays below 25 ms.
void fenster_animationsschritt(benchmark::State& state) {
  const auto f = startfenster();
  for (auto _ : state) f->Timer1Timer();
  state.counters["ticks_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(fenster_vollbild)->Name("window/full_repaint")->Unit(benchmark::kMicrosecond);
BENCHMARK(fenster_animationsschritt)->Name("window/animation_tick")->Unit(benchmark::kMicrosecond);
