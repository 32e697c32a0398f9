#pragma once
// Every persistent option of the calculator as one value: the options of section SETS, the
// window places of PLACE, the tape font of FONT, the ten memory slots of CONSTANTS and the
// hand-written word overrides of NUMSTRING. Reading and writing live in settings_file.h; each
// key's name, default and valid range are declared once, in settings_keys.h. Applying the values
// to windows is the windows' business.
#include <vector>

#include "engine/core/memory_slot.h"
#include "engine/core/text.h"
#include "engine/settings/hot_key.h"

namespace tallyman {

// Left, top, height and width of a window's client area, in screen pixels.
struct WindowPlace {
  int left = 0;
  int top = 0;
  int height = 0;
  int width = 0;
  bool operator==(const WindowPlace&) const = default;
};

// What the Escape key does in the entry line (key ESC).
enum class EscapeAction { Close = 0, HideToTray = 1, UndoEntry = 2, ClearEntry = 3 };

// Windows-style colour value of the FONT section: the system colour "window text".
inline constexpr int kWindowTextColor = -2147483640;  // 0x80000008

struct FontSettings {
  Text name;    // "Arial"
  int charSet;  // 0..255, 1 is the default character set
  int size;     // points
  int color;    // kWindowTextColor, or 0x00BBGGRR
  bool bold;
  bool operator==(const FontSettings&) const = default;
};

struct Settings {
  // Every key at its declared default; the row edit dialog is centred on a 1024 x 768 screen
  // (see CenterRowEditDialog).
  Settings();

  // SETS
  int digits;           // Digits: decimals of calculations, 0..18
  int resOut;           // ResOut: decimals of results, 0..18
  int tabDelta;         // TabDelta: written only when not zero
  bool menu;            // Menu: menu bars shown
  bool tray;            // Tray: start hidden in the tray
  bool confirm;         // Confirm: ask before closing
  bool hideOnMin;       // HideOnMin
  bool english;         // Lang: false Russian, true English
  HotKey hotKey;        // Hot: virtual-key code, 19 Pause
  bool numLock;         // NumLock: hold NumLock on
  bool maxNote;         // MaxNote: notebook opens maximized
  bool keysNote;        // KeysNote: notebook's key button down
  bool shortPenny;      // ShortPenny: short kopeck word
  Text printTitle;      // PrnTitle
  int numLang;          // NumLang: kept and written back unchanged
  bool onlyOne;         // OnlyOne: one running copy
  EscapeAction escape;  // ESC

  // PLACE. The main and results windows default to their designed client areas plus a typical
  // frame; a window that knows its real size passes itself as the base when loading.
  WindowPlace mainWindow;     // Left, Top, Height, Width
  WindowPlace resultsWindow;  // 2Left..2Width
  WindowPlace notebook;       // 3Left..3Width
  WindowPlace formulaWindow;  // 4Left..4Width
  WindowPlace rowEditDialog;  // 5Left, 5Top: position only, height and width unused
  WindowPlace memoryList;     // MLeft..MWidth
  bool stayOnTop;             // Stay

  // FONT: the font of the tape and the entry line.
  FontSettings font;

  // CONSTANTS: slot i is key "i"; an empty slot (value 0) has no key.
  MemorySlots memory;

  // NUMSTRING: read, never written (the section survives every save untouched).
  bool hasNumString = false;
  std::vector<Text> numString;  // its "key=value" lines, trimmed
};

// The row edit dialog's default position: centred for a dialog 235 x 100 on that screen.
void CenterRowEditDialog(Settings& settings, int screenWidth, int screenHeight);

}  // namespace tallyman
