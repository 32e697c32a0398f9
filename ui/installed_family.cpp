#include "ui/installed_family.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace tallyman::ui {
namespace {

// The families fontconfig's substitution rules give for the name, in their order of preference.
QStringList SubstitutesFor(const QString& name) {
  QStringList families;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return families;
  const QByteArray utf8 = name.toUtf8();
  if (FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.constData())) &&
      FcConfigSubstitute(nullptr, pattern, FcMatchPattern)) {
    FcDefaultSubstitute(pattern);
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch; ++i)
      families << QString::fromUtf8(reinterpret_cast<const char*>(family));
  }
  FcPatternDestroy(pattern);
  return families;
}

// Qt's name of an installed family: the family itself, or with its foundry ("Nimbus Sans [urw]")
// where two foundries make fonts of that name.
QString ListedFamily(const QStringList& installed, const QString& family) {
  for (const QString& listed : installed) {
    if (listed.compare(family, Qt::CaseInsensitive) == 0) return listed;
  }
  for (const QString& listed : installed) {
    if (listed.startsWith(family + QStringLiteral(" ["), Qt::CaseInsensitive) && listed.endsWith(QLatin1Char(']')))
      return listed;
  }
  return {};
}

QString FindInstalledFamily(const QString& name) {
  // Qt's list holds the installed families (and its own generic names, "Sans Serif" among them);
  // asking it reads the font configuration, which the first text drawn would read anyway.
  const QStringList installed = QFontDatabase::families();
  if (installed.contains(name, Qt::CaseInsensitive)) return name;
  for (const QString& family : SubstitutesFor(name)) {
    const QString listed = ListedFamily(installed, family);
    if (!listed.isEmpty()) return listed;
  }
  return name;
}

}  // namespace

QString InstalledFamily(const QString& name) {
  if (name.isEmpty()) return name;
  // Running every substitution rule costs about as much as loading a font: once per name.
  static QHash<QString, QString> found;
  auto known = found.constFind(name);
  if (known == found.constEnd()) known = found.insert(name, FindInstalledFamily(name));
  return *known;
}

}  // namespace tallyman::ui
