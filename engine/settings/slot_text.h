#pragma once
// The texts of a memory slot: the one parser of "sign, number, ' ; name'" (used by the memory
// list's edit dialog, the CONSTANTS keys of the settings file and the command line's {mem N
// TEXT}), and the three ways a slot is written.
#include <optional>

#include "engine/core/memory_slot.h"
#include "engine/core/number_text.h"
#include "engine/core/text.h"

namespace tallyman {

// The first character "*", "+", "-" or "/" is the sign (so "-5" is sign "-" and value 5, and a
// negative value needs a sign before it: "+-5"). With a ";", the name is the text after the first
// ";" and the number the text before it, both trimmed; without, the name is empty. nullopt when
// the number does not read (TextToNumber) or is zero: the caller leaves its slot unchanged.
std::optional<MemorySlot> ParseSlotText(TextView text, const NumberText& numbers);

// The value of a CONSTANTS key. It is written without group separators, so a single "." or ","
// is the decimal separator whatever the locale: the slots survive a change of locale.
std::optional<MemorySlot> ParseSlotSettingText(TextView text, const NumberText& numbers);

// The memory list's line for slot `index`: "3 = 0" when empty, else "3 = +1 250,5 ; rent".
Text SlotLineText(int index, const MemorySlot& slot, const NumberText& numbers);
// The text offered in the edit dialog: "+1 250,5 ; rent" (empty text for an empty slot).
Text SlotEditText(const MemorySlot& slot, const NumberText& numbers);
// The value of key CONSTANTS/i: like the edit text but without group separators, so it reads
// back in any grouping ("+1250,5 ; rent").
Text SlotSettingText(const MemorySlot& slot, const NumberText& numbers);

// What the edit dialog's answer asks for.
struct SlotEdit {
  enum class Kind { Delete, Store, Ignore };
  Kind kind = Kind::Ignore;
  MemorySlot slot;  // for Store: value, sign and the new name (empty without ";")
};
// Empty text or exactly "0": delete the slot (after asking). Text that reads: store. Anything
// else (not a number, zero): ignore silently, the slot stays as it was.
SlotEdit InterpretSlotEdit(TextView entered, const NumberText& numbers);

// Numeric-pad "+" in the memory list: the value a non-zero number in the entry line gives the
// slot (stored with no sign, keeping the name); nullopt leaves the slot unchanged.
std::optional<Number> EntrySlotValue(TextView entry, const NumberText& numbers);

}  // namespace tallyman
