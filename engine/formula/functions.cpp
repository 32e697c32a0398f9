#include "engine/formula/functions.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace tallyman::formula {
namespace {

struct FunctionName {
  std::wstring_view name;
  int kind;
};

constexpr FunctionName kFunctionNames[] = {
    // clang-format off
    {L"cos", kCos},       {L"sin", kSin},         {L"tg", kTan},           {L"tan", kTan},
    {L"ctg", kCot},       {L"cot", kCot},         {L"abs", kAbs},          {L"sgn", kSign},
    {L"sign", kSign},     {L"sqrt", kSqrt},       {L"ln", kLn},            {L"exp", kExp},
    {L"arcsin", kArcSin}, {L"arccos", kArcCos},   {L"arctg", kArcTan},     {L"arctan", kArcTan},
    {L"arcctg", kArcCot}, {L"arccot", kArcCot},   {L"sh", kSinh},          {L"sinh", kSinh},
    {L"ch", kCosh},       {L"cosh", kCosh},       {L"th", kTanh},          {L"tanh", kTanh},
    {L"cth", kCoth},      {L"coth", kCoth},       {L"heaviside", kHeaviside}, {L"h", kHeaviside},
    {L"ceil", kCeil},     {L"frac", kFrac},       {L"int", kInt},          {L"round", kRound},
    {L"log10", kLog10},   {L"lg", kLog10},        {L"log2", kLog2},        {L"sqr", kSqr},
    // clang-format on
    {L"floor", kFloor},
};

constexpr Number kTwoTo63 = 9223372036854775808.0L;

// Raises the invalid-operation flag the way a failing library function would, and yields 0.
Number InvalidOperation() {
  std::feraiseexcept(FE_INVALID);
  return 0;
}

// Whole part toward zero as a signed 64-bit integer; outside its range an invalid operation.
bool TruncateToInt64(Number x, std::int64_t& whole) {
  if (!(std::fabs(x) < kTwoTo63)) {
    InvalidOperation();
    return false;
  }
  whole = static_cast<std::int64_t>(x);
  return true;
}

Number Ceil(Number x) {
  std::int64_t t = 0;
  if (!TruncateToInt64(x, t)) return 0;
  return static_cast<Number>(x - static_cast<Number>(t) > 0 ? t + 1 : t);
}

Number Floor(Number x) {
  std::int64_t t = 0;
  if (!TruncateToInt64(x, t)) return 0;
  return static_cast<Number>(x - static_cast<Number>(t) < 0 ? t - 1 : t);
}

Number Round(Number x) {
  if (!(std::fabs(x) < kTwoTo63)) return InvalidOperation();
  return std::nearbyint(x);  // ties to even in the default rounding mode
}

// The range reduction of the 80-bit sine and cosine covers arguments below 2^63; beyond it the
// result is defined as 0.
Number Periodic(Number x, bool sine) {
  if (!(std::fabs(x) < kTwoTo63)) return 0;
  return sine ? std::sin(x) : std::cos(x);
}

Number IntegerPower(Number base, std::uint32_t exponent) {
  Number result = 1;
  for (;;) {
    if (exponent & 1u) result *= base;
    exponent >>= 1;
    if (exponent == 0) return result;
    base *= base;
  }
}

}  // namespace

int FindFunction(TextView name) {
  if (name.size() < 1 || name.size() > 9) return 0;
  for (const FunctionName& f : kFunctionNames) {
    if (f.name == name) return f.kind;
  }
  return 0;
}

Number ApplyFunction(int kind, Number x) {
  switch (kind) {
    // clang-format off
    case kCos: return Periodic(x, false);
    case kSin: return Periodic(x, true);
    case kTan: return std::tan(x);
    case kCot: return 1 / std::tan(x);
    case kAbs: return std::fabs(x);
    case kSign: return x < 0 ? -1 : (x > 0 ? 1 : 0);
    case kSqrt: return std::sqrt(x);
    case kLn: return std::log(x);
    case kExp: return std::exp(x);
    case kArcSin: return std::atan2(x, std::sqrt(1 - x * x));
    case kArcCos: return std::atan2(std::sqrt(1 - x * x), x);
    case kArcTan: return std::atan(x);
    case kArcCot: return kHalfPi - std::atan(x);
    // clang-format on
    // The library's hyperbolic functions keep full precision near 0, where (e^x - e^-x) / 2
    // would cancel to nothing, and tanh/coth of large arguments are +-1, not an overflow.
    // clang-format off
    case kSinh: return std::sinh(x);
    case kCosh: return std::cosh(x);
    case kTanh: return std::tanh(x);
    case kCoth: return 1 / std::tanh(x);
    case kHeaviside: return x >= 0 ? 1 : 0;
    case kCeil: return Ceil(x);
    case kFrac: return x - std::trunc(x);
    case kInt: return std::trunc(x);
    case kRound: return Round(x);
    case kLog10: return std::log10(x);
    case kLog2: return std::log2(x);
    case kSqr: return x * x;
    case kFloor: return Floor(x);
    default: return InvalidOperation();
      // clang-format on
  }
}

Number Power(Number base, Number exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  if (exponent == std::trunc(exponent) && std::fabs(exponent) <= 2147483647.0L) {
    const auto n = static_cast<std::uint32_t>(std::fabs(exponent));
    const Number magnitude = IntegerPower(base, n);
    return exponent < 0 ? 1 / magnitude : magnitude;
  }
  // exp(p * ln(b)): the logarithm of a negative base is an invalid operation, that of 0 a
  // division by zero. powl computes the same with less rounding error.
  if (base < 0) return InvalidOperation();
  if (base == 0) {
    std::feraiseexcept(FE_DIVBYZERO);
    return 0;
  }
  return std::pow(base, exponent);
}

}  // namespace tallyman::formula
