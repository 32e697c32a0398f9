#pragma once
// Shared by the text tools' tests: a message sink that remembers what it was asked to show.
#include <vector>

#include "engine/core/host.h"

namespace tallyman::testing_text {

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(const Text& text) override { messages.push_back(text); }
  std::vector<Text> messages;
};

}  // namespace tallyman::testing_text
