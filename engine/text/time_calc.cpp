#include "engine/text/time_calc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/text/russian_words.h"
#include "engine/text/text_helpers.h"

namespace tallyman {
namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr Number kMaxSeconds = 2147483647.0L;

bool IsOperator(wchar_t c, int operatorClass) {
  const bool additive = c == L'+' || c == L'-';
  const bool multiplicative = c == L'*' || c == L'/' || c == L'\\';
  if (operatorClass == 1) return additive;
  if (operatorClass == 2) return multiplicative;
  return additive || multiplicative;
}

// A whole number of digits; unreadable, empty or absurdly long text counts as 0. Leading zeros,
// any number of them, are no digits.
Number WholeOrZero(TextView text) {
  text.remove_prefix(std::min(text.find_first_not_of(L'0'), text.size()));
  if (text.empty() || text.size() > 18) return 0;
  long long n = 0;
  for (wchar_t c : text) {
    if (!IsDigit(c)) return 0;
    n = n * 10 + (c - L'0');
  }
  return static_cast<Number>(n);
}

// At least two digits of n >= 0, written by hand: std::to_wstring goes through the C library's
// wide printf, which dominated long columns of times.
Text TwoDigits(long long n) {
  wchar_t digits[24];
  size_t begin = sizeof digits / sizeof digits[0];
  do {
    digits[--begin] = static_cast<wchar_t>(L'0' + n % 10);
    n /= 10;
  } while (n > 0 || begin > sizeof digits / sizeof digits[0] - 2);
  return Text(digits + begin, digits + sizeof digits / sizeof digits[0]);
}

// Russian word for a count: the form after ..1, after ..2 to ..4, and the rest (and 11 to 19).
const wchar_t* RussianCountWord(int n, const wchar_t* one, const wchar_t* few, const wchar_t* many) {
  switch (PluralClass(n < 0 ? -n : n)) {
    case 1:
      return one;
    case 5:
      return many;
    default:
      return few;
  }
}

// Years 1 to 9999 are the calendar's; a result outside them is no date and is not written.
bool InCalendar(DateTime value) {
  static const DateTime first = *EncodeDate(1, 1, 1);
  static const DateTime end = *EncodeDate(9999, 12, 31) + 1;
  return value >= first && value < end;
}

}  // namespace

size_t FindOperator(TextView text, int operatorClass) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsOperator(text[i], operatorClass)) return i + 1;
  }
  return 0;
}

TimeCalculator::TimeCalculator(const Locale& locale, DateTime now, bool english)
    : m_locale(locale), m_numbers(locale), m_now(now), m_english(english) {
  const wchar_t d = locale.dateSeparator;
  const bool collides = IsOperator(d, 0) || d == locale.timeSeparator || d <= L' ';
  m_dateSeparator = collides ? L'.' : d;
  m_locale.dateSeparator = m_dateSeparator;
}

DateTime TimeCalculator::Today() const {
  return std::floor(m_now);
}

Text TimeCalculator::Decimal(Number value, int decimals) const {
  if (!std::isfinite(value)) return Text();
  // A short buffer on the stack serves every usual value; the largest long double takes ~5000.
  char small[64];
  std::string large;
  auto result = std::to_chars(small, small + sizeof small, value, std::chars_format::fixed, decimals);
  std::string_view written(small, static_cast<size_t>(result.ptr - small));
  if (result.ec == std::errc::value_too_large) {
    large.resize(5100);
    result = std::to_chars(large.data(), large.data() + large.size(), value, std::chars_format::fixed, decimals);
    written = std::string_view(large.data(), static_cast<size_t>(result.ptr - large.data()));
  }
  if (result.ec != std::errc()) return Text();
  std::string buffer(written);
  if (buffer.find('.') != std::string::npos) {
    while (buffer.back() == '0') buffer.pop_back();
    if (buffer.back() == '.') buffer.pop_back();
  }
  if (buffer == "-0") buffer = "0";
  Text out;
  for (char c : buffer) out.push_back(c == '.' ? m_locale.decimalSeparator : static_cast<wchar_t>(c));
  return out;
}

