// Response times of the main window with large tapes, on the offscreen platform: a key press with
// 10,000 rows on the tape and 1,000 results until the tape is repainted (budget 5 ms), and loading
// a 100,000-row tape file until it is shown (budget 400 ms).
#include <benchmark/benchmark.h>

#include "ui_test_support.h"

namespace tallyman::ui {
namespace {

void BM_KeyPressWithALargeTape(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian());
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
  auto window = test::MakeWindow(folder, Locale::Russian());
  test::WriteLongTape(folder.File("huge.txt"), 100000);
  for (auto _ : state) {
    window->LoadTapeFromFile(folder.File("huge.txt"));
    test::RepaintNow(*window);
  }
  state.counters["tape_rows"] = static_cast<double>(window->Calc().Tape().Count());
}
BENCHMARK(BM_LoadAHundredThousandRows)->Iterations(2)->Unit(benchmark::kMillisecond);

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
