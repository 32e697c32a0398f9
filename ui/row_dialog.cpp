#include "ui/row_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/core/lang_pairs.h"
#include "engine/tape/entry_keys.h"
#include "engine/tape/spoken_rows.h"
#include "ui/accessibility.h"
#include "ui/key_modifiers.h"
#include "ui/message_dialogs.h"
#include "ui/qt_text.h"
#include "ui/sign_display.h"
#include "ui/window_places.h"

namespace tallyman::ui {

TFormRow::TFormRow(const NumberText& numbers, DialogStyle style, QWidget* parent)
    : QDialog(parent), m_numbers(numbers), m_english(style.English()) {
  const bool english = m_english;
  setObjectName(QStringLiteral("TFormRow"));
  setWindowFlag(Qt::WindowStaysOnTopHint, style.onTop);
  if (parent) setFont(parent->font());

  auto* outer = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  m_lab = new QLabel(QStringLiteral("+"), this);
  m_lab->setObjectName(QStringLiteral("Lab"));
  StyleSignDisplay(m_lab);
  m_lab->setFixedWidth(QFontMetrics(m_lab->font()).horizontalAdvance(QLatin1Char('W')) + 6);
  row->addWidget(m_lab);
  m_edOp = new QLineEdit(this);
  m_edOp->setObjectName(QStringLiteral("EdOp"));
  m_edOp->setMinimumWidth(180);
  row->addWidget(m_edOp, 1);
  SetAccessibleText(m_edOp, pairs::kNameNumber, english);
  outer->addLayout(row);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  m_butChange = new QPushButton(QStringLiteral("Ok"), this);
  m_butChange->setObjectName(QStringLiteral("ButChange"));
  m_butChange->setDefault(true);
  m_butCancel = new QPushButton(Lang(pairs::kCancel, english), this);
  m_butCancel->setObjectName(QStringLiteral("ButCancel"));
  m_butCancel->setAutoDefault(true);  // Enter answers the focused button
  buttons->addWidget(m_butChange);
  buttons->addWidget(m_butCancel);
  outer->addLayout(buttons);

  m_edOp->installEventFilter(this);
  m_edOp->setAcceptDrops(false);  // dropped text would pass by the operand's keys
  connect(m_butChange, &QPushButton::clicked, this, &TFormRow::ButChangeClick);
  connect(m_butCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_edOp, &QLineEdit::textChanged, this, &TFormRow::OperandChanged);
}

void TFormRow::SetupRowEditing(bool showSign, wchar_t sign, const QString& operand, long row, long count) {
  m_lab->setVisible(showSign);
  m_lab->setText(QString(QChar(static_cast<char16_t>(sign))));
  SetAccessibleText(m_lab, pairs::kNameSign, m_english, ToQString(SpokenSign(sign, m_english)));
  m_edOp->setText(operand);
  m_edOp->selectAll();
  m_edOp->setFocus();
  const QString kind = Lang(operand.isEmpty() ? pairs::kInsertBefore : pairs::kChange, m_english);
  setWindowTitle(kind + Lang(pairs::kLineOf, m_english) + QString::number(row) + QLatin1Char('/') +
                 QString::number(count));
  setMinimumWidth(TitleWidth(windowTitle(), this));
}

wchar_t TFormRow::Sign() const {
  const QString text = m_lab->text();
  return text.isEmpty() ? L'+' : static_cast<wchar_t>(text.at(0).unicode());
}

QString TFormRow::OperandText() const {
  return m_edOp->text();
}

void TFormRow::ButChangeClick() {
  if (!m_confirm || m_confirm(Sign(), m_edOp->text())) {
    accept();
    return;
  }
  m_edOp->setFocus();
}

// Whatever reaches the text is cleaned: not a number empties it, grouping and "." go.
void TFormRow::OperandChanged() {
  if (m_cleaning) return;
  m_cleaning = true;
  const QString text = m_edOp->text();
  if (!text.isEmpty()) {
    const Text cleaned = m_numbers.CleanNumber(FromQString(text));
    if (!m_numbers.ReadFloat(cleaned)) {
      m_edOp->clear();
    } else if (ToQString(cleaned) != text) {
      m_edOp->setText(ToQString(cleaned));
      m_edOp->end(false);
    }
  }
  m_cleaning = false;
}

bool TFormRow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_edOp && event->type() == QEvent::KeyPress) return OperandKey(static_cast<QKeyEvent*>(event));
  if (watched == m_edOp && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
    if (event->type() == QEvent::MouseButtonRelease) PasteSelection();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// A middle click takes the selection only when it is a number: other text would empty the operand.
void TFormRow::PasteSelection() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard->supportsSelection()) return;
  const Text cleaned = m_numbers.CleanNumber(FromQString(clipboard->text(QClipboard::Selection)));
  if (m_numbers.ReadFloat(cleaned)) m_edOp->insert(ToQString(cleaned));
}

bool TFormRow::OperandKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  if (event->key() == Qt::Key_F9 && modifiers == Qt::NoModifier) {
    const QString text = m_edOp->text();
    if (!text.isEmpty()) m_edOp->setText(ToQString(ToggledSign(FromQString(text))));
    return true;
  }
  if (modifiers == Qt::ControlModifier && (event->key() == Qt::Key_C || event->key() == Qt::Key_Insert)) {
    QGuiApplication::clipboard()->setText(ToQString(m_numbers.CleanNumber(FromQString(m_edOp->text()))));
    return true;
  }
  if (modifiers & Qt::ControlModifier) return false;
  // Alt with a character is a mnemonic that matched nothing: the edit would type it.
  if (modifiers & Qt::AltModifier) return !event->text().isEmpty() && event->text().at(0).isPrint();
  const QString text = event->text();
  if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) return false;
  const wchar_t c = static_cast<wchar_t>(text.at(0).unicode());
  const wchar_t separator = m_numbers.DecimalSeparator();
  switch (ClassifyOperandKey(c, separator)) {
    case OperandKey::kSign:
      m_lab->setText(text.left(1));
      SetAccessibleText(m_lab, pairs::kNameSign, m_english, ToQString(SpokenSign(c, m_english)));
      return true;
    case OperandKey::kSeparator: {
      const SeparatorKey action = OperandSeparator(FromQString(m_edOp->text()), m_edOp->hasSelectedText(), separator);
      if (action == SeparatorKey::kDiscard) return true;
      if (action == SeparatorKey::kEmptyFirst) m_edOp->clear();
      m_edOp->insert(QChar(static_cast<char16_t>(separator)));
      return true;
    }
    case OperandKey::kDigit:
      return false;
    case OperandKey::kDiscarded:
      return true;
  }
  return true;
}

}  // namespace tallyman::ui
