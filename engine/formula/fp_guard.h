#pragma once
// Floating-point state around an evaluation: exceptions masked, rounding to nearest, flags
// cleared; the caller's state comes back when the guard ends.
#include <cfenv>

namespace tallyman::formula {

class FloatingPointGuard {
 public:
  FloatingPointGuard() {
    std::feholdexcept(&m_saved);
    std::fesetround(FE_TONEAREST);
  }
  ~FloatingPointGuard() { std::fesetenv(&m_saved); }
  FloatingPointGuard(const FloatingPointGuard&) = delete;
  FloatingPointGuard& operator=(const FloatingPointGuard&) = delete;

  // An invalid operation, a division by zero or an overflow since the guard began.
  static bool Failed() { return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0; }

 private:
  std::fenv_t m_saved;
};

}  // namespace tallyman::formula
