#pragma once
// Reads the font configuration on a second thread while the application connects to the display:
// fontconfig parses dozens of configuration files and loads its caches (about 5 ms) before the
// first text can be measured, and the main thread would otherwise wait for it.
#include <thread>

namespace tallyman::ui {

class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  // Waits for the configuration: call before the first widget measures text, so the main thread
  // never reads it a second time.
  void Finish();
  ~FontConfigWarmUp() { Finish(); }

  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

 private:
  std::thread m_thread;
};

}  // namespace tallyman::ui
