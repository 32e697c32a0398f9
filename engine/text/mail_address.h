#pragma once
// What an e-mail target of Run may hand to the mail program: one bare address.
#include <optional>

#include "engine/core/text.h"

namespace tallyman {

// The address in `target` ("mailto:" in front or not), cut at the first "?": parameters such as
// "attach=" or "cc=" would reach the mail program, and several of them attach files silently.
// nullopt unless what remains is one address: exactly one "@" with something on both sides, no
// blanks or control characters, no "%" (an encoded "?" or "&"), and no "," ";" "<" ">" "\"" "\\"
// that would make it a list of addresses or a display name.
std::optional<Text> BareMailAddress(TextView target);

}  // namespace tallyman
