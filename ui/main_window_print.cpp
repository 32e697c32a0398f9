// Printing the tape and the results list from the main window.
#include <QDate>
#include <QLineEdit>

#include "engine/text/date_time.h"
#include "ui/main_window.h"
#include "ui/print_rows.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"

namespace tallyman::ui {

void FormTallyman::PrintRows(const std::vector<Text>& rows, bool fromResults) {
  if (rows.empty()) return;
  PrintOptions options;
  options.mainFont = font();
  options.style = Style();
  const QDate today = QDate::currentDate();
  if (const std::optional<DateTime> date = EncodeDate(today.year(), today.month(), today.day())) {
    options.today = FormatShortDate(*date, m_locale);
  }
  // The results list prints with its total, the tape with the entry line's text.
  const QString total = fromResults ? ToQString(m_calc->ResultsList().Total()) : m_ed->text();
  // The rows are copied: a repaint while the dialog is open must not see them change underneath.
  const std::vector<Text> printed = rows;
  // The dialogs belong to the window that prints, and the focus goes back there afterwards.
  QWidget* printing = fromResults && m_res ? static_cast<QWidget*>(m_res) : this;
  ui::PrintRows(m_ui, printing, printed, total, options, m_settings.printTitle);
}

}  // namespace tallyman::ui
