#pragma once
// Whole numbers shown in bases 10, 16 and 2: 255 -> "FFh=11111111b", $1F or 1Fh -> "31=11111b",
// 101b -> "5=5h". Values are 64-bit: 16 hexadecimal or 64 binary digits are a bit pattern and may
// be negative; a decimal number must fit a signed 64-bit integer.
#include <optional>

#include "engine/core/text.h"

namespace tallyman {

struct BaseConversion {
  bool applies = false;   // false: the text is no whole number of these forms (a formula)
  bool overflow = false;  // the number does not fit in 64 bits
  Text result;            // what follows the "=" behind the text
};

BaseConversion ConvertBase(TextView text);

// Digits of a 64-bit value without leading zeros ("0" for zero, all digits when negative).
Text HexDigits(long long value);
Text BinaryDigits(long long value);

}  // namespace tallyman
