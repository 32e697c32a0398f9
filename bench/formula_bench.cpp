// Parse and evaluate typical formulas through the evaluation service, and long ones to show
// that the cost grows linearly with the length of the formula.
#include <benchmark/benchmark.h>

#include "engine/core/locale.h"
#include "engine/formula/evaluate.h"

namespace tallyman {
namespace {

void Run(benchmark::State& state, const Text& formula) {
  const Locale locale = Locale::Russian();
  for (auto _ : state) {
    EvalResult r = Evaluate(formula, locale);
    benchmark::DoNotOptimize(r);
    if (r.errCode != FormulaError::kNone) state.SkipWithError("the formula failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * formula.size()));
}

// About 200 characters: functions, brackets, variables, percentages and decimals.
Text TypicalLongFormula() {
  return L"(12,5*3 + sqrt(144) - 7/2)*2^3 + sin(x)^2 + cos(x)^2 - ln(e^2) + abs(-15,75)*100+10% "
         L"+ (1 000 000 / 250 - arctg(1)*4/pi) + round(2,5) + floor(-2,1) + ceil(x) + log10(1000)*y : "
         L"x = 0,5; y = 3";
}

// n terms of a mixed chain, a little over 8 characters per term.
Text Chain(int64_t terms) {
  Text formula = L"1";
  for (int64_t i = 0; i < terms; ++i) formula += (i % 2 == 0) ? L"+2*3,5-1" : L"+(4/2)^2";
  return formula;
}

void BM_TwoPiFive(benchmark::State& state) {
  Run(state, L"2*pi*5");
}
void BM_NamedValues(benchmark::State& state) {
  Run(state, L"a*b: a=2; b=3");
}
void BM_PythagoreanIdentity(benchmark::State& state) {
  Run(state, L"sin(x)^2+cos(x)^2: 0,5");
}
void BM_TwoHundredCharacters(benchmark::State& state) {
  Run(state, TypicalLongFormula());
}
void BM_LongChain(benchmark::State& state) {
  Run(state, Chain(state.range(0)));
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_TwoPiFive);
BENCHMARK(BM_NamedValues);
BENCHMARK(BM_PythagoreanIdentity);
BENCHMARK(BM_TwoHundredCharacters);
BENCHMARK(BM_LongChain)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

}  // namespace
}  // namespace tallyman