OperandType TimeCalculator::OperandKind(TextView text) const {
  int dateSeparators = 0;
  for (wchar_t c : text) {
    if (c == m_locale.timeSeparator && dateSeparators < 2) return OperandType::Time;
    if (c == m_dateSeparator && ++dateSeparators == 2) return OperandType::Date;
  }
  return OperandType::Numeric;
}

TimeCalculator::Duration TimeCalculator::ParseDuration(TextView text) const {
  const TextView trimmed = TrimBlanks(text);
  const bool negative = !trimmed.empty() && trimmed[0] == L'-';
  Text kept;
  for (wchar_t c : trimmed) {
    if (IsDigit(c) || c == m_locale.timeSeparator) kept.push_back(c);
  }
  const size_t first = kept.find(m_locale.timeSeparator);
  const TextView all(kept);
  const TextView hours = all.substr(0, first);
  TextView minutes, seconds;
  if (first != TextView::npos) {
    const TextView rest = all.substr(first + 1);
    const size_t second = rest.find(m_locale.timeSeparator);
    minutes = rest.substr(0, second);
    if (second != TextView::npos) seconds = rest.substr(second + 1);
  }
  const Number total = WholeOrZero(hours) * 3600 + WholeOrZero(minutes) * 60 + WholeOrZero(seconds);
  Duration d;
  d.value = total / kSecondsPerDay;
  d.hours = total / 3600;
  if (negative) {
    d.value = -d.value;
    d.hours = -d.hours;
  }
  return d;
}

DateTime TimeCalculator::HoursToTime(Number hours) const {
  const Number seconds = std::nearbyint(hours * 3600);
  if (!(seconds >= 0 && seconds <= kMaxSeconds)) throw HoursOutOfRange{};
  return seconds / kSecondsPerDay;
}

Text TimeCalculator::FormatDuration(DateTime value) const {
  if (!std::isfinite(value)) return Text();
  if (value < 0) {
    const Text positive = FormatDuration(-value);
    return positive.empty() ? Text() : L"-" + positive;
  }
  const Number seconds = std::nearbyint(value * kSecondsPerDay);
  if (seconds > 9e15L) return Text();
  const long long total = static_cast<long long>(seconds);
  if (total < kSecondsPerDay) {
    return FormatTime(static_cast<DateTime>(total) / kSecondsPerDay, m_locale.longTimeFormat, m_locale.timeSeparator);
  }
  const wchar_t sep = m_locale.timeSeparator;
  Text out = TwoDigits(total / 3600) + sep + TwoDigits(total / 60 % 60);
  if (total % 60 != 0) out += sep + TwoDigits(total % 60);
  return out;
}

Text TimeCalculator::MonthText(DateTime date) const {
  const CivilDateTime p = DecodeDateTime(date);
  return m_locale.longMonthNames[static_cast<size_t>(p.month - 1)] + L"(" +
         std::to_wstring(DaysInMonth(p.year, p.month)) + L")";
}

Text TimeCalculator::DateDiffText(DateTime a, DateTime b) const {
  if (a < b) std::swap(a, b);
  const CivilDateTime later = DecodeDateTime(a);
  const CivilDateTime earlier = DecodeDateTime(b);
  int days = later.day - earlier.day;
  int months = later.month - earlier.month;
  int years = later.year - earlier.year;
  const int n = DaysInMonth(earlier.year, earlier.month);
  for (int pass = 0; pass < 2; ++pass) {
    if (days > n) {
      days = days + 1 - n;
      ++months;
    } else if (days < 0) {
      days += n;
      --months;
    }
  }
  if (months >= 12) {
    months -= 12;
    ++years;
  } else if (months < 0) {
    months += 12;
    --years;
  }
  const Text y = std::to_wstring(years), m = std::to_wstring(months), d = std::to_wstring(days);
  if (m_english) return y + L" years " + m + L" months " + d + L" days";
  return y + RussianCountWord(years, L" год ", L" года ", L" лет ") + m + L" мес. " + d +
         RussianCountWord(days, L" день ", L" дня ", L" дней");
}

