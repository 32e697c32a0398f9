// text: the notebook's Decode commands as a filter from stdin to stdout.
#include <iostream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "engine/text/note_commands.h"

namespace tallyman::cli {

int RunText(const Options&, const std::vector<std::string>& args, std::ostream& out) {
  static const std::pair<const char*, NoteConversion> kConversions[] = {
      {"translit", NoteConversion::RusToTransLit},
      {"detranslit", NoteConversion::TransLitToRus},
      {"dos", NoteConversion::DosToWin},
      {"koi", NoteConversion::KoiToWin},
  };
  if (args.size() != 1) throw UsageError{"text needs one of translit, detranslit, dos, koi"};
  for (const auto& [name, conversion] : kConversions) {
    if (args[0] != name) continue;
    const std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    out << ToUtf8(ConvertNoteText(FromUtf8(input), conversion));
    return 0;
  }
  throw UsageError{"text needs one of translit, detranslit, dos, koi, not " + args[0]};
}

}  // namespace tallyman::cli
