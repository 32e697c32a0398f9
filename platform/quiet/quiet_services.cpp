// Stand-ins for services a session lacks: they report themselves unavailable and do nothing, so the
// program runs on with the related menu items disabled.
#include <QWindow>

#include "platform/desktop_services.h"

namespace tallyman::platform {
namespace {

class QuietHotKey final : public GlobalHotKey {
 public:
  explicit QuietHotKey(Absence reason) : m_reason(reason) {}
  bool Available() const override { return false; }
  Absence Reason() const override { return m_reason; }
  bool Register(HotKey) override { return false; }
  void Unregister() override {}
  HotKey Registered() const override { return HotKey::NoKey; }
  void SetPressedHandler(std::function<void()>) override {}

 private:
  Absence m_reason;
};

class QuietLockKeys final : public LockKeys {
 public:
  bool Available() const override { return false; }
  bool IsOn(LockKey) const override { return false; }
  void Toggle(LockKey) override {}
};

// Qt's own raise and activation request: what every platform allows a program to ask for.
class QuietActivation final : public WindowActivation {
 public:
  explicit QuietActivation(Absence keepAbove) : m_keepAbove(keepAbove) {}
  void BringToFront(QWindow* window) override {
    if (!window) return;
    window->raise();
    window->requestActivate();
  }
  bool CanKeepAbove() const override { return m_keepAbove == Absence::kNone; }
  Absence Reason() const override { return m_keepAbove; }

 private:
  Absence m_keepAbove;
};

}  // namespace

std::unique_ptr<GlobalHotKey> MakeQuietHotKey(Absence reason) {
  return std::make_unique<QuietHotKey>(reason);
}
std::unique_ptr<LockKeys> MakeQuietLockKeys() {
  return std::make_unique<QuietLockKeys>();
}
std::unique_ptr<WindowActivation> MakeQuietActivation(Absence keepAbove) {
  return std::make_unique<QuietActivation>(keepAbove);
}

}  // namespace tallyman::platform
