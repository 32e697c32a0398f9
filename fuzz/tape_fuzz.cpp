// libFuzzer target: loading any file as a tape either refuses it with one message and leaves the
// tape as it was, or gives rows that recompute to themselves and survive a save unchanged.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/core/text_file.h"
#include "engine/tape/calculator.h"
#include "engine/tape/recording_host.h"
#include "engine/tape/tape_rows.h"
#include "fuzz/fuzz_support.h"

namespace {

// One file for the whole run, rewritten for every input and removed at the end.
class InputFile {
 public:
  InputFile() {
    const int fd = ::mkstemp(m_path.data());
    if (fd < 0) std::abort();
    ::close(fd);
  }
  ~InputFile() { ::unlink(m_path.c_str()); }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path = "/tmp/tallyman-tape-fuzz-XXXXXX";
};

const std::string& InputPath() {
  static const InputFile file;
  return file.Path();
}

void Check(std::string_view bytes, const tallyman::Locale& locale) {
  std::FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
    std::abort();
  }
  tallyman::RecordingHost host;
  tallyman::Calculator calc(locale, host);
  calc.LoadTapeFile(InputPath());
  if (!host.Messages().empty()) {
    if (host.Messages().size() != 1 || !calc.Tape().Empty()) __builtin_trap();
    return;
  }
  std::vector<tallyman::Text> rows = calc.Tape().Rows();
  if (rows.empty()) __builtin_trap();
  std::vector<tallyman::Text> again = rows;
  if (!tallyman::RecalcTape(again, calc.Numbers()) || again != rows) __builtin_trap();
  const tallyman::Text saved = tallyman::JoinLinesCrLf(rows);
  if (tallyman::SplitLines(tallyman::DecodeTextFile(tallyman::EncodeTextFile(saved))) != rows) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tallyman::Locale russian = tallyman::Locale::Russian();
  static const tallyman::Locale english = tallyman::Locale::English();
  const std::string_view bytes = tallyman::fuzz::Bytes(data, size);
  Check(bytes, russian);
  Check(bytes, english);
  return 0;
}
