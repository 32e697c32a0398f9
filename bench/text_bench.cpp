// Speed of the notebook's text tools on typical inputs and on a large notebook text.
#include <benchmark/benchmark.h>

#include "engine/text/code_page_repair.h"
#include "engine/text/number_words.h"
#include "engine/text/time_calc.h"
#include "engine/text/transliteration.h"

namespace tallyman {
namespace {

class NullSink : public MessageSink {
 public:
  void ShowMessage(const Text&) override {}
};

Text LargeRussianText() {
  Text text;
  while (text.size() < 64 * 1024) text += L"Съешь же ещё этих мягких французских булок, да выпей чаю. 12:30\r\n";
  return text;
}

void BM_NumberToTextRussian(benchmark::State& state) {
  NumberWords words(Locale::Russian());
  NullSink sink;
  for (auto _ : state) benchmark::DoNotOptimize(words.NumberToText(L"987654321987,65", false, sink));
}
BENCHMARK(BM_NumberToTextRussian);

void BM_NumberToTextEnglish(benchmark::State& state) {
  NumberWords words(Locale::English());
  NullSink sink;
  for (auto _ : state) benchmark::DoNotOptimize(words.NumberToText(L"987,654,321,987.65", true, sink));
}
BENCHMARK(BM_NumberToTextEnglish);

void BM_TimeCalcChain(benchmark::State& state) {
  const TimeCalculator calc(Locale::Russian(), 46218.6L, false);
  NullSink sink;
  for (auto _ : state) benchmark::DoNotOptimize(calc.TimeCalc(L"1:30 * 2 + 8:45 - 7:30 + 23:00", sink));
}
BENCHMARK(BM_TimeCalcChain);

void BM_TimeCalcDates(benchmark::State& state) {
  const TimeCalculator calc(Locale::Russian(), 46218.6L, false);
  NullSink sink;
  for (auto _ : state) benchmark::DoNotOptimize(calc.TimeCalc(L"25.12.2026 - 01.01.2024", sink));
}
BENCHMARK(BM_TimeCalcDates);

// A long column of times: the calculation must stay linear in the number of terms (target: 100,000
// terms under 100 ms).
void BM_TimeCalcManyTerms(benchmark::State& state) {
  const TimeCalculator calc(Locale::Russian(), 46218.6L, false);
  NullSink sink;
  Text text = L"0:01";
  for (int64_t i = 1; i < state.range(0); ++i) text += i % 2 ? L" + 1:30 * 2" : L" - 0:45";
  for (auto _ : state) benchmark::DoNotOptimize(calc.TimeCalc(text, sink));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TimeCalcManyTerms)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TransliterateBothWays64K(benchmark::State& state) {
  const Text text = LargeRussianText();
  for (auto _ : state) benchmark::DoNotOptimize(TransLitToRus(RusToTransLit(text)));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TransliterateBothWays64K);

void BM_KoiToWin64K(benchmark::State& state) {
  const Text text = LargeRussianText();
  for (auto _ : state) benchmark::DoNotOptimize(KoiToWin(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_KoiToWin64K);

}  // namespace
}  // namespace tallyman
