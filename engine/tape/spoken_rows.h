#pragma once
// What a screen reader says for a row: the signs as words, the tab and "=" as "total". The painted
// rows do not change; these texts are only offered to assistive technology.
#include "engine/core/memory_slot.h"
#include "engine/core/number_text.h"
#include "engine/core/text.h"

namespace tallyman {

// The operation of a sign in words ("plus", "times"); empty for a character that is no sign.
Text SpokenSign(wchar_t sign, bool english);
// A tape row: "+5\t=17" reads "plus 5, total 17", a start row "\t=30" reads "total 30", a pending
// sign reads its operation.
Text SpokenTapeRow(TextView row, bool english);
// A results entry: a generated description has its signs read as words, a comment is read as it
// stands; then the value as "total".
Text SpokenResultRow(TextView row, bool isComment, bool english);
// A memory line: "memory 3: plus 1 250,5, rent"; an empty slot reads "memory 3: empty".
Text SpokenMemoryLine(int index, const MemorySlot& slot, const NumberText& numbers, bool english);

}  // namespace tallyman
