#pragma once
// A stack that keeps its first N entries inline and spills to the heap only beyond them: the
// walks over formula trees need one per call, and most formulas are shallow.
#include <array>
#include <cstddef>
#include <vector>

namespace tallyman::formula {

template <typename T, size_t N>
class SmallStack {
 public:
  bool empty() const { return m_size == 0; }
  T& back() { return m_size <= N ? m_inline[m_size - 1] : m_spill[m_size - N - 1]; }
  void push_back(T value) {
    if (m_size < N) {
      m_inline[m_size] = std::move(value);
    } else {
      m_spill.push_back(std::move(value));
    }
    ++m_size;
  }
  void pop_back() {
    if (m_size > N) m_spill.pop_back();
    --m_size;
  }

 private:
  std::array<T, N> m_inline{};
  std::vector<T> m_spill;
  size_t m_size = 0;
};

}  // namespace tallyman::formula
