#include "cli/command.h"

namespace tallyman::cli {

int RunEval(const Options&, const std::vector<std::string>&, std::ostream&);
int RunKeys(const Options&, const std::vector<std::string>&, std::ostream&);
int RunTape(const Options&, const std::vector<std::string>&, std::ostream&);
int RunWords(const Options&, const std::vector<std::string>&, std::ostream&);
int RunTime(const Options&, const std::vector<std::string>&, std::ostream&);
int RunCalc(const Options&, const std::vector<std::string>&, std::ostream&);
int RunText(const Options&, const std::vector<std::string>&, std::ostream&);

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
       "\"entry: TEXT\", \"result: ROW\" for every results entry, \"total: TEXT\". A tab prints as \\t,\n"
       "other control characters as \\xNN. N of {row N} and {result N} is a whole number from 0.",
       RunKeys},
      {"tape", "FILE",
       "Load FILE into a fresh calculator (as the Load command) and print its state as keys does.\n"
       "Exit 1 when the file is missing or refused (\"message: File error!\").",
       RunTape},
      {"words", "TEXT [--numstring FILE]",
       "Print the money amount in words that the notebook appends behind the number TEXT (leading\n"
       "blank included): roubles, or dollars with --english. --numstring FILE reads word-table\n"
       "overrides as key=value lines (NumM=..., Currency=..., as in the NUMSTRING section), which\n"
       "also selects the Russian engine in English. TEXT may start with \"-\" (words -12,30).",
       RunWords},
      {"time", "TEXT [--now \"YYYY-MM-DD HH:MM:SS\"]",
       "Calculate times and dates as the notebook does (8:45 - 7:30, 1:30 * 2, 25.12.2026 - 01.01.2026)\n"
       "and print the result; date differences in English words with --english. --now sets the\n"
       "clock for \"today\" and \"now\" (default: the local time).",
       RunTime},
      {"calc", "TEXT",
       "Print what the notebook's calculate command inserts behind TEXT with the caret at its end:\n"
       "=36 for 12*3, =FFh=11111111b for 255, =5=5h for 101b. A formula error prints the message\n"
       "(exit 1).",
       RunCalc},
      {"text", "translit|detranslit|dos|koi",
       "Read UTF-8 text on stdin and write it converted to stdout: Russian to Latin transliteration\n"
       "and back, or repair of DOS (cp866) or KOI8-R text that was read as Windows-1251.",
       RunText},
  };
  return commands;
}

}  // namespace tallyman::cli
