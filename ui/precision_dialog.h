#pragma once
// The precision dialog: decimals of calculations and of results, with a live preview of 2 x pi.
#include <QDialog>

#include "engine/core/number_text.h"
#include "ui/dialog_style.h"
#include "ui/secondary_window.h"

class QComboBox;
class QLabel;

namespace tallyman::ui {

class TFormPrec : public QDialog, public SecondaryWindow {
  Q_OBJECT

 public:
  // Values of 19 and more become the defaults 8 and 2; negative values become 0.
  TFormPrec(const NumberText& numbers, int digits, int resOut, DialogStyle style, QWidget* parent);

  CloseRank ClosingRank() const override { return CloseRank::Precision; }
  int Digits() const;
  int ResOut() const;
  QComboBox* CbPrec() const { return m_cbPrec; }
  QComboBox* CbRes() const { return m_cbRes; }
  QLabel* LabC() const { return m_labC; }
  QLabel* LabR() const { return m_labR; }

 private:
  void Preview();

  const NumberText& m_numbers;
  QComboBox* m_cbPrec = nullptr;
  QComboBox* m_cbRes = nullptr;
  QLabel* m_labC = nullptr;
  QLabel* m_labR = nullptr;
};

}  // namespace tallyman::ui
