#pragma once
// The row dialog: the operand and sign of a tape row, edited or inserted before the selected row.
// Only digits and one decimal separator can be typed; a sign key sets the sign instead.
#include <QDialog>
#include <functional>

#include "engine/core/number_text.h"
#include "ui/dialog_style.h"
#include "ui/secondary_window.h"
#include "ui/url_label.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyman::ui {

class TFormRow : public QDialog, public SecondaryWindow {
  Q_OBJECT

 public:
  TFormRow(const NumberText& numbers, DialogStyle style, QWidget* parent);

  // showSign: the sign label is shown (inserting, or editing a row after the first).
  // row is 1-based; the caption tells editing (operand given) from inserting.
  void SetupRowEditing(bool showSign, wchar_t sign, const QString& operand, long row, long count);
  // About mode: the panel PanName with the name, version and links covers the row's controls.
  void SetupAbout(const UrlOpener& openUrl);

  // OK asks `confirm` with the sign and the operand text; the dialog closes when it agrees (it
  // says why not itself). Without one, OK closes the dialog.
  void SetConfirm(std::function<bool(wchar_t sign, const QString& operand)> confirm) { m_confirm = std::move(confirm); }

  CloseRank ClosingRank() const override { return CloseRank::RowDialog; }
  // Its operand is a number like the entry line's, and its lock keys act as in the main window.
  bool HoldsLockKeys() const override { return true; }

  wchar_t Sign() const;
  QString OperandText() const;
  QLabel* Lab() const { return m_lab; }
  QLineEdit* EdOp() const { return m_edOp; }
  QPushButton* ButChange() const { return m_butChange; }
  QPushButton* ButCancel() const { return m_butCancel; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ButChangeClick();
  void OperandChanged();
  bool OperandKey(QKeyEvent* event);
  void PasteSelection();

  const NumberText& m_numbers;
  bool m_english;
  QLabel* m_lab = nullptr;
  QLineEdit* m_edOp = nullptr;
  QPushButton* m_butChange = nullptr;
  QPushButton* m_butCancel = nullptr;
  bool m_cleaning = false;
  std::function<bool(wchar_t, const QString&)> m_confirm;
};

}  // namespace tallyman::ui
