#include "ui/print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/core/lang_pairs.h"
#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

// The label names its field for screen readers.
QLabel* MakeLabel(const char* name, const wchar_t* pair, bool english, QWidget* field) {
  auto* label = new QLabel(Lang(pair, english), field->parentWidget());
  label->setObjectName(QLatin1String(name));
  label->setBuddy(field);
  return label;
}

}  // namespace

TFormPrn::TFormPrn(const QStringList& printers, const QString& current, const QFont& mainFont, const QString& title,
                   DialogStyle style, QWidget* parent)
    : QDialog(parent) {
  const bool english = style.English();
  setObjectName(QStringLiteral("TFormPrn"));
  setWindowTitle(Lang(pairs::kPrintCalculations, english));
  setWindowFlag(Qt::WindowStaysOnTopHint, style.onTop);
  QFont plain = mainFont;
  plain.setBold(false);
  setFont(plain);
  m_fontName = plain.family();
  m_fontFamily = QFontInfo(plain).family();

  m_cbPrn = new QComboBox(this);
  m_cbPrn->setObjectName(QStringLiteral("CbPrn"));
  m_cbPrn->addItems(printers);
  m_cbPrn->addItem(Lang(pairs::kPdfFile, english));
  const int currentIndex = static_cast<int>(printers.indexOf(current));
  m_cbPrn->setCurrentIndex(currentIndex >= 0 ? currentIndex : m_cbPrn->count() - 1);
  m_cbFnt = new QComboBox(this);
  m_cbFnt->setObjectName(QStringLiteral("CbFnt"));
  m_ed = new QLineEdit(title, this);
  m_ed->setObjectName(QStringLiteral("Ed"));
  m_chDate = new QCheckBox(Lang(pairs::kCurrentDate, english), this);
  m_chDate->setObjectName(QStringLiteral("ChDate"));
  m_cbCop = new QComboBox(this);
  m_cbCop->setObjectName(QStringLiteral("CbCop"));
  for (int copies = 1; copies <= 5; ++copies) m_cbCop->addItem(QString::number(copies));
  m_cbCop->setCurrentIndex(0);
  m_copiesHint = new QLabel(Lang(pairs::kFileHoldsOneCopy, english), this);
  m_copiesHint->setObjectName(QStringLiteral("LabCopiesHint"));
  m_cbCop->setToolTip(m_copiesHint->text());

  auto* form = new QFormLayout;
  form->addRow(MakeLabel("LabPrinters", pairs::kPrinters, english, m_cbPrn), m_cbPrn);
  form->addRow(MakeLabel("LabFonts", pairs::kFonts, english, m_cbFnt), m_cbFnt);
  form->addRow(MakeLabel("LabTitle", pairs::kTitle, english, m_ed), m_ed);
  auto* copies = new QHBoxLayout;
  copies->addWidget(m_cbCop);
  copies->addWidget(m_copiesHint, 1);
  form->addRow(MakeLabel("LabCopies", pairs::kCopies, english, m_cbCop), copies);
  form->addRow(m_chDate);

  m_butOk = new QPushButton(Lang(pairs::kToPrint, english), this);
  m_butOk->setObjectName(QStringLiteral("ButOk"));
  m_butOk->setDefault(true);
  m_butCancel = new QPushButton(Lang(pairs::kCancel, english), this);
  m_butCancel->setObjectName(QStringLiteral("ButCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_butOk);
  buttons->addWidget(m_butCancel);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(form);
  outer->addLayout(buttons);

  connect(m_butOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_butCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_cbPrn, &QComboBox::currentIndexChanged, this, &TFormPrn::CbPrnChange);
  CbPrnChange();
  // Tab follows the layout: top to bottom, left to right.
  QWidget* const order[] = {m_cbPrn, m_cbFnt, m_ed, m_cbCop, m_chDate, m_butOk, m_butCancel};
  for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  m_ed->setFocus();
}

// Printers on this desktop print through the system's fonts, the same for every printer and for
// the PDF file; the list is still reloaded so the dialog's font is selected again.
void TFormPrn::CbPrnChange() {
  m_cbFnt->clear();
  m_cbFnt->addItems(QFontDatabase::families());
  int font = m_cbFnt->findText(m_fontName, Qt::MatchFixedString);
  if (font < 0) font = m_cbFnt->findText(m_fontFamily, Qt::MatchFixedString);
  m_cbFnt->setCurrentIndex(font);
  // A file holds one copy: the number is not offered where it would be ignored.
  const bool pdf = PdfChosen();
  if (pdf) m_cbCop->setCurrentIndex(0);
  m_cbCop->setEnabled(!pdf);
  m_copiesHint->setVisible(pdf);
}

bool TFormPrn::PdfChosen() const {
  return m_cbPrn->currentIndex() == m_cbPrn->count() - 1;
}
QString TFormPrn::PrinterName() const {
  return PdfChosen() ? QString() : m_cbPrn->currentText();
}
QString TFormPrn::FontFamily() const {
  return m_cbFnt->currentIndex() >= 0 ? m_cbFnt->currentText() : QString();
}
QString TFormPrn::Title() const {
  return m_ed->text();
}
bool TFormPrn::PrintDate() const {
  return m_chDate->isChecked();
}
int TFormPrn::Copies() const {
  return m_cbCop->currentIndex() + 1;
}

}  // namespace tallyman::ui
