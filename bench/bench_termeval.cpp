// Evaluation speed: our interpreter against the same functions written in C++
// (the floor) and against muparser, compiled once and re-parsed on every call;
// and one whole curve each way, muparser compiling the text once for it.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "fktint.h"

namespace {

constexpr int spalten = 830;

const std::array<std::u16string, 5> terme = {
    u"X*SIN(X+P)",
    u"X^2/4-2",
    u"(X^2+1)/(X-1)",
    u"EXP(-X^2/2)*COS(3*X)+LN(ABS(X)+1)",
    u"X*SIN(X+P)+X^2/4-2+(X^2+1)/(X-1)+EXP(-X^2/2)*COS(3*X)+LN(ABS(X)+1)+P*X^3/6-COS(X/2)*X"
    u"+SQRT(X^2+1)-SIN(X)*COS(X)*2+SIN(2*X)^2/3+EXP(-ABS(X))*X-X^4/100+LN(X^2+2)*0.5+ABS(X-P)/3",
};

double boden(int i, double x, double p) {
  switch (i) {
    case 0: return x * std::sin(x + p);
    case 1: return x * x / 4 - 2;
    case 2: return (x * x + 1) / (x - 1);
    case 3: return std::exp(-x * x / 2) * std::cos(3 * x) + std::log(std::fabs(x) + 1);
    default:
      return x * std::sin(x + p) + x * x / 4 - 2 + (x * x + 1) / (x - 1) +
             std::exp(-x * x / 2) * std::cos(3 * x) + std::log(std::fabs(x) + 1) + p * x * x * x / 6 -
             std::cos(x / 2) * x + std::sqrt(x * x + 1) - std::sin(x) * std::cos(x) * 2 +
             std::pow(std::sin(2 * x), 2) / 3 + std::exp(-std::fabs(x)) * x - std::pow(x, 4) / 100 +
             std::log(x * x + 2) * 0.5 + std::fabs(x - p) / 3;
  }
}

std::string muparser_text(const std::u16string& t) {
  std::string s;
  for (char16_t c : t) s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

double spalte_x(int c) { return -6.0 + 12.0 * c / spalten; }

void pro_auswertung(benchmark::State& state) {
  state.counters["per_eval"] = benchmark::Counter(
      spalten, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// One curve of `spalten` columns with our evaluator, which reads the text at every column.
void kurve(const std::u16string& term) {
  for (int c = 0; c < spalten; ++c) benchmark::DoNotOptimize(fktwert(term, spalte_x(c)));
}

void bm_fktwert(benchmark::State& state) {
  P = 1;
  for (auto _ : state) kurve(terme[state.range(0)]);
  pro_auswertung(state);
}

void bm_floor(benchmark::State& state) {
  const int i = static_cast<int>(state.range(0));
  double p = 1;
  benchmark::DoNotOptimize(p);
  for (auto _ : state)
    for (int c = 0; c < spalten; ++c) benchmark::DoNotOptimize(boden(i, spalte_x(c), p));
  pro_auswertung(state);
}

// muparser with x and p bound to one of the terms.
struct Muparser {
  double x = 0, p = 1;
  mu::Parser parser;
  const std::string text;

  explicit Muparser(std::int64_t i) : text(muparser_text(terme[i])) {
    parser.DefineVar("x", &x);
    parser.DefineVar("p", &p);
    parser.SetExpr(text);
  }
  // One value per column; `uebersetzen`: compile the text anew before each value.
  void kurve(bool uebersetzen) {
    for (int c = 0; c < spalten; ++c) {
      x = spalte_x(c);
      if (uebersetzen) parser.SetExpr(text);
      benchmark::DoNotOptimize(parser.Eval());
    }
  }
};

void bm_muparser(benchmark::State& state) {
  Muparser m(state.range(0));
  for (auto _ : state) m.kurve(false);
  pro_auswertung(state);
}

void bm_muparser_parse(benchmark::State& state) {
  Muparser m(state.range(0));
  for (auto _ : state) m.kurve(true);
  pro_auswertung(state);
}

// One curve: our evaluator against muparser compiling the text once per curve.
void bm_curve(benchmark::State& state) {
  P = 1;
  for (auto _ : state) kurve(terme[state.range(0)]);
}

void bm_curve_muparser(benchmark::State& state) {
  Muparser m(state.range(0));
  for (auto _ : state) {
    m.parser.SetExpr(m.text);
    m.kurve(false);
  }
}

const bool registriert = [] {
  benchmark::RegisterBenchmark("fktwert", bm_fktwert)->DenseRange(0, 4);
  benchmark::RegisterBenchmark("floor", bm_floor)->DenseRange(0, 4);
  benchmark::RegisterBenchmark("muparser", bm_muparser)->DenseRange(0, 4);
  benchmark::RegisterBenchmark("muparser_parse", bm_muparser_parse)->DenseRange(0, 4);
  benchmark::RegisterBenchmark("curve", bm_curve)->DenseRange(0, 4);
  benchmark::RegisterBenchmark("curve_muparser", bm_curve_muparser)->DenseRange(0, 4);
  return true;
}();

}  // namespace
