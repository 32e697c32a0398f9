#pragma once
// The variable names of a formula. The index of a name is the index of its value in the array
// that the evaluator receives; empty names are unnamed values.
#include <vector>

#include "engine/core/text.h"

namespace tallyman::formula {

class VariableList {
 public:
  void Assign(std::vector<Text> names) { m_names = std::move(names); }
  const std::vector<Text>& Names() const { return m_names; }

  // The value index of an identifier, or -1 when none can be given:
  // 1. the first name equal to it (ignoring letter case);
  // 2. else the first unnamed value, which from now on carries the identifier as its name;
  // 3. else the last value, unless the list is empty or ends with a constant ("pi" or "e").
  int Bind(TextView identifier);

 private:
  std::vector<Text> m_names;
};

}  // namespace tallyman::formula
