#include "ui/run_target.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tallyman::ui {
namespace {

std::function<void(const QUrl&)>& Opener() {
  static std::function<void(const QUrl&)> opener;
  return opener;
}

bool StartsWith(const QString& text, const char* prefix) {
  return text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

QUrl WebUrl(const QString& target) {
  QString text = target;
  if (StartsWith(text, "www.")) text.prepend(QStringLiteral("http://"));
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  const bool web =
      scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ftp");
  return web && !url.host().isEmpty() ? url : QUrl();
}

QUrl MailUrl(const QString& target) {
  QString text = target;
  if (!StartsWith(text, "mailto:")) text.prepend(QStringLiteral("mailto:"));
  // One address: no blanks, something on both sides of the "@".
  static const QRegularExpression address(QStringLiteral("^mailto:[^\\s@]+@[^\\s@]+$"),
                                          QRegularExpression::CaseInsensitiveOption);
  return address.match(text).hasMatch() ? QUrl(text, QUrl::StrictMode) : QUrl();
}

QUrl FileUrl(const QString& target) {
  QString path = target;
  if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/"))) path.replace(0, 1, QDir::homePath());
  if (StartsWith(path, "file://")) path = QUrl(path).toLocalFile();
  if (!QDir::isAbsolutePath(path)) return {};
  const QFileInfo info(path);
  if (!info.exists()) return {};
  if (info.isFile() &&
      (info.isExecutable() || info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0)) {
    return {};
  }
  return QUrl::fromLocalFile(info.absoluteFilePath());
}

}  // namespace

QUrl RunTargetUrl(const QString& target) {
  const QString text = target.trimmed();
  if (text.isEmpty()) return {};
  if (const QUrl web = WebUrl(text); web.isValid() && !web.isEmpty()) return web;
  if (text.contains(QLatin1Char('@'))) return MailUrl(text);
  return FileUrl(text);
}

void OpenRunTarget(const QUrl& url) {
  if (Opener()) {
    Opener()(url);
  } else {
    QDesktopServices::openUrl(url);  // a failure shows nothing
  }
}

void SetRunTargetOpener(std::function<void(const QUrl&)> opener) {
  Opener() = std::move(opener);
}

}  // namespace tallyman::ui
