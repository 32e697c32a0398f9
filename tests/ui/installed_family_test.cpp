// Fonts asked for by a name that is no installed family get the family fontconfig stands in for
// it: the same font Qt would have fallen back to, found without sorting every font.
#include "ui/installed_family.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

using tallyman::ui::InstalledFamily;

class InstalledFamilyTest : public QObject {
  Q_OBJECT

 private slots:
  void sameFontAsQtWouldFallBackTo_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"Arial", "Courier New", "Times New Roman", "Helvetica", "monospace", "Sans Serif", "No Such Family 42"})
      QTest::newRow(name) << QString::fromLatin1(name);
    QTest::newRow("an installed family") << QFontDatabase::families().value(0);
    QTest::newRow("in other letter case") << QFontDatabase::families().value(0).toUpper();
  }
  void sameFontAsQtWouldFallBackTo() {
    QFETCH(QString, name);
    const QString family = InstalledFamily(name);
    // fontconfig's rules end with the default families, so every name gets an installed one.
    QVERIFY2(QFontDatabase::families().contains(family, Qt::CaseInsensitive), qPrintable(family));
    if (QFontDatabase::families().contains(name, Qt::CaseInsensitive)) QCOMPARE(family, name);
    for (const bool bold : {false, true}) {
      QFont asked(name);
      QFont found(family);
      asked.setBold(bold);
      found.setBold(bold);
      QCOMPARE(QFontInfo(found).family(), QFontInfo(asked).family());
    }
  }

  void emptyNameStaysEmpty() { QCOMPARE(InstalledFamily(QString()), QString()); }
};

QTEST_MAIN(InstalledFamilyTest)
#include "installed_family_test.moc"
