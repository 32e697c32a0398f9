#include "ui/precision_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "engine/core/lang_pairs.h"
#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

// Pi rounded to 64 significant bits.
constexpr Number kPi = 3.14159265358979323846264338327950288L;

QComboBox* MakeDecimalsBox(QWidget* parent, const char* name, int selected) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  for (int i = 0; i <= kMaxDecimals; ++i) box->addItem(QString::number(i));
  box->setCurrentIndex(selected);
  return box;
}

}  // namespace

TFormPrec::TFormPrec(const NumberText& numbers, int digits, int resOut, DialogStyle style, QWidget* parent)
    : QDialog(parent), m_numbers(numbers) {
  const bool english = style.English();
  setObjectName(QStringLiteral("TFormPrec"));
  setWindowTitle(Lang(pairs::kMenuPrecision, english).remove(QLatin1Char('&')));
  setWindowFlag(Qt::WindowStaysOnTopHint, style.onTop);
  setFont(QApplication::font("QDialog"));
  if (digits >= 19) digits = 8;
  if (resOut >= 19) resOut = 2;
  digits = std::max(digits, 0);
  resOut = std::max(resOut, 0);

  auto* grid = new QGridLayout(this);
  auto* labCalc = new QLabel(Lang(pairs::kCalculations, english), this);
  labCalc->setObjectName(QStringLiteral("LabCalc"));
  auto* labRes = new QLabel(Lang(pairs::kResult, english), this);
  labRes->setObjectName(QStringLiteral("LabRes"));
  m_cbPrec = MakeDecimalsBox(this, "CbPrec", digits);
  m_cbRes = MakeDecimalsBox(this, "CbRes", resOut);
  m_labC = new QLabel(this);
  m_labC->setObjectName(QStringLiteral("LabC"));
  m_labC->setToolTip(QStringLiteral("2 * Pi"));
  m_labR = new QLabel(this);
  m_labR->setObjectName(QStringLiteral("LabR"));
  labCalc->setBuddy(m_cbPrec);  // screen readers name the boxes by their labels
  labRes->setBuddy(m_cbRes);
  grid->addWidget(labCalc, 0, 0);
  grid->addWidget(m_cbPrec, 0, 1);
  grid->addWidget(labRes, 1, 0);
  grid->addWidget(m_cbRes, 1, 1);
  grid->addWidget(m_labC, 2, 0, 1, 2);
  grid->addWidget(m_labR, 3, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ButOk"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(Lang(pairs::kCancel, english), this);
  cancel->setObjectName(QStringLiteral("ButCancel"));
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 4, 0, 1, 2);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_cbPrec, &QComboBox::currentIndexChanged, this, &TFormPrec::Preview);
  connect(m_cbRes, &QComboBox::currentIndexChanged, this, &TFormPrec::Preview);
  Preview();
}

int TFormPrec::Digits() const {
  return m_cbPrec->currentIndex();
}
int TFormPrec::ResOut() const {
  return m_cbRes->currentIndex();
}

void TFormPrec::Preview() {
  m_labC->setText(QStringLiteral("2*") + ToQString(m_numbers.Format(kPi, Digits()).value_or(Text())));
  m_labR->setText(QStringLiteral("= ") + ToQString(m_numbers.Format(2 * kPi, ResOut()).value_or(Text())));
}

}  // namespace tallyman::ui
