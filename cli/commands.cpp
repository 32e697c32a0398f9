#include "cli/command.h"

namespace tallyman::cli {

int RunEval(const Options&, const std::vector<std::string>&, std::ostream&);
int RunKeys(const Options&, const std::vector<std::string>&, std::ostream&);
int RunTape(const Options&, const std::vector<std::string>&, std::ostream&);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"eval", "TEXT",
       "Evaluate the formula TEXT as the formula window does: a formula, optionally followed by \":\"\n"
       "and values (\"a*b: a=2; b=3\", \"x*y: 3; 4\"); pi and e are known. Prints the value at --digits\n"
       "decimals, or \"error CODE at POS: MESSAGE\" (exit 1). TEXT may start with \"-\" (eval -2^2).",
       RunEval},
      {"keys", "SEQUENCE",
       "Feed SEQUENCE to a fresh calculator and print its state. Every character is a key press in\n"
       "the entry line; braces name other inputs:\n"
       "  {enter} {esc} {f9} (sign change) {pgup} (percentage) {ctrl+del} (clear the tape)\n"
       "  {ctrl+N} (memory slot N) {selectall} (select the whole entry) {row N} (select tape row N,\n"
       "  1-based) {del} (delete the selected row) {edit S V} / {insert S V} (row dialog confirmed\n"
       "  with sign S and operand text V) {f6} {f7} (take operand / result of the selected row)\n"
       "  {copy} (copy result) {paste TEXT} (paste with TEXT on the clipboard) {result N} (select\n"
       "  results entry N, 1-based) {goto} (F8 on the selected entry) {mem N TEXT} (store TEXT in\n"
       "  slot N as the memory editor would) {load FILE} (load a tape file)\n"
       "Output: first the events in order (\"message: TEXT\", \"beep\" for each single beep,\n"
       "\"clipboard: TEXT\"), then the state: \"tape: ROW\" for every row, \"S1: X\", \"S2: X\",\n"
       "\"entry: TEXT\", \"result: ROW\" for every results entry, \"total: TEXT\". A tab prints as \\t.",
       RunKeys},
      {"tape", "FILE", "Load FILE into a fresh calculator (as the Load command) and print its state as keys does.",
       RunTape},
  };
  return commands;
}

}  // namespace tallyman::cli
