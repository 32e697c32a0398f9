// The cost of a durable save: the program's atomic write (temporary file, flush to the disk,
// rename, flush of the folder) against the same write without the two flushes. Run it in a folder
// on a real disk (it writes below the current folder); on tmpfs a flush costs nothing.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/bench_folder.h"
#include "engine/core/text_file.h"

namespace {

namespace fs = std::filesystem;

// A tape of `rows` rows as it is written to disk.
std::string TapeBytes(int64_t rows) {
  std::string bytes = "\t=1\r\n";
  for (int64_t i = 1; i < rows; ++i) bytes += "+1\t=" + std::to_string(i + 1) + "\r\n";
  return bytes;
}

void BM_DurableWrite(benchmark::State& state) {
  const tallyman::bench::BenchFolder folder(fs::current_path());
  const fs::path file = folder / "~Calc.txt";
  const std::string bytes = TapeBytes(state.range(0));
  for (auto _ : state) {
    if (!tallyman::WriteFileAtomically(file, bytes)) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DurableWrite)->Arg(20)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The reference: the same temporary file and rename, nothing flushed.
void BM_WriteWithoutFlush(benchmark::State& state) {
  const tallyman::bench::BenchFolder folder(fs::current_path());
  const fs::path file = folder / "~Calc.txt";
  const std::string bytes = TapeBytes(state.range(0));
  const std::string temp = file.string() + ".tmp";
  for (auto _ : state) {
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (!out || std::fclose(out) != 0 || !written || std::rename(temp.c_str(), file.c_str()) != 0) {
      state.SkipWithError("write failed");
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_WriteWithoutFlush)->Arg(20)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
