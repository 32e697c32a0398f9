// Recalculating a long tape, the cost of one key on a long tape with many results, and closing a
// calculation with a long results list.
#include <benchmark/benchmark.h>

#include <charconv>

#include "engine/tape/calculator.h"
#include "engine/tape/recording_host.h"
#include "engine/tape/tape_rows.h"

namespace tallyman {
namespace {

std::vector<Text> MakeTape(long rows) {
  std::vector<Text> tape{L"\t=1\u00A0000"};
  const wchar_t signs[] = {L'+', L'-', L'*', L'/'};
  const wchar_t* operands[] = {L"12,75", L"3,5", L"1,0001", L"1,0002"};
  for (long i = 1; i < rows; ++i) tape.push_back(Text(1, signs[i % 4]) + operands[i % 4] + L"\t=1");
  return tape;
}

void BM_RecalcTape(benchmark::State& state) {
  const NumberText numbers(Locale::Russian());
  const std::vector<Text> original = MakeTape(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<Text> rows = original;
    state.ResumeTiming();
    benchmark::DoNotOptimize(RecalcTape(rows, numbers));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecalcTape)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor: two long double -> 18-significant-digit conversions per row, the least a row needs.
void BM_RecalcFloor(benchmark::State& state) {
  const long rows = state.range(0);
  char buffer[64];
  for (auto _ : state) {
    long double p = 1000;
    for (long i = 1; i < rows; ++i) {
      const long double x = 12.75L + static_cast<long double>(i % 7);
      p = (i % 2) ? p + x : p - x;
      benchmark::DoNotOptimize(std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 17));
      benchmark::DoNotOptimize(std::to_chars(buffer, buffer + sizeof buffer, p, std::chars_format::scientific, 17));
    }
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_RecalcFloor)->Arg(100000)->Unit(benchmark::kMillisecond);

// One operand appended and the calculation closed, on a tape of 10,000 rows with 1,000 results.
void BM_AppendAndClose(benchmark::State& state) {
  RecordingHost host;
  Calculator calculator(Locale::Russian(), host);
  for (int i = 0; i < 1000; ++i) {
    for (wchar_t k : Text(L"12+3=")) calculator.KeyPress(k);
    calculator.ClearTape();
  }
  for (wchar_t k : Text(L"1")) calculator.KeyPress(k);
  for (int i = 0; i < 10000; ++i) {
    for (wchar_t k : Text(L"+1")) calculator.KeyPress(k);
  }
  calculator.KeyPress(L'=');
  for (auto _ : state) {
    for (wchar_t k : Text(L"+2=")) calculator.KeyPress(k);
  }
  state.counters["tape_rows"] = static_cast<double>(calculator.Tape().Count());
  state.counters["results"] = static_cast<double>(calculator.ResultsList().Count());
}
BENCHMARK(BM_AppendAndClose)->Unit(benchmark::kMicrosecond);

// One calculation typed and closed with 10,000 results already recorded: closing adds one entry and
// one value to the running total instead of reading the whole list again.
void BM_CloseWithManyResults(benchmark::State& state) {
  RecordingHost host;
  Calculator calculator(Locale::Russian(), host);
  for (long i = 0; i < state.range(0); ++i) {
    for (wchar_t k : Text(L"12,5+3=")) calculator.KeyPress(k);
    calculator.ClearTape();
  }
  for (auto _ : state) {
    for (wchar_t k : Text(L"7+1,25=")) calculator.KeyPress(k);
    calculator.ClearTape();
  }
  state.counters["results"] = static_cast<double>(calculator.ResultsList().Count());
}
BENCHMARK(BM_CloseWithManyResults)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tallyman
