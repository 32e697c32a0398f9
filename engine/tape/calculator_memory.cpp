// The memory slots' changes: each goes through a notice, so a window showing the slots hears it.
#include "engine/tape/calculator.h"

namespace tallyman {
namespace {

MemorySlot* SlotAt(MemorySlots& slots, int index) {
  return index >= 0 && index < static_cast<int>(slots.size()) ? &slots[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

void Calculator::StoreSlot(int index, Number value, wchar_t sign) {
  const Notice notice(*this);
  if (MemorySlot* slot = SlotAt(m_memory, index)) {
    slot->value = value;
    slot->sign = sign;
  }
}

void Calculator::RenameSlot(int index, const Text& name) {
  const Notice notice(*this);
  if (MemorySlot* slot = SlotAt(m_memory, index)) slot->name = name;
}

void Calculator::EmptySlot(int index) {
  StoreSlot(index, 0, L'\0');
}

}  // namespace tallyman
