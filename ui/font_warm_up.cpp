#include "ui/font_warm_up.h"

#include <dlfcn.h>

#include <system_error>

namespace tallyman::ui {

FontConfigWarmUp::FontConfigWarmUp() {
  // Qt's own fontconfig, already loaded with the GUI library; where there is none, nothing to do.
  using Init = int (*)();
  const auto init = reinterpret_cast<Init>(::dlsym(RTLD_DEFAULT, "FcInit"));
  if (!init) return;
  try {
    m_thread = std::thread([init] { init(); });  // fontconfig makes its configuration thread-safely
  } catch (const std::system_error&) {
    // No thread to be had: Qt reads the configuration itself, as always.
  }
}

void FontConfigWarmUp::Finish() {
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace tallyman::ui
