#include "ui/help_page.h"

#include <QDesktopServices>
#include <QFile>

#include "engine/core/lang_pairs.h"
#include "ui/message_dialogs.h"
#include "ui/qt_text.h"

namespace tallyman::ui {

QUrl HelpPageUrl(const std::filesystem::path& page, bool english) {
  QUrl url = QUrl::fromLocalFile(QFile::decodeName(page.native().c_str()));
  // The page holds both languages, each half under its language's anchor.
  url.setFragment(english ? QStringLiteral("en") : QStringLiteral("ru"));
  return url;
}

void OpenHelpPage(QWidget* parent, const std::filesystem::path& page, bool english, bool onTop) {
  const QUrl url = HelpPageUrl(page, english);
  if (QDesktopServices::openUrl(url)) return;
  const QString text = Lang(pairs::kHelpNotOpened, english).replace(QStringLiteral("%s"), url.toLocalFile());
  ShowMessageBox(parent, text, onTop, english);
}

}  // namespace tallyman::ui
