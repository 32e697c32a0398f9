#include "engine/formula/variable_list.h"

#include "engine/core/letter_case.h"

namespace tallyman::formula {

int VariableList::Bind(TextView identifier) {
  for (size_t i = 0; i < m_names.size(); ++i) {
    if (EqualIgnoringCase(m_names[i], identifier)) return static_cast<int>(i);
  }
  for (size_t i = 0; i < m_names.size(); ++i) {
    if (m_names[i].empty()) {
      m_names[i] = Text(identifier);
      return static_cast<int>(i);
    }
  }
  if (m_names.empty()) return -1;
  const Text& last = m_names.back();
  if (EqualIgnoringCase(last, L"pi") || EqualIgnoringCase(last, L"e")) return -1;
  return static_cast<int>(m_names.size() - 1);
}

}  // namespace tallyman::formula
