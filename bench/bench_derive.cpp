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

// (X+1)*(X+2)*...*(X+n): with 25 factors the longest second derivative formed
// (33 393 characters); with 60 it is declined when its work passes the bound.
std::u16string produkt(int n) {
  std::u16string t;
  for (int i = 1; i <= n; ++i) {
    const std::string zahl = std::to_string(i);
    t += (i > 1 ? u"*(X+" : u"(X+") + std::u16string(zahl.begin(), zahl.end()) + u")";
  }
  return t;
}
void ableitungsterm_product25(benchmark::State& state) { ersteundzweite(state, produkt(25)); }
void ableitungsterm_product60(benchmark::State& state) { ersteundzweite(state, produkt(60)); }

// The rewrite step alone on a long text full of the table's patterns.
void ersetzen_lang(benchmark::State& state) {
  ersetzungslisteladen();
  std::u16string lang;
  for (int i = 0; i < 1000; ++i) lang += u"-(4*X))+X+X)*2*SIN(X)*COS(X))(3*2*";
  for (auto _ : state) benchmark::DoNotOptimize(ersetzen(lang).data());
}

// Deep nesting and long chains, which the builder refuses after bounded work.
void ableitung_tief(benchmark::State& state) {
  const std::u16string t = std::u16string(100000, u'(') + u"X" + std::u16string(100000, u')');
  std::u16string kette = u"X";
  for (int i = 0; i < 20000; ++i) kette += u"+X";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ableitung(t).data());
    benchmark::DoNotOptimize(ableitung(kette).data());
  }
}

}  // namespace

BENCHMARK(ersetzen_lang)->Name("ersetzen/long");
BENCHMARK(ableitung_tief)->Name("ableitung/deep_and_chain");
BENCHMARK(ableitungsterm_default)->Name("ableitungsterm/default");
BENCHMARK(ableitungsterm_long)->Name("ableitungsterm/long");
BENCHMARK(ableitungsterm_product25)->Name("ableitungsterm/product25");
BENCHMARK(ableitungsterm_product60)->Name("ableitungsterm/product60_declined");
