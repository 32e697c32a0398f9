#include "cli/command.h"

namespace tallyman::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
  };
  return commands;
}

}  // namespace tallyman::cli
