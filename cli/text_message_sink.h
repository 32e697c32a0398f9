#pragma once
// Messages of the text tools' commands: printed as they come, remembered so that the command can
// exit with 1 (refused input).
#include <ostream>

#include "cli/printable.h"
#include "engine/core/host.h"

namespace tallyman::cli {

class PrintingSink : public MessageSink {
 public:
  explicit PrintingSink(std::ostream& out) : m_out(out) {}
  void ShowMessage(const Text& text) override {
    m_out << Printable(text) << '\n';
    m_shown = true;
  }
  bool Shown() const { return m_shown; }

 private:
  std::ostream& m_out;
  bool m_shown = false;
};

}  // namespace tallyman::cli
