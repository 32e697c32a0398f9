#include "cli/system_locale.h"

#include <clocale>
#include <cstring>
#include <string>

#include "engine/core/text.h"

namespace tallyman::cli {

Locale SystemLocale() {
  const char* name = std::setlocale(LC_ALL, "");
  const std::string locale = name ? name : "C";
  Locale result = locale.rfind("ru", 0) == 0 ? Locale::Russian() : Locale::English();
  if (const std::lconv* conv = std::localeconv()) {
    const Text decimal = FromUtf8(conv->decimal_point ? conv->decimal_point : ".");
    const Text thousands = FromUtf8(conv->thousands_sep ? conv->thousands_sep : "");
    if (decimal.size() == 1) result.decimalSeparator = decimal[0];
    result.thousandsSeparator = thousands.size() == 1 ? thousands[0] : L'\0';
  }
  // The engine formats numbers itself; keep the C library's own conversions neutral.
  std::setlocale(LC_ALL, "C");
  return WithUsableThousandsSeparator(result);
}

}  // namespace tallyman::cli
