#pragma once
// The functions of formulas and the power operator. Every routine computes in extended precision
// and leaves invalid operations, divisions by zero and overflows in the floating-point exception
// flags, which the evaluator turns into an arithmetic failure.
#include "engine/core/text.h"

namespace tallyman::formula {

enum FunctionKind : int {
  kCos = 10,
  kSin = 11,
  kTan = 12,
  kCot = 13,
  kAbs = 14,
  kSign = 15,
  kSqrt = 16,
  kLn = 17,
  kExp = 18,
  kArcSin = 19,
  kArcCos = 20,
  kArcTan = 21,
  kArcCot = 22,
  kSinh = 23,
  kCosh = 24,
  kTanh = 25,
  kCoth = 26,
  kHeaviside = 27,
  kCeil = 32,
  kFrac = 33,
  kInt = 34,
  kRound = 35,
  kLog10 = 36,
  kLog2 = 37,
  kSqr = 38,
  kFloor = 39,
};

// pi and pi/2 as the nearest extended values (significand C90FDAA22168C235).
inline constexpr Number kPi = 0xC90FDAA22168C235p-62L;
inline constexpr Number kHalfPi = kPi / 2;  // exact: halving changes only the exponent

// The kind of a lower-case function name ("sin", "tg", "heaviside", ...), or 0 for no function.
int FindFunction(TextView name);
inline bool IsFunctionKind(int kind) {
  return (kind >= kCos && kind <= kHeaviside) || (kind >= kCeil && kind <= kFloor);
}

// The function of the given kind at x.
Number ApplyFunction(int kind, Number x);

// base^exponent: 1 for a zero exponent, 0 for a zero base and a positive exponent, repeated
// squaring for whole exponents up to 2147483647 in size (negative bases work there), otherwise
// exp(exponent * ln(base)), which fails for negative bases and for 0 to a negative power.
Number Power(Number base, Number exponent);

}  // namespace tallyman::formula
