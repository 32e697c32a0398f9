// The state notice: a snapshot taken when an operation starts and compared when it ends.
#include <algorithm>

#include "engine/tape/calculator.h"

namespace tallyman {

void Calculator::AddStateObserver(StateObserver* observer) {
  m_stateObservers.push_back(observer);
}

void Calculator::RemoveStateObserver(StateObserver* observer) {
  std::erase(m_stateObservers, observer);
}

Calculator::Notice::Notice(Calculator& calculator) : m_calc(calculator), m_outermost(calculator.m_noticeDepth++ == 0) {
  if (!m_outermost || m_calc.m_stateObservers.empty()) return;
  m_entry = m_calc.m_entry;
  m_s1 = m_calc.m_s1;
  m_s2 = m_calc.m_s2;
  m_total = m_calc.m_results.Total();
  m_resultIndex = m_calc.m_resultIndex;
  m_memory = m_calc.m_memory;
}

Calculator::Notice::~Notice() {
  --m_calc.m_noticeDepth;
  if (!m_outermost || m_calc.m_stateObservers.empty()) return;
  const EntryLine& entry = m_calc.m_entry;
  StateChange change;
  change.entry = entry.text != m_entry.text;
  change.selection = entry.selectionStart != m_entry.selectionStart || entry.selectionLength != m_entry.selectionLength;
  change.signs = m_calc.m_s1 != m_s1 || m_calc.m_s2 != m_s2;
  change.total = m_calc.m_results.Total() != m_total;
  change.resultIndex = m_calc.m_resultIndex != m_resultIndex;
  change.memory = m_calc.m_memory != m_memory;
  if (!change.Any()) return;
  // An observer may remove itself while it hears the notice.
  const std::vector<StateObserver*> observers = m_calc.m_stateObservers;
  for (StateObserver* observer : observers) observer->StateChanged(change);
}

}  // namespace tallyman
