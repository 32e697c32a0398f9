#pragma once
// The single-byte code pages the program reads and writes: Windows-1251 for its own files, and
// cp866 (DOS) and KOI8-R for repairing text that was decoded with the wrong one.
#include <optional>
#include <string>
#include <string_view>

#include "engine/core/text.h"

namespace tallyman {

enum class CodePage { Windows1251, Cp866, Koi8R };

wchar_t DecodeByte(unsigned char byte, CodePage page);
std::optional<unsigned char> EncodeChar(wchar_t c, CodePage page);

Text Decode(std::string_view bytes, CodePage page);
// Characters the code page lacks become '?'; *lossless tells whether that happened.
std::string Encode(TextView text, CodePage page, bool* lossless = nullptr);

}  // namespace tallyman
