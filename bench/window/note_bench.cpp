// Response times of the notebook with large texts, on the offscreen platform: opening the largest
// "TallyNote.txt" it opens (1 MB, no line over 4,096 characters) to its first paint, in short
// lines, in lines of the longest length and as one longest line (budget 150 ms each; 1 MB in one
// line is refused at once), F6 on the last line of the largest text (5 ms), saving it (50 ms) and
// Ctrl+W with 10,000 results (300 ms).
#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

#include "engine/text/note_file.h"
#include "ui/note_window.h"
#include "ui_test_support.h"

namespace tallyman::ui {
namespace {

// Notes as large as the notebook opens, Cyrillic and Latin, the last line a formula.
void WriteLargestNote(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  const QByteArray line = "\xD1\xF7\xE5\xF2 12*3 = 36, payment 1234,50 due 05.07.2026 (notes)\r\n";
  QByteArray text;
  while (text.size() + line.size() + 4 <= qsizetype(kMaxNoteFileBytes)) text += line;
  text += "12*3";
  file.write(text);
}

// `bytes` of Cyrillic letters without a blank, in lines of `lineLength` characters (one line when
// 0): a line that can break nowhere is the hardest to lay out.
void WriteNoteOfLines(const QString& path, qint64 bytes, qint64 lineLength) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  QByteArray text;
  text.reserve(bytes);
  while (text.size() < bytes) {
    const qint64 left = bytes - text.size() - (lineLength > 0 ? 2 : 0);
    const qint64 length = lineLength > 0 ? std::min(lineLength, left) : left;
    for (qint64 i = 0; i < length; ++i) text += char(0xE0 + i % 32);
    if (lineLength > 0) text += "\r\n";
  }
  file.write(text);
}

std::unique_ptr<TFormNote> OpenNote(FormTallyman& window) {
  auto note = window.CreateNote();
  note->show();
  note->M()->viewport()->repaint();
  return note;
}

void BM_OpenTheLargestNote(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  WriteLargestNote(folder.File("TallyNote.txt"));
  for (auto _ : state) {
    auto note = OpenNote(*window);
    state.PauseTiming();
    note.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenTheLargestNote)->Iterations(5)->Unit(benchmark::kMillisecond);

// Opening a note of range(0) KB in lines of range(1) characters (0: all in one line); "chars" is
// what the notebook shows (1: the file was refused).
void BM_OpenNoteOfLines(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  WriteNoteOfLines(folder.File("TallyNote.txt"), state.range(0) << 10, state.range(1));
  for (auto _ : state) {
    auto note = OpenNote(*window);
    state.PauseTiming();
    state.counters["chars"] = static_cast<double>(note->M()->document()->characterCount());
    note.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenNoteOfLines)
    ->ArgNames({"KB", "line"})
    ->Args({1024, 80})
    ->Args({1024, 4096})
    ->Args({4, 0})
    ->Args({1024, 0})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_F6OnTheLastLineOfTheLargestNote(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  WriteLargestNote(folder.File("TallyNote.txt"));
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
BENCHMARK(BM_F6OnTheLastLineOfTheLargestNote)->Iterations(50)->Unit(benchmark::kMillisecond);

void BM_SaveTheLargestNote(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
  WriteLargestNote(folder.File("TallyNote.txt"));
  auto note = OpenNote(*window);
  for (auto _ : state) {
    note->M()->document()->setModified(true);
    note->SaveText();
  }
}
BENCHMARK(BM_SaveTheLargestNote)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_CtrlWWithTenThousandResults(benchmark::State& state) {
  test::ScriptedAnswerer answerer;
  test::ProgramFolder folder;
  auto window = test::MakeWindow(folder, Locale::Russian(), answerer.Ui());
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
