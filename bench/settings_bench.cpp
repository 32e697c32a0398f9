// Loading and saving a settings file that carries 1,000 keys the program does not know (written
// by hand or by another version): the whole file is read and written back once per run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_folder.h"
#include "engine/core/text_file.h"
#include "engine/settings/settings_file.h"

namespace {

namespace fs = std::filesystem;

std::string FileWithUnknownKeys(int count) {
  std::string text = "[SETS]\r\nDigits=6\r\nResOut=2\r\n";
  for (int i = 0; i < count; ++i) {
    if (i % 100 == 0) text += "[Extra" + std::to_string(i / 100) + "]\r\n";
    text += "UnknownKey" + std::to_string(i) + "=some value " + std::to_string(i * 7) + "\r\n";
  }
  text += "[NUMSTRING]\r\n1=\xEE\xE4\xE8\xED\r\n[CONSTANTS]\r\n0=+3,14159265 ; pi\r\n";
  return text;
}

void BM_LoadAndSaveWithUnknownKeys(benchmark::State& state) {
  const tallyman::bench::BenchFolder folder(fs::temp_directory_path());
  const fs::path file = folder / "tallyman.ini";
  const std::string original = FileWithUnknownKeys(static_cast<int>(state.range(0)));
  tallyman::WriteFileAtomically(file, original);
  const tallyman::Locale locale = tallyman::Locale::Russian();
  for (auto _ : state) {
    tallyman::Settings settings = tallyman::LoadSettings(file, locale);
    settings.digits = settings.digits == 6 ? 7 : 6;
    if (!tallyman::SaveSettings(file, settings, locale)) state.SkipWithError("save failed");
    benchmark::DoNotOptimize(settings);
  }
}
BENCHMARK(BM_LoadAndSaveWithUnknownKeys)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_LoadWithUnknownKeys(benchmark::State& state) {
  const tallyman::bench::BenchFolder folder(fs::temp_directory_path());
  const fs::path file = folder / "tallyman.ini";
  tallyman::WriteFileAtomically(file, FileWithUnknownKeys(static_cast<int>(state.range(0))));
  const tallyman::Locale locale = tallyman::Locale::Russian();
  for (auto _ : state) benchmark::DoNotOptimize(tallyman::LoadSettings(file, locale));
}
BENCHMARK(BM_LoadWithUnknownKeys)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same work without the disk: parsing, reading, writing and serialising the document.
void BM_InMemoryRoundTrip(benchmark::State& state) {
  const tallyman::Text text = tallyman::DecodeTextFile(FileWithUnknownKeys(static_cast<int>(state.range(0))));
  const tallyman::Locale locale = tallyman::Locale::Russian();
  for (auto _ : state) {
    tallyman::IniFile ini = tallyman::IniFile::Parse(text);
    tallyman::Settings settings = tallyman::ReadSettings(ini, locale);
    tallyman::WriteSettings(ini, settings, locale);
    benchmark::DoNotOptimize(tallyman::EncodeTextFile(ini.Serialize()));
  }
}
BENCHMARK(BM_InMemoryRoundTrip)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
