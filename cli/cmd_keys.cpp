// keys SEQUENCE and tape FILE: drive a fresh calculator model and print what it showed and holds.
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "cli/printable.h"
#include "engine/settings/slot_text.h"
#include "engine/tape/calculator.h"
#include "engine/tape/recording_host.h"

namespace tallyman::cli {
namespace {

void PrintState(const RecordingHost& host, const Calculator& calculator, std::ostream& out) {
  for (const auto& event : host.Events()) {
    switch (event.kind) {
      // clang-format off
      case RecordingHost::Event::Kind::Message: out << "message: " << Printable(event.text) << '\n'; break;
      case RecordingHost::Event::Kind::Beep: out << "beep\n"; break;
      case RecordingHost::Event::Kind::Clipboard: out << "clipboard: " << Printable(event.text) << '\n'; break;
        // clang-format on
    }
  }
  for (const Text& row : calculator.Tape().Rows()) out << "tape: " << Printable(row) << '\n';
  const auto sign = [](wchar_t c) { return c == L'\0' ? std::string() : Printable(Text(1, c)); };
  out << "S1: " << sign(calculator.S1()) << '\n';
  out << "S2: " << sign(calculator.S2()) << '\n';
  out << "entry: " << Printable(calculator.Entry().text) << '\n';
  for (const Text& row : calculator.ResultsList().List().Rows()) out << "result: " << Printable(row) << '\n';
  out << "total: " << Printable(calculator.ResultsList().Total()) << '\n';
}

// A whole number from 0 on: row, results entry and slot numbers.
long ParseIndex(const std::string& word, const std::string& token) {
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0') throw UsageError{"{" + token + "}: \"" + word + "\" is no number"};
  if (errno == ERANGE || n < 0) throw UsageError{"{" + token + "}: " + word + " is out of range"};
  return n;
}

// One braced input, without its braces: a name and, for some, arguments after a space.
void RunBraced(const std::string& token, Calculator& calculator, RecordingHost& host) {
  const size_t space = token.find(' ');
  const std::string name = token.substr(0, space);
  const std::string rest = space == std::string::npos ? std::string() : token.substr(space + 1);
  const auto noArguments = [&] {
    if (!rest.empty()) throw UsageError{"{" + name + "} takes no arguments"};
  };
  // clang-format off
  if (name == "enter") { noArguments(); calculator.KeyPress(kKeyEnter); }
  else if (name == "esc") { noArguments(); calculator.KeyPress(kKeyEscape); }
  else if (name == "f9") { noArguments(); calculator.SignChange(); }
  else if (name == "pgup") { noArguments(); calculator.KeyPress(L' '); }
  else if (name == "ctrl+del") { noArguments(); calculator.ClearTape(); }
  else if (name.rfind("ctrl+", 0) == 0 && name.size() == 6 && name[5] >= '0' && name[5] <= '9') {
    noArguments();
    calculator.TakeMemoryCell(name[5] - '0');
  }
  else if (name == "selectall") { noArguments(); calculator.SelectAllEntry(); }
  else if (name == "row") calculator.SelectRow(ParseIndex(rest, token) - 1);
  else if (name == "del") { noArguments(); calculator.DeleteSelectedRow(); }
  else if (name == "edit" || name == "insert") {
    const Text args = FromUtf8(rest);
    if (args.size() < 3 || args[1] != L' ') throw UsageError{"{" + name + " S V} needs a sign and an operand"};
    calculator.ConfirmRowDialog(name == "insert", args[0], args.substr(2));
  }
  else if (name == "f6") { noArguments(); calculator.TakeOperand(); }
  else if (name == "f7") { noArguments(); calculator.TakeResult(); }
  else if (name == "copy") { noArguments(); calculator.CopyResult(); }
  else if (name == "paste") {
    host.SetClipboard(FromUtf8(rest));
    calculator.PasteByKey();
  }
  else if (name == "result") calculator.SelectResult(ParseIndex(rest, token) - 1);
  else if (name == "goto") { noArguments(); calculator.GoToResult(); }
  else if (name == "mem") {
    const size_t split = rest.find(' ');
    const long slot = ParseIndex(rest.substr(0, split), token);
    if (slot < 0 || slot > 9) throw UsageError{"{mem N TEXT}: N is a slot from 0 to 9"};
    const SlotEdit edit = InterpretSlotEdit(FromUtf8(split == std::string::npos ? "" : rest.substr(split + 1)),
                                            calculator.Numbers());
    const int index = static_cast<int>(slot);
    if (edit.kind == SlotEdit::Kind::Store) {
      calculator.StoreSlot(index, edit.slot.value, edit.slot.sign);
      calculator.RenameSlot(index, edit.slot.name);
    }
    if (edit.kind == SlotEdit::Kind::Delete) calculator.EmptySlot(index);
  }
  else if (name == "load") calculator.LoadTapeFile(rest);
  // clang-format on
  else
    throw UsageError{"unknown input {" + token + "}"};
}

}  // namespace

int RunKeys(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError{"keys takes one SEQUENCE argument"};
  const std::string& sequence = args[0];
  RecordingHost host;
  Calculator calculator(options.locale, host);
  calculator.SetEnglish(options.english);
  calculator.SetPrecision(options.digits, options.resOut);
  // Check the whole sequence before running any of it.
  for (size_t i = sequence.find('{'); i != std::string::npos; i = sequence.find('{', i + 1)) {
    if (sequence.find('}', i) == std::string::npos) throw UsageError{"unclosed { in the key sequence"};
  }
  const Text keys = FromUtf8(sequence);
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == L'{') {
      const size_t close = keys.find(L'}', i);
      RunBraced(ToUtf8(keys.substr(i + 1, close - i - 1)), calculator, host);
      i = close;
    } else if (keys[i] == L'}') {
      throw UsageError{"unexpected } in the key sequence"};
    } else {
      calculator.KeyPress(keys[i] == L'\n' ? kKeyEnter : keys[i]);
    }
  }
  PrintState(host, calculator, out);
  return 0;
}

int RunTape(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError{"tape takes one FILE argument"};
  std::error_code error;
  if (!std::filesystem::is_regular_file(args[0], error)) {
    std::cerr << "tallyman-cli: no tape file " << Printable(FromUtf8(args[0])) << '\n';
    return 1;
  }
  RecordingHost host;
  Calculator calculator(options.locale, host);
  calculator.SetEnglish(options.english);
  calculator.SetPrecision(options.digits, options.resOut);
  calculator.LoadTapeFile(args[0]);
  PrintState(host, calculator, out);
  // The only message a load gives is the refusal of the file.
  return host.Messages().empty() ? 0 : 1;
}

}  // namespace tallyman::cli
