// words: the money amount in words that the notebook appends behind a number.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/printable.h"
#include "cli/text_message_sink.h"
#include "engine/core/text_file.h"
#include "engine/settings/settings_file.h"
#include "engine/text/number_words.h"

namespace tallyman::cli {
namespace {

// Override lines key=value: UTF-8 (with or without a byte-order mark) or Windows-1251.
std::vector<Text> ReadNumString(const std::string& path) {
  const auto bytes = ReadFileBytes(path, kMaxSettingsFileBytes);
  if (!bytes) throw UsageError{"cannot read the NUMSTRING file " + path};
  return SplitLines(DecodeTextFile(*bytes));
}

}  // namespace

int RunWords(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
  std::string number;
  bool haveNumber = false;
  NumStringSection numString;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--numstring") {
      if (i + 1 >= args.size()) throw UsageError{"--numstring needs a file of key=value lines"};
      numString = ReadNumString(args[++i]);
    } else {
      // Words the shell split apart belong to one number ("1 234,5").
      number += (haveNumber ? " " : "") + args[i];
      haveNumber = true;
    }
  }
  if (!haveNumber) throw UsageError{"words needs a number, for example: words 1234,5"};

  NumberWords words(options.locale);
  words.SetNumString(std::move(numString));
  PrintingSink sink(out);
  const Text appended = words.NumberToText(FromUtf8(number), options.english, sink);
  if (sink.Shown()) return 1;
  out << Printable(appended) << '\n';
  return 0;
}

}  // namespace tallyman::cli
