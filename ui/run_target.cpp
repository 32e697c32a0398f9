#include "ui/run_target.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>

#include "engine/text/mail_address.h"
#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

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
  const std::optional<Text> address = BareMailAddress(FromQString(target));
  return address ? QUrl(QStringLiteral("mailto:") + ToQString(*address), QUrl::StrictMode) : QUrl();
}

// Kinds of file a default application runs or installs instead of showing: programs and scripts
// (their types derive from application/x-executable), launchers, and packages that start one.
constexpr const char* kLaunchingTypes[] = {
    "application/x-executable",
    "application/x-sharedlib",
    "application/x-pie-executable",
    "application/x-desktop",
    "application/x-ms-dos-executable",
    "application/x-msdownload",
    "application/vnd.microsoft.portable-executable",
    "application/x-msi",
    "application/x-ms-shortcut",
    "application/x-java-archive",
    "application/x-java-jnlp-file",
    "application/vnd.flatpak",
    "application/vnd.flatpak.ref",
    "application/vnd.flatpak.repo",
    "application/vnd.appimage",
    "application/x-iso9660-appimage",
    "application/vnd.debian.binary-package",
    "application/x-rpm",
    "application/vnd.snap",
};

bool Launches(const QMimeType& type) {
  for (const char* name : kLaunchingTypes) {
    if (type.inherits(QLatin1String(name))) return true;
  }
  return false;
}

// Judged by what the file is, not by the name typed: its name (links resolved), its content and
// its executable bit; a launcher keeps working under any name.
bool LaunchesSomething(const QFileInfo& file) {
  if (file.isExecutable()) return true;
  const QMimeDatabase types;
  return Launches(types.mimeTypeForFile(file, QMimeDatabase::MatchExtension)) ||
         Launches(types.mimeTypeForFile(file, QMimeDatabase::MatchContent));
}

QUrl FileUrl(const QString& target) {
  QString path = target;
  if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/"))) path.replace(0, 1, QDir::homePath());
  if (StartsWith(path, "file://")) path = QUrl(path).toLocalFile();
  if (!QDir::isAbsolutePath(path)) return {};
  // The file the address leads to is the one judged and the one handed over.
  const QString canonical = QFileInfo(path).canonicalFilePath();
  if (canonical.isEmpty()) return {};
  const QFileInfo info(canonical);
  if (info.isDir()) return QUrl::fromLocalFile(canonical);
  // A pipe or a device is no document, and sniffing its content would wait on it.
  if (!info.isFile() || LaunchesSomething(info)) return {};
  return QUrl::fromLocalFile(canonical);
}

}  // namespace

QUrl RunTargetUrl(const QString& target) {
  const QString text = target.trimmed();
  if (text.isEmpty()) return {};
  if (const QUrl web = WebUrl(text); web.isValid() && !web.isEmpty()) return web;
  if (text.contains(QLatin1Char('@'))) return MailUrl(text);
  return FileUrl(text);
}

}  // namespace tallyman::ui
