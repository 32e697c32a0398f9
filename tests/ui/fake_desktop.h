#pragma once
// Desktop services for window tests: lock keys, a hot key and activation that only record what the
// program asked of them.
#include <map>

#include "platform/desktop_services.h"

namespace tallyman::ui::test {

class FakeLockKeys : public platform::LockKeys {
 public:
  bool Available() const override { return true; }
  bool IsOn(platform::LockKey key) const override { return on.count(key) && on.at(key); }
  void Toggle(platform::LockKey key) override {
    on[key] = !IsOn(key);
    ++toggles;
  }
  std::map<platform::LockKey, bool> on;
  int toggles = 0;
};

class FakeHotKey : public platform::GlobalHotKey {
 public:
  bool Available() const override { return true; }
  platform::Absence Reason() const override { return platform::Absence::kNone; }
  bool Register(int virtualKey) override {
    registered = virtualKey == taken ? 0 : virtualKey;
    ++registrations;
    return registered != 0;
  }
  void Unregister() override { registered = 0; }
  int Registered() const override { return registered; }
  void SetPressedHandler(std::function<void()> handler) override { pressed = std::move(handler); }
  void Press() const {
    if (registered && pressed) pressed();
  }
  int registered = 0;
  int registrations = 0;
  int taken = 0;  // a key another program holds
  std::function<void()> pressed;
};

class FakeActivation : public platform::WindowActivation {
 public:
  void BringToFront(QWindow* window) override {
    ++broughtToFront;
    if (window) window->requestActivate();
  }
  bool CanKeepAbove() const override { return true; }
  platform::Absence Reason() const override { return platform::Absence::kNone; }
  int broughtToFront = 0;
};

// The fakes stay reachable through these pointers while the window owns them.
struct FakeDesktop {
  FakeLockKeys* lockKeys = nullptr;
  FakeHotKey* hotKey = nullptr;
  FakeActivation* activation = nullptr;

  platform::DesktopServices Make() {
    auto keys = std::make_unique<FakeLockKeys>();
    auto hot = std::make_unique<FakeHotKey>();
    auto front = std::make_unique<FakeActivation>();
    lockKeys = keys.get();
    hotKey = hot.get();
    activation = front.get();
    return {std::move(hot), std::move(keys), std::move(front)};
  }
};

}  // namespace tallyman::ui::test
