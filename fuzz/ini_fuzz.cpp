// libFuzzer target: any settings file reads without failing, a document written back reads as
// the same document, and the settings read from it survive a save and a second read.
#include "engine/core/text_file.h"
#include "engine/settings/ini_file.h"
#include "engine/settings/settings_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tallyman::Locale russian = tallyman::Locale::Russian();
  const tallyman::Text text = tallyman::DecodeTextFile(tallyman::fuzz::Bytes(data, size));
  tallyman::IniFile ini = tallyman::IniFile::Parse(text);
  const tallyman::Text serialized = ini.Serialize();
  if (tallyman::IniFile::Parse(serialized).Serialize() != serialized) __builtin_trap();

  const tallyman::Settings first = tallyman::ReadSettings(ini, russian);
  if (first.digits < 0 || first.digits > 18 || first.resOut < 0 || first.resOut > 18) __builtin_trap();
  tallyman::WriteSettings(ini, first, russian);
  const tallyman::Settings second = tallyman::ReadSettings(tallyman::IniFile::Parse(ini.Serialize()), russian);
  if (second.digits != first.digits || second.resOut != first.resOut || second.font != first.font ||
      second.printTitle != first.printTitle || second.numString != first.numString) {
    __builtin_trap();
  }
  return 0;
}
