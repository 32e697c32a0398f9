#pragma once
// The keys the calculator can take as its global hot key, by the Windows virtual-key code the
// settings file stores for them.

namespace tallyman {

// A code read from the settings file that names none of these is kept as it stands and written
// back: it simply cannot be registered. NoKey: none held.
enum class HotKey : int { NoKey = 0, Pause = 19, PrintScreen = 44, NumLock = 144, ScrollLock = 145 };

}  // namespace tallyman
