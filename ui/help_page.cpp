#include "ui/help_page.h"

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

void OpenHelpPage(const UiServices& ui, QWidget* parent, const std::filesystem::path& page, DialogStyle style) {
  const QUrl url = HelpPageUrl(page, style.English());
  if (ui.openUrl(url)) return;
  const QString text = Lang(pairs::kHelpNotOpened, style.English()).replace(QStringLiteral("%s"), url.toLocalFile());
  ShowMessageBox(*ui.answers, parent, text, style);
}

}  // namespace tallyman::ui
