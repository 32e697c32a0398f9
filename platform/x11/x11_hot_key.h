#pragma once
// The global hot key on X11: a passive grab of the key on the root window, for every state of
// the lock modifiers, with presses read from Qt's own event stream.
#include <QAbstractNativeEventFilter>
#include <QObject>
#include <memory>
#include <vector>

#include "platform/global_hot_key.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_user_time.h"

namespace tallyman::platform {

class X11HotKey final : public GlobalHotKey, public QAbstractNativeEventFilter {
 public:
  X11HotKey(X11Display x11, std::shared_ptr<X11UserTime> pressTime);
  ~X11HotKey() override;
  X11HotKey(const X11HotKey&) = delete;
  X11HotKey& operator=(const X11HotKey&) = delete;

  bool Available() const override { return true; }
  Absence Reason() const override { return Absence::kNone; }
  bool Register(HotKey key) override;
  void Unregister() override;
  HotKey Registered() const override { return m_key; }
  void SetPressedHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  struct Grab {
    xcb_keycode_t keycode;
    uint16_t modifiers;
  };
  void Ungrab(const std::vector<Grab>& grabs);
  bool IsOurKey(xcb_keycode_t keycode) const;
  void OnPress(xcb_timestamp_t time);

  X11Display m_x11;
  std::shared_ptr<X11UserTime> m_pressTime;
  std::function<void()> m_handler;
  QObject m_context;  // queues the handler's calls and drops them once this object is gone
  HotKey m_key = HotKey::NoKey;
  std::vector<Grab> m_grabs;
  bool m_keyDown = false;             // until its release, further presses are auto-repeat
  xcb_timestamp_t m_lastRelease = 0;  // X's plain auto-repeat sends release and press at one time
};

}  // namespace tallyman::platform
