// Printing a 10,000-row tape into a PDF file, layout, drawing and writing included (budget 2 s).
// Linked into window_bench, whose main() starts the application.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "engine/print/print_layout.h"
#include "ui/print_rows.h"

namespace tallyman::ui {
namespace {

void BM_PrintTenThousandRowsToPdf(benchmark::State& state) {
  std::vector<Text> rows{L"\t=1\u00A0000"};
  for (int i = 1; i < 10000; ++i) rows.push_back(L"+12,75\t=1\u00A0" + std::to_wstring(i));
  PrintContent content;
  content.rows = &rows;
  content.title = L"Tallyman";
  content.totalLine = PrintTotalLine(rows.size(), L"1 000", false);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(19);
  font = PrinterFont(font);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("tape.pdf"));
  for (auto _ : state) {
    if (!PrintToPdfFile(path, font, content)) state.SkipWithError("the PDF file could not be written");
  }
}
BENCHMARK(BM_PrintTenThousandRowsToPdf)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyman::ui
