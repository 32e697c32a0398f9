#include "ui/ui_services.h"

#include <QDateTime>
#include <QDesktopServices>

#include "ui/file_dialogs.h"
#include "ui/message_dialogs.h"

namespace tallyman::ui {

UiServices MakeUiServices() {
  return {MakeFileDialogs(), MakePersonAnswerer(), [](const QUrl& url) { return QDesktopServices::openUrl(url); },
          LocalNow};
}

DateTime LocalNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return EncodeDateTime({date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), 0})
      .value_or(0);
}

}  // namespace tallyman::ui
