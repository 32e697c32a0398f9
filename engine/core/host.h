#pragma once
// What the engine asks of the program around it. Windows show real dialogs; the command line and
// the tests record what was asked.
#include <optional>

#include "engine/core/text.h"

namespace tallyman {

// Messages shown to the user: the text is already in the active language.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const Text& text) = 0;
};

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;
  virtual void Pause(int milliseconds) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::optional<Text> GetText() = 0;
  virtual void SetText(const Text& text) = 0;
};

// Everything the calculator model needs from its window.
class CalculatorHost : public MessageSink, public Beeper, public Clipboard {
 public:
  // The entry line takes the focus when the window is active; the model itself has already put
  // the caret after the last character.
  virtual void FocusEntry() {}
};

}  // namespace tallyman
