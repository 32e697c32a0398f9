// time: the notebook's time and date calculation.
#include <ctime>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/printable.h"
#include "cli/text_message_sink.h"
#include "engine/text/time_calc.h"

namespace tallyman::cli {
namespace {

DateTime ParseNow(const std::string& text) {
  static const std::regex pattern(R"((\d{4})-(\d{2})-(\d{2})[ T](\d{2}):(\d{2}):(\d{2}))");
  std::smatch m;
  if (std::regex_match(text, m, pattern)) {
    const auto part = [&](size_t i) { return std::stoi(m[i].str()); };
    if (const auto value = EncodeDateTime({part(1), part(2), part(3), part(4), part(5), part(6), 0})) return *value;
  }
  throw UsageError{"--now needs a date and time as \"YYYY-MM-DD HH:MM:SS\", not \"" + text + "\""};
}

// The clock is read here, at the edge, and handed to the engine as a value.
DateTime LocalNow() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                         local.tm_sec > 59 ? 59 : local.tm_sec, 0})
      .value_or(0);
}

}  // namespace

int RunTime(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
  std::string expression;
  bool haveExpression = false;
  std::string now;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--now") {
      if (i + 1 >= args.size()) throw UsageError{"--now needs a date and time as \"YYYY-MM-DD HH:MM:SS\""};
      now = args[++i];
    } else {
      expression += (haveExpression ? " " : "") + args[i];
      haveExpression = true;
    }
  }
  if (!haveExpression) throw UsageError{"time needs an expression, for example: time \"8:45 - 7:30\""};

  const TimeCalculator calculator(options.locale, now.empty() ? LocalNow() : ParseNow(now), options.english);
  PrintingSink sink(out);
  const Text result = calculator.TimeCalc(FromUtf8(expression), sink);
  if (sink.Shown()) return 1;
  out << Printable(result) << '\n';
  return 0;
}

}  // namespace tallyman::cli
