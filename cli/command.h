#pragma once
// The command line's commands: each lives in its own file and is listed once in commands.cpp.
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/core/locale.h"

namespace tallyman::cli {

struct Options {
  Locale locale = Locale::English();
  int digits = 8;
  int resOut = 4;
  bool english = false;
};

// Thrown for a malformed command line or argument: printed on stderr, exit code 2.
struct UsageError {
  std::string message;
};

struct Command {
  const char* name;
  const char* synopsis;  // the arguments, as shown by --help
  const char* help;      // what it does, as shown by --help; may span lines
  // Returns the exit code. Arguments follow the command word, even when they start with "-".
  int (*run)(const Options& options, const std::vector<std::string>& args, std::ostream& out);
};

const std::vector<Command>& Commands();

}  // namespace tallyman::cli
