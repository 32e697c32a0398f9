// Loading and saving a settings file that carries 1,000 keys the program does not know (written
// by hand or by another version): the whole file is read and written back once per run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

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

class TempFile {
 public:
  TempFile() {
    std::random_device entropy;
    m_folder = fs::temp_directory_path() / ("tallyman-bench-" + std::to_string(entropy()));
    fs::create_directories(m_folder);
  }
  ~TempFile() {
    std::error_code error;
    fs::remove_all(m_folder, error);
  }
  fs::path File() const { return m_folder / "tallyman.ini"; }

 private:
  fs::path m_folder;
};

void BM_LoadAndSaveWithUnknownKeys(benchmark::State& state) {
  TempFile temp;
  const std::string original = FileWithUnknownKeys(static_cast<int>(state.range(0)));
  tallyman::WriteFileAtomically(temp.File(), original);
  const tallyman::Locale locale = tallyman::Locale::Russian();
  for (auto _ : state) {
    tallyman::Settings settings = tallyman::LoadSettings(temp.File(), locale);
    settings.digits = settings.digits == 6 ? 7 : 6;
    if (!tallyman::SaveSettings(temp.File(), settings, locale)) state.SkipWithError("save failed");
    benchmark::DoNotOptimize(settings);
  }
}
BENCHMARK(BM_LoadAndSaveWithUnknownKeys)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_LoadWithUnknownKeys(benchmark::State& state) {
  TempFile temp;
  tallyman::WriteFileAtomically(temp.File(), FileWithUnknownKeys(static_cast<int>(state.range(0))));
  const tallyman::Locale locale = tallyman::Locale::Russian();
  for (auto _ : state) benchmark::DoNotOptimize(tallyman::LoadSettings(temp.File(), locale));
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