TimeCalculator::Operand TimeCalculator::ReadOperand(TextView text) const {
  Operand a;
  a.type = OperandKind(text);
  switch (a.type) {
    case OperandType::Date:
      a.value = ParseDateTime(text, m_locale, m_dateSeparator).value_or(0);
      break;
    case OperandType::Time: {
      const Duration d = ParseDuration(text);
      a.value = d.value;
      a.hours = d.hours;
      break;
    }
    case OperandType::Numeric: {
      Text t(text);
      for (wchar_t& c : t) {
        if (c == L',' || c == L'.') c = m_locale.decimalSeparator;
      }
      a.value = m_numbers.ReadFloat(t).value_or(0);
      break;
    }
  }
  return a;
}

Text TimeCalculator::SingleOperand(const Operand& a) const {
  switch (a.type) {
    case OperandType::Date: {
      if (a.value <= 0) return Text();
      const CivilDateTime p = DecodeDateTime(a.value);
      return L"(" + std::to_wstring(p.day / 7 + 1) + L") " +
             m_locale.longDayNames[static_cast<size_t>(DayOfWeek(a.value))] + L" " + MonthText(a.value);
    }
    case OperandType::Time:
      return Decimal(a.hours, 4);
    case OperandType::Numeric:
      return a.value != 0 ? FormatDuration(HoursToTime(a.value)) : Text();
  }
  return Text();
}

Text TimeCalculator::TrailingSign(const Operand& a, wchar_t op) const {
  if (op != L'-' && op != L'+') return Text();
  const Number sign = op == L'-' ? -1 : 1;
  switch (a.type) {
    case OperandType::Date: {
      if (a.value <= 0 || op != L'-') return Text();
      const Number d = a.value - Today();
      return DateDiffText(a.value, Today()) + L"=" + Decimal(d, 2);
    }
    case OperandType::Time: {
      const DateTime moment = m_now + sign * a.value;
      return InCalendar(moment) ? FormatDateTime(moment, m_locale) : Text();
    }
    case OperandType::Numeric: {
      const DateTime date = Today() + sign * a.value;
      if (!InCalendar(date)) return Text();
      return a.value == std::trunc(a.value) ? FormatShortDate(date, m_locale) : FormatDateTime(date, m_locale);
    }
  }
  return Text();
}

Text TimeCalculator::TwoOperands(const Operand& a, const Operand& b, wchar_t op) const {
  using T = OperandType;
  const bool additive = op == L'+' || op == L'-';
  const Number sign = op == L'-' ? -1 : 1;
  if (a.type == T::Date && b.type == T::Date) {
    if (op != L'-') return Text();
    return DateDiffText(a.value, b.value) + L"=" + Decimal(a.value - b.value, 2);
  }
  if (a.type == T::Date || b.type == T::Date) {
    if (!additive) return Text();
    const DateTime result = a.value + sign * b.value;
    return InCalendar(result) ? FormatDateTime(result, m_locale) : Text();
  }
  if (a.type == T::Time && b.type == T::Time) {
    return additive ? FormatDuration(a.value + sign * b.value) : Text();
  }
  if (a.type == T::Time) {  // time and number
    if (op == L'*') return Decimal(a.hours * b.value, 4);
    if (op == L'/') return Decimal(a.hours / b.value, 4);
    return FormatDuration(a.value + sign * HoursToTime(b.value));
  }
  if (b.type == T::Time) {  // number and time
    if (op == L'*') return Decimal(a.value * b.hours, 4);
    if (op == L'/') return Decimal(a.value / b.hours, 4);
    return FormatDuration(HoursToTime(a.value) + sign * b.value);
  }
  switch (op) {
    // clang-format off
    case L'*': return Decimal(a.value * b.value, 4);
    case L'/': return Decimal(a.value / b.value, 4);
    default: return Decimal(a.value + sign * b.value, 4);
      // clang-format on
  }
}

