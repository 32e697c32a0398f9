// Response times of the notebook with large texts, on the offscreen platform: opening a 1 MB
// "TallyNote.txt" to its first paint (budget 150 ms), F6 on the last line of a 1 MB text (5 ms),
// saving a 1 MB text (50 ms) and Ctrl+W with 10,000 results (300 ms).
#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <QTextCursor>

#include "ui/note_window.h"
#include "ui_test_support.h"

namespace tallyman::ui {
namespace {

// About 1 MB of notes, Cyrillic and Latin, the last line a formula.
void WriteOneMegabyteNote(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  const QByteArray line = "\xD1\xF7\xE5\xF2 12*3 = 36, payment 1234,50 due 05.07.2026 (notes)\r\n";
  QByteArray text;
  while (text.size() < (1 << 20)) text += line;
  text += "12*3";
  file.write(text);
}

std::unique_ptr<TFormNote> OpenNote(FormTallyman& window) {
  auto note = window.CreateNote();
  note->show();
  note->M()->viewport()->repaint();
  return note;
}

void BM_OpenOneMegabyteNote(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian());
  WriteOneMegabyteNote(folder.File("TallyNote.txt"));
  for (auto _ : state) {
    auto note = OpenNote(*window);
    state.PauseTiming();
    note.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenOneMegabyteNote)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_F6OnTheLastLineOfOneMegabyte(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian());
  WriteOneMegabyteNote(folder.File("TallyNote.txt"));
  auto note = OpenNote(*window);
  QPlainTextEdit* m = note->M();
  QTextCursor cursor = m->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.movePosition(QTextCursor::PreviousBlock);
  cursor.movePosition(QTextCursor::PreviousBlock);
  cursor.movePosition(QTextCursor::EndOfBlock);  // after "12*3", before the two empty lines
  const int caret = cursor.position();
  for (auto _ : state) {
    state.PauseTiming();
    cursor.setPosition(caret);
    m->setTextCursor(cursor);
    state.ResumeTiming();
    note->CalcSelection(false);
    state.PauseTiming();
    m->undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_F6OnTheLastLineOfOneMegabyte)->Iterations(50)->Unit(benchmark::kMillisecond);

void BM_SaveOneMegabyte(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian());
  WriteOneMegabyteNote(folder.File("TallyNote.txt"));
  auto note = OpenNote(*window);
  for (auto _ : state) {
    note->M()->document()->setModified(true);
    note->SaveText();
  }
}
BENCHMARK(BM_SaveOneMegabyte)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_CtrlWWithTenThousandResults(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian());
  for (int i = 0; i < 10000; ++i) {
    for (const wchar_t key : {L'1', L'+', L'2', L'='}) window->Calc().KeyPress(key);
  }
  auto note = OpenNote(*window);
  for (auto _ : state) {
    note->InsertCalculations();
    state.PauseTiming();
    note->M()->undo();
    state.ResumeTiming();
  }
  state.counters["results"] = static_cast<double>(window->Calc().ResultsList().Count());
}
BENCHMARK(BM_CtrlWWithTenThousandResults)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyman::ui
