#pragma once
// What the windows ask of the person and of the desktop: files chosen in the file dialogs,
// answers to messages, questions and prompts, addresses handed to the desktop's default
// application, and the local date and time. Made once for the main window and handed on to the
// windows that need it; tests hand in stand-ins.
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

#include "engine/text/date_time.h"

class QWidget;

namespace tallyman::ui {

class DialogAnswerer;

enum class FileChoice { kOpenText, kSaveText, kSavePdf };

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen file, or an empty text for Cancel.
  virtual QString Choose(QWidget* parent, FileChoice choice, const QString& title) = 0;
};

struct UiServices {
  std::shared_ptr<FileChooser> files;
  std::shared_ptr<DialogAnswerer> answers;
  // True when an application took the address.
  std::function<bool(const QUrl&)> openUrl;
  std::function<DateTime()> clock;
};

// The real file dialogs, the real message dialogs for a person to answer, the desktop's default
// applications and the desktop's clock.
UiServices MakeUiServices();

// The desktop's local date and time, to the second.
DateTime LocalNow();

}  // namespace tallyman::ui
