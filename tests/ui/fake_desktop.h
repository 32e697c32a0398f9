#pragma once
// Desktop services for window tests: lock keys, a hot key and activation that only record what the
// program asked of them.
#include <QWindow>
#include <functional>
#include <map>
#include <optional>

#include "platform/desktop_services.h"

namespace tallyman::ui::test {

class FakeLockKeys : public platform::LockKeys {
 public:
  bool Available() const override { return true; }
  bool IsOn(platform::LockKey key) const override { return on.count(key) && on.at(key); }
  void Toggle(platform::LockKey key) override {
    on[key] = !IsOn(key);
    ++toggles;
    if (toggled) toggled();
  }
  std::map<platform::LockKey, bool> on;
  int toggles = 0;
  std::function<void()> toggled;
};

class FakeHotKey : public platform::GlobalHotKey {
 public:
  bool Available() const override { return true; }
  platform::Absence Reason() const override { return platform::Absence::kNone; }
  // Like a desktop portal, with answersLater: the request goes out, and Answer() binds the key or not.
  bool Register(HotKey key) override {
    ++registrations;
    asked = key;
    registered = key == taken || answersLater ? HotKey::NoKey : key;
    return answersLater || registered != HotKey::NoKey;
  }
  void Unregister() override { registered = HotKey::NoKey; }
  HotKey Registered() const override { return registered; }
  QString BoundTrigger() const override { return bound; }
  void SetPressedHandler(std::function<void()> handler) override { pressed = std::move(handler); }
  void SetStateChangedHandler(std::function<void()> handler) override { changed = std::move(handler); }
  void Press() const {
    if (registered != HotKey::NoKey && pressed) pressed();
  }
  void Answer(bool binds) {
    registered = binds ? asked : HotKey::NoKey;
    if (changed) changed();
  }
  HotKey registered = HotKey::NoKey;
  HotKey asked = HotKey::NoKey;
  int registrations = 0;
  HotKey taken = HotKey::NoKey;  // a key another program holds
  bool answersLater = false;
  QString bound;  // the trigger a portal's user bound instead
  std::function<void()> pressed;
  std::function<void()> changed;
};

class FakeActivation : public platform::WindowActivation {
 public:
  void BringToFront(QWindow* window) override {
    ++broughtToFront;
    if (window) window->requestActivate();
  }
  bool CanKeepAbove() const override { return true; }
  platform::Absence Reason() const override { return platform::Absence::kNone; }
  std::optional<std::uintptr_t> FocusedWindow() const override { return focused; }
  int broughtToFront = 0;
  std::optional<std::uintptr_t> focused;  // the window system's word on the focus, where it has one
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
