// eval: evaluate a formula as the formula window does and print its value.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/printable.h"
#include "engine/core/lang_pairs.h"
#include "engine/core/number_text.h"
#include "engine/formula/evaluate.h"

namespace tallyman::cli {

int RunEval(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
  if (args.empty()) throw UsageError{"eval needs a formula, for example: eval \"a*b: a=2; b=3\""};
  // Words the shell split apart belong to one formula.
  std::string formula = args.front();
  for (size_t i = 1; i < args.size(); ++i) formula += ' ' + args[i];

  const EvalResult result = Evaluate(FromUtf8(formula), options.locale);
  if (result.errCode != FormulaError::kNone) {
    out << "error " << CodeOf(result.errCode) << " at " << result.errPos << ": "
        << ToUtf8(EvalErrorMessage(result.errCode, options.english)) << '\n';
    return 1;
  }
  const Text shown = NumberText(options.locale, options.digits, options.resOut).FormatCalc(result.value);
  if (shown.empty()) {
    // The value exists but has more than 18 integer digits, which no number field can show.
    out << "error: " << ToUtf8(pairs::kLimit18Digits) << '\n';
    return 1;
  }
  out << Printable(shown) << '\n';
  return 0;
}

}  // namespace tallyman::cli
