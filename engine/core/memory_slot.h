#pragma once
// One of the ten named memory slots.
#include <array>

#include "engine/core/text.h"

namespace tallyman {

struct MemorySlot {
  Number value = 0;      // 0 means the slot is empty
  wchar_t sign = L'\0';  // '+', '-', '*', '/' or none
  Text name;
  bool operator==(const MemorySlot&) const = default;
};

using MemorySlots = std::array<MemorySlot, 10>;

}  // namespace tallyman