Text TimeCalculator::TimeOperation(TextView left, TextView right, TextView op) const {
  left = TrimBlanks(left);
  right = TrimBlanks(right);
  op = TrimBlanks(op);
  if (left.empty()) return Text();
  const Operand a = ReadOperand(left);
  if (right.empty() && op.empty()) return SingleOperand(a);
  const wchar_t sign = op.empty() ? L'\0' : (op[0] == L'\\' ? L'/' : op[0]);
  if (right.empty()) return TrailingSign(a, sign);
  if (a.value == 0 || op.empty()) return Text();
  const Operand b = ReadOperand(right);
  if (b.value == 0) return Text();
  return TwoOperands(a, b, sign);
}

Text TimeCalculator::TimeChain(TextView text) const {
  // The rest of the text is a view that only ever shrinks from the front: one pass over it.
  Text left, right, op;
  TextView rest = text;
  while (!rest.empty()) {
    rest = TrimBlanks(rest);
    if (rest.empty()) break;
    const size_t p = FindOperator(rest, 0);
    if (p > 0) {
      const TextView before = TrimBlanks(rest.substr(0, p - 1));
      (left.empty() ? left : right) = before;
      op = rest.substr(p - 1, 1);
      rest.remove_prefix(p);
    }
    if (left.empty() || (p == 0 && right.empty())) {
      // The first operand (or one after a leading sign), or an operand without an operator.
      (left.empty() ? left : right) = TrimBlanks(rest);
      rest = TextView();
    }
    if (!rest.empty() && right.empty()) {
      const TextView trimmed = TrimBlanks(rest);
      const size_t q = FindOperator(trimmed, 0);
      // An operator right at the start belongs to the next step (a trailing sign here).
      if (q == 0) {
        right = trimmed;
        rest = TextView();
      } else {
        right = TrimBlanks(trimmed.substr(0, q - 1));
        rest = trimmed.substr(q - 1);
      }
    }
    left = TimeOperation(left, right, op);
    right.clear();
    if (left.empty()) return Text();
  }
  return left;
}

Text TimeCalculator::TimeCalc(TextView text, MessageSink& sink) const {
  const TextView trimmed = TrimBlanks(text);
  if (trimmed.empty()) return Text();
  const wchar_t decimal = m_locale.decimalSeparator;
  const wchar_t timeSep = m_locale.timeSeparator;
  Text work;
  for (wchar_t c : trimmed) {
    if (c == L' ' || IsOperator(c, 0) || IsDigit(c) || c == decimal || c == m_dateSeparator || c == timeSep) {
      work.push_back(c);
    }
  }
  // Nothing but an operand may start the text, and no dangling "*", "/" or separator may end it.
  for (wchar_t& c : work) {
    if (c == L'+' || c == L'-' || IsDigit(c)) break;
    c = L' ';
  }
  for (auto it = work.rbegin(); it != work.rend(); ++it) {
    const wchar_t c = *it;
    if (c == L' ') continue;
    if (!(IsOperator(c, 2) || c == timeSep || c == m_dateSeparator || c == decimal)) break;
    *it = L' ';
  }
  work = Trimmed(work);
  if (work.empty()) return Text();

  try {
    struct Term {
      Text text;
      Text tag;
    };
    std::vector<Term> terms;
    TextView rest = work;
    while (!rest.empty()) {
      rest = TrimBlanks(rest);
      const size_t p = FindOperator(rest, 1);
      if (p == 0) {
        if (!rest.empty()) terms.push_back({Text(rest), Text()});
        break;
      }
      terms.push_back({Trimmed(rest.substr(0, p - 1)), Text(rest.substr(p - 1, 1))});
      rest.remove_prefix(p);
    }
    bool multiplicative = false;
    for (Term& term : terms) {
      multiplicative = FindOperator(term.text, 2) > 0;
      if (multiplicative) term.text = TimeChain(term.text);
    }
    Text joined;
    for (const Term& term : terms) {
      joined += term.text;
      joined += term.tag;
    }
    if (terms.size() == 1 && !multiplicative) joined = TimeChain(joined);
    if (!joined.empty() && FindOperator(joined, 0) > 0 && !Contains(joined, L'=')) joined = TimeChain(joined);
    return joined;
  } catch (const HoursOutOfRange&) {
    sink.ShowMessage(LangText(pairs::kHoursOutOfRange, m_english));
    return Text();
  }
}

}  // namespace tallyman
