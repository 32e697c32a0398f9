#pragma once
// A host without a window: it records every message, beep and clipboard text in the order they
// happened, and serves a clipboard text that the caller sets. The command line and the tests use it.
#include <string>
#include <vector>

#include "engine/core/host.h"

namespace tallyman {

class RecordingHost : public CalculatorHost {
 public:
  struct Event {
    enum class Kind { Message, Beep, Clipboard } kind;
    Text text;
  };

  void ShowMessage(const Text& text) override { m_events.push_back({Event::Kind::Message, text}); }
  void Beep() override { m_events.push_back({Event::Kind::Beep, Text()}); }
  void Pause(int) override {}
  std::optional<Text> GetText() override { return m_clipboard; }
  void SetText(const Text& text) override {
    m_clipboard = text;
    m_events.push_back({Event::Kind::Clipboard, text});
  }

  void SetClipboard(const Text& text) { m_clipboard = text; }
  const std::vector<Event>& Events() const { return m_events; }
  std::vector<Text> Messages() const {
    std::vector<Text> out;
    for (const Event& e : m_events)
      if (e.kind == Event::Kind::Message) out.push_back(e.text);
    return out;
  }
  long Beeps() const {
    long n = 0;
    for (const Event& e : m_events) n += e.kind == Event::Kind::Beep;
    return n;
  }

 private:
  std::vector<Event> m_events;
  std::optional<Text> m_clipboard;
};

}  // namespace tallyman
