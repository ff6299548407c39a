// Derivative texts of the first term, as every plot pass forms them (d1 and d2).
#include <benchmark/benchmark.h>

#include <string>

#include "uableitung.h"

namespace {

void ersteundzweite(benchmark::State& state, const std::u16string& term) {
  ersetzungslisteladen();
  for (auto _ : state) {
    const std::u16string d1 = ableitungsterm(term);
    const std::u16string d2 = ableitungsterm(d1);
    benchmark::DoNotOptimize(d2.data());
  }
}

void ableitungsterm_default(benchmark::State& state) { ersteundzweite(state, u"X*SIN(X+P)"); }
void ableitungsterm_long(benchmark::State& state) { ersteundzweite(state, u"(X^2+1)/(X^2-1)*EXP(-X)+SIN(X)^2"); }

}  // namespace

BENCHMARK(ableitungsterm_default)->Name("ableitungsterm/default");
BENCHMARK(ableitungsterm_long)->Name("ableitungsterm/long");
