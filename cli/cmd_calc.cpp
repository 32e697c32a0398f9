// calc: what the notebook's calculate command inserts behind a text with the caret at its end.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/printable.h"
#include "cli/text_message_sink.h"
#include "engine/text/note_commands.h"

namespace tallyman::cli {

int RunCalc(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
  if (args.empty()) throw UsageError{"calc needs a text, for example: calc 12*3"};
  std::string joined = args.front();
  for (size_t i = 1; i < args.size(); ++i) joined += ' ' + args[i];
  const Text text = FromUtf8(joined);

  const NumberText numbers(options.locale, options.digits, options.resOut);
  NumberWords words(options.locale);
  PrintingSink sink(out);
  // The formula engine reads the text only; the clock matters to time calculations alone.
  const NoteContext context{options.locale, numbers, words, 0, options.english, sink};
  const NoteCommandResult result = CalcSelection(text, NoteSelection{text.size(), 0}, false, context);
  if (sink.Shown()) return 1;
  out << (result.edit ? Printable(result.edit->insert) : std::string()) << '\n';
  return 0;
}

}  // namespace tallyman::cli
