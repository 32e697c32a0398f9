// Response times of the main window with large tapes, on the offscreen platform: a key press with
// 10,000 rows on the tape and 1,000 results until the tape is repainted (budget 5 ms), and loading
// a 100,000-row tape file until it is shown (budget 400 ms); the formula window with a full
// history to its first paint (30 ms) and the memory list (20 ms), medians of 20 openings; Enter on
// a 200-character formula until the result is shown in the tape (2 ms).
#include <benchmark/benchmark.h>

#include <QLineEdit>

#include "ui/formula_window.h"
#include "ui/memory_list.h"
#include "ui_test_support.h"

namespace tallyman::ui {
namespace {

void BM_KeyPressWithALargeTape(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  for (int i = 0; i < 1000; ++i) {
    for (const wchar_t key : {L'1', L'+', L'2', L'='}) window->Calc().KeyPress(key);
  }
  test::WriteLongTape(folder.File("big.txt"), 10000);
  window->LoadTapeFromFile(folder.File("big.txt"));
  test::RepaintNow(*window);
  const QString keys = "+5*2-3/4+7";
  int next = 0;
  for (auto _ : state) {
    test::TypeText(window->Ed(), QString(keys[next++ % keys.size()]));
    test::RepaintNow(*window);
  }
  state.counters["tape_rows"] = static_cast<double>(window->Calc().Tape().Count());
}
BENCHMARK(BM_KeyPressWithALargeTape)->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_LoadAHundredThousandRows(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  test::WriteLongTape(folder.File("huge.txt"), 100000);
  for (auto _ : state) {
    window->LoadTapeFromFile(folder.File("huge.txt"));
    test::RepaintNow(*window);
  }
  state.counters["tape_rows"] = static_cast<double>(window->Calc().Tape().Count());
}
BENCHMARK(BM_LoadAHundredThousandRows)->Iterations(2)->Unit(benchmark::kMillisecond);

void WriteFullHistory(const test::ProgramFolder& folder) {
  QFile file(folder.File("TallyForm.txt"));
  if (!file.open(QIODevice::WriteOnly)) return;
  for (int i = 0; i < 100; ++i) file.write(QStringLiteral("x*%1+y: x=2; y=%1\r\n").arg(i).toLatin1());
}

void BM_OpenFormulaWindowWithFullHistory(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  WriteFullHistory(folder);
  for (auto _ : state) {
    TForm1 form(window->Paths().FormulaFile(), Locale::Russian(), window->Calc().Numbers(), {Language::kRussian, false},
                answerer, window.get());
    form.setFont(window->font());
    form.show();
    form.repaint();
    state.PauseTiming();
    form.reject();
    state.ResumeTiming();
  }
  state.counters["lines"] = 100;
}
BENCHMARK(BM_OpenFormulaWindowWithFullHistory)
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_OpenMemoryList(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  for (int i = 0; i < 10; ++i) {
    window->Calc().StoreSlot(i, 1234.5L * static_cast<Number>(i + 1), L'+');
    window->Calc().RenameSlot(i, L"rent");
  }
  for (auto _ : state) {
    TFormList list(window->Calc(), window->Ed()->text(), {Language::kRussian, false}, answerer, window.get());
    list.setFont(window->font());
    list.show();
    list.repaint();
    state.PauseTiming();
    list.reject();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenMemoryList)->Iterations(1)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_FormulaEnterToTheTape(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  WriteFullHistory(folder);
  QString formula = QStringLiteral("(1,5*2+3)/7-").repeated(15) + QStringLiteral("sqrt(2)*pi-1234567890");
  TForm1 form(window->Paths().FormulaFile(), Locale::Russian(), window->Calc().Numbers(), {Language::kRussian, false},
              answerer, window.get());
  for (auto _ : state) {
    state.PauseTiming();
    form.show();
    form.EdForm()->setText(formula);
    state.ResumeTiming();
    form.EvaluateEntry(true);
    window->Calc().TakeFormulaResult(form.FormulaResult());
    test::RepaintNow(*window);
  }
  state.counters["formula_chars"] = static_cast<double>(formula.size());
}
BENCHMARK(BM_FormulaEnterToTheTape)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyman::ui

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
