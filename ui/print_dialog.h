#pragma once
// TFormPrn: the print dialog. The printers the system knows and, always last, a PDF file; the
// fonts the printer can use; the title; today's date or not; the number of copies (one for a file).
#include <QDialog>
#include <QFont>

#include "ui/dialog_style.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyman::ui {

class TFormPrn : public QDialog {
  Q_OBJECT

 public:
  // `printers` are the system's printer names, `current` the one chosen first (the PDF file
  // when it is not among them).
  TFormPrn(const QStringList& printers, const QString& current, const QFont& mainFont, const QString& title,
           DialogStyle style, QWidget* parent);

  bool PdfChosen() const;
  QString PrinterName() const;  // empty for the PDF file
  QString FontFamily() const;   // empty when no font is selected
  QString Title() const;
  bool PrintDate() const;
  int Copies() const;

  QComboBox* CbPrn() const { return m_cbPrn; }
  QComboBox* CbFnt() const { return m_cbFnt; }
  QComboBox* CbCop() const { return m_cbCop; }
  QLineEdit* Ed() const { return m_ed; }
  QCheckBox* ChDate() const { return m_chDate; }
  QPushButton* ButOk() const { return m_butOk; }
  QLabel* CopiesHint() const { return m_copiesHint; }

 private:
  void CbPrnChange();

  // The dialog's font, selected again whenever the font list is reloaded: by its name, or by the
  // family the name stands for (a fontconfig alias such as "Arial" is no family of its own).
  QString m_fontName;
  QString m_fontFamily;
  QComboBox* m_cbPrn = nullptr;
  QComboBox* m_cbFnt = nullptr;
  QLineEdit* m_ed = nullptr;
  QCheckBox* m_chDate = nullptr;
  QComboBox* m_cbCop = nullptr;
  QLabel* m_copiesHint = nullptr;  // shown while the PDF file is chosen
  QPushButton* m_butOk = nullptr;
  QPushButton* m_butCancel = nullptr;
};

}  // namespace tallyman::ui
