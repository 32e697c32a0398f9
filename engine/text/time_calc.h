#pragma once
// The time and date calculator: durations (hours:minutes[:seconds], beyond 24 hours too), dates,
// and plain numbers written as text, evaluated strictly left to right with "*" and "/" binding
// tighter than "+" and "-". Results are texts written behind the expression.
//
// Operands are told apart by their separators: a time separator before a second date separator
// makes a time, two date separators a date, anything else a number. When the locale's date
// separator is itself an operator or the time separator (12/25/2026), dates are written with "."
// here (12.25.2026), in the locale's field order.
#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/core/number_text.h"
#include "engine/text/date_time.h"

namespace tallyman {

enum class OperandType { Date = 1, Time = 2, Numeric = 3 };

// 1-based position of the first operator of a class, or 0. Class 0: * + - / \, class 1: + -,
// class 2: * / \.
size_t FindOperator(TextView text, int operatorClass);

// Thrown by HoursToTime (and so by TimeOperation and TimeChain) for a number of hours that cannot
// become a time; TimeCalc reports it and gives nothing.
struct HoursOutOfRange {};

class TimeCalculator {
 public:
  // now: the current local date and time; english: date differences in English words.
  TimeCalculator(const Locale& locale, DateTime now, bool english);

  // The result written behind the text, or the empty text when nothing can be calculated. A
  // number of hours out of range is reported through the sink.
  Text TimeCalc(TextView text, MessageSink& sink) const;
  Text TimeChain(TextView text) const;
  Text TimeOperation(TextView left, TextView right, TextView op) const;

  OperandType OperandKind(TextView text) const;
  struct Duration {
    DateTime value = 0;  // days, the time of day as the fraction; negative for a leading "-"
    Number hours = 0;    // the same length in decimal hours
  };
  // h[:m[:s]]; only digits and separators count, unreadable parts are 0. A leading "-" (a negative
  // intermediate result of a chain) keeps its sign.
  Duration ParseDuration(TextView text) const;
  // Whole seconds; throws HoursOutOfRange below 0 or beyond 2^31-1 seconds.
  DateTime HoursToTime(Number hours) const;
  Text FormatDuration(DateTime value) const;
  Text MonthText(DateTime date) const;
  Text DateDiffText(DateTime a, DateTime b) const;

  wchar_t DateSeparator() const { return m_dateSeparator; }

 private:
  struct Operand {
    OperandType type = OperandType::Numeric;
    DateTime value = 0;
    Number hours = 0;
  };
  Operand ReadOperand(TextView text) const;
  Text Decimal(Number value, int decimals) const;
  Text SingleOperand(const Operand& a) const;
  Text TrailingSign(const Operand& a, wchar_t op) const;
  Text TwoOperands(const Operand& a, const Operand& b, wchar_t op) const;
  DateTime Today() const;

  Locale m_locale;
  NumberText m_numbers;
  wchar_t m_dateSeparator;
  DateTime m_now;
  bool m_english;
};

}  // namespace tallyman
