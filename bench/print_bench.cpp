// Laying out a long tape for printing: splitting and measuring every row and placing it on its page.
#include <benchmark/benchmark.h>

#include "engine/print/print_layout.h"

namespace tallyman {
namespace {

void BM_LayOutPrint(benchmark::State& state) {
  std::vector<Text> rows{L"\t=1\u00A0000"};
  for (long i = 1; i < state.range(0); ++i) rows.push_back(L"+12,75\t=1\u00A0" + std::to_wstring(i));
  PrintRequest request;
  request.rows = &rows;
  request.title = L"Tallyman";
  request.totalLine = PrintTotalLine(rows.size(), L"1 000", true);
  // An A4 page at 1200 dpi and a 10-point font, as a high-resolution printer reports them.
  request.pageWidth = 9583;
  request.pageHeight = 13699;
  request.letterHeight = 194;
  // A proportional font's widths cost a table look-up per character.
  const TextWidth width = [](TextView text) {
    int sum = 0;
    for (const wchar_t c : text) sum += 80 + (c & 0x1F);
    return sum;
  };
  for (auto _ : state) benchmark::DoNotOptimize(LayOutPrint(request, width));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LayOutPrint)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyman
