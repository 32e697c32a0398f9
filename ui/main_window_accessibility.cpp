// What the main window tells screen readers: the names of its controls and the meaning of the
// sign displays, which show a single character.
#include <QLabel>
#include <QLineEdit>

#include "engine/core/lang_pairs.h"
#include "engine/tape/spoken_rows.h"
#include "ui/accessibility.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/row_list_view.h"

namespace tallyman::ui {
namespace {

QString SignMeaning(wchar_t sign, bool english) {
  if (sign == L'=') return Lang(pairs::kSpokenClosed, english);
  const Text spoken = SpokenSign(sign, english);
  return spoken.empty() ? Lang(pairs::kSpokenNoOperation, english) : ToQString(spoken);
}

}  // namespace

void FormTallyman::NameControls() {
  const bool english = m_settings.english;
  SetAccessibleText(m_lb, pairs::kNameTape, english);
  SetAccessibleText(m_ed, pairs::kNameNumber, english, m_ed->accessibleDescription());
  m_lb->Relanguage();
  DescribeSigns();
}

void FormTallyman::DescribeSigns() {
  const bool english = m_settings.english;
  SetAccessibleText(m_s1, pairs::kNameOperation, english, SignMeaning(m_calc->S1(), english));
  SetAccessibleText(m_s2, pairs::kNameState, english, SignMeaning(m_calc->S2(), english));
  // After "=" the entry line holds the result: its description says so, which screen readers
  // announce without the focus moving.
  const QString closed = m_calc->S1() == L'='
                             ? Lang(pairs::kSpokenTotal, english) + QLatin1Char(' ') + ToQString(m_calc->Entry().text)
                             : QString();
  SetAccessibleText(m_ed, pairs::kNameNumber, english, closed);
}

}  // namespace tallyman::ui
