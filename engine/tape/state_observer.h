#pragma once
// The calculator's state beside its two lists: the entry line, the sign displays, the results total,
// the results entry of the current calculation and the memory slots. An observer hears once at the end of every
// operation that changed any of them, with what changed, so a window repaints from the notice
// instead of reading the state back after each call.

namespace tallyman {

struct StateChange {
  bool entry = false;        // the entry line's text
  bool selection = false;    // the entry line's selection or caret
  bool signs = false;        // S1 or S2
  bool total = false;        // the results total
  bool resultIndex = false;  // the results entry the calculation on the tape is recorded into
  bool memory = false;       // a memory slot's value, sign or name
  bool Any() const { return entry || selection || signs || total || resultIndex || memory; }
};

class StateObserver {
 public:
  virtual ~StateObserver() = default;
  virtual void StateChanged(const StateChange& change) = 0;
};

}  // namespace tallyman
