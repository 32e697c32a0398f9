// tallyman-cli: the calculator engine on the command line, for scripting and for tests.
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/printable.h"
#include "cli/system_locale.h"

namespace tallyman::cli {
namespace {

void PrintHelp(std::ostream& out) {
  out << "Usage: tallyman-cli [--locale ru|en|system] [--digits N] [--resout N] [--english] COMMAND ARGS\n\n"
         "Options:\n"
         "  --locale ru|en|system  number, date and time conventions (default: system)\n"
         "  --digits N             decimals kept in calculations, 0..18 (default 8)\n"
         "  --resout N             decimals shown in results, 0..18 (default 4)\n"
         "  --english              English texts (default: Russian)\n"
         "  --help                 this text\n\n"
         "Output is UTF-8, one item per line. Exit code 0 on success, 1 when the input was refused,\n"
         "2 for a malformed command line.\n\nCommands:\n";
  for (const Command& command : Commands()) {
    out << "  " << command.name << ' ' << command.synopsis << '\n';
    std::string help = command.help;
    size_t start = 0;
    while (start <= help.size()) {
      const size_t end = help.find('\n', start);
      out << "      " << help.substr(start, end == std::string::npos ? std::string::npos : end - start) << '\n';
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
}

int ParsePrecision(const std::string& option, const char* value) {
  if (!value) throw UsageError{option + " needs a number from 0 to 18"};
  char* end = nullptr;
  const long n = std::strtol(value, &end, 10);
  if (*value == '\0' || *end != '\0' || n < 0 || n > 18) throw UsageError{option + " needs a number from 0 to 18"};
  return static_cast<int>(n);
}

int Run(int argc, char** argv) {
  Options options;
  std::string localeName = "system";
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintHelp(std::cout);
      return 0;
    }
    if (arg.rfind("--", 0) != 0) break;
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--locale") {
      if (!value) throw UsageError{"--locale needs ru, en or system"};
      localeName = value;
      ++i;
    } else if (arg == "--digits") {
      options.digits = ParsePrecision(arg, value);
      ++i;
    } else if (arg == "--resout") {
      options.resOut = ParsePrecision(arg, value);
      ++i;
    } else if (arg == "--english") {
      options.english = true;
    } else {
      throw UsageError{"unknown option " + arg};
    }
  }
  if (localeName == "ru") {
    options.locale = Locale::Russian();
  } else if (localeName == "en") {
    options.locale = Locale::English();
  } else if (localeName == "system") {
    options.locale = SystemLocale();
  } else {
    throw UsageError{"--locale needs ru, en or system, not " + localeName};
  }
  options.locale = WithUsableThousandsSeparator(options.locale);
  if (i >= argc) throw UsageError{"no command given (see --help)"};
  const std::string name = argv[i];
  for (const Command& command : Commands()) {
    if (name == command.name)
      return command.run(options, std::vector<std::string>(argv + i + 1, argv + argc), std::cout);
  }
  throw UsageError{"unknown command " + name + " (see --help)"};
}

}  // namespace
}  // namespace tallyman::cli

int main(int argc, char** argv) {
  try {
    return tallyman::cli::Run(argc, argv);
  } catch (const tallyman::cli::UsageError& error) {
    std::cerr << "tallyman-cli: " << tallyman::cli::Printable(tallyman::FromUtf8(error.message)) << '\n';
    return 2;
  } catch (const std::bad_alloc&) {
    std::cerr << "tallyman-cli: not enough memory\n";
    return 1;
  }
}
