#pragma once
// What the results window needs of the main window: its look, the options it shares (language,
// menus, stay-on-top, tab-stop adjustment), its services and a way back to it. Everything else
// the results window reads from the calculator.
#include <QFont>
#include <vector>

#include "engine/core/text.h"
#include "ui/dialog_style.h"
#include "ui/ui_services.h"

namespace tallyman::ui {

class ResultsWindowHost {
 public:
  virtual ~ResultsWindowHost() = default;
  virtual QFont MainFont() const = 0;
  virtual int TabDelta() const = 0;
  virtual bool English() const = 0;
  virtual bool MenuVisible() const = 0;
  virtual bool StaysOnTop() const = 0;
  DialogStyle Style() const { return {LanguageOf(English()), StaysOnTop()}; }
  virtual const UiServices& Ui() const = 0;
  // Raises and activates the main window, with the focus in the entry line when asked.
  virtual void ReturnToMain(bool focusEntry) = 0;
  // Prints the results list with the results' total.
  virtual void PrintRows(const std::vector<Text>& rows, bool fromResults) = 0;
};

}  // namespace tallyman::ui
