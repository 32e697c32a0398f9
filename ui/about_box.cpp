#include "ui/about_box.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "build_info/version.h"
#include "engine/core/lang_pairs.h"
#include "ui/centre_on_screen.h"
#include "ui/installed_family.h"
#include "ui/program_icon.h"
#include "ui/qt_text.h"
#include "ui/readable_colour.h"
#include "ui/row_dialog.h"
#include "ui/url_label.h"

namespace tallyman::ui {
namespace {

QLabel* MakeNameLabel(QWidget* parent) {
  auto* name = new QLabel(AboutNameText(), parent);
  name->setObjectName(QStringLiteral("Name"));
  KeepReadableText(name, QColor(0, 0, 128));  // navy
  name->setAlignment(Qt::AlignCenter);
  return name;
}

// Image1: the program's picture, opening the author's other web site.
QToolButton* MakePicture(QWidget* parent, const UrlOpener& openUrl) {
  auto* picture = new QToolButton(parent);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setIcon(ProgramIcon());
  picture->setIconSize(QSize(32, 32));
  picture->setAutoRaise(true);
  picture->setCursor(Qt::PointingHandCursor);
  picture->setToolTip(QString::fromLatin1(kAuthorOtherSite));
  QObject::connect(picture, &QToolButton::clicked, picture,
                   [openUrl] { openUrl(QUrl(QString::fromLatin1(kAuthorOtherSite))); });
  return picture;
}

}  // namespace

QString AboutNameText() {
  return QApplication::applicationName() + QLatin1Char(' ') + QLatin1String(kVersionText);
}

// PanName covers the row's controls: the e-mail link along its top, the picture and the name in
// the middle, the web site along its bottom. Only the close button stays below it.
void TFormRow::SetupAbout(const UrlOpener& openUrl) {
  setWindowTitle(Lang(pairs::kFreeware, m_english) + QLatin1Char('!'));
  m_butChange->setDefault(false);
  m_butChange->hide();
  m_lab->hide();
  m_edOp->hide();
  m_butCancel->setText(Lang(pairs::kClose, m_english));

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("PanName"));
  // The name and the links share the panel's font.
  QFont bold(InstalledFamily(QStringLiteral("Arial")));
  bold.setPixelSize(13);
  bold.setBold(true);
  panel->setFont(bold);
  auto* column = new QVBoxLayout(panel);
  auto* mail = new TUrllabel(QString::fromLatin1(kAuthorMail), openUrl, panel);
  column->addWidget(mail);
  auto* middle = new QHBoxLayout;
  QToolButton* picture = MakePicture(panel, openUrl);
  middle->addWidget(picture);
  middle->addWidget(MakeNameLabel(panel), 1);
  column->addLayout(middle);
  auto* site = new TUrllabel(QString::fromLatin1(kAuthorSite), openUrl, panel);
  column->addWidget(site);
  // Tab goes down the box as it reads: the e-mail link, the picture, the web site, Close.
  QWidget::setTabOrder(mail, picture);
  QWidget::setTabOrder(picture, site);
  QWidget::setTabOrder(site, m_butCancel);
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, panel, 1);
  m_butCancel->setFocus();
}

void ShowAboutBox(QWidget* parent, const NumberText& numbers, DialogStyle style, const UrlOpener& openUrl) {
  TFormRow box(numbers, style, parent);
  box.SetupAbout(openUrl);
  CentreOnScreen(&box, parent);
  box.exec();
}

}  // namespace tallyman::ui
