#pragma once
// One key grabbed for the whole desktop, pressed without modifier keys, that reaches the program
// whichever window has the focus.
#include <QString>
#include <functional>

#include "engine/settings/hot_key.h"
#include "platform/absence.h"

namespace tallyman::platform {

class GlobalHotKey {
 public:
  virtual ~GlobalHotKey() = default;
  // False where the session offers no global keys at all; the hot-key menu is then disabled.
  virtual bool Available() const = 0;
  // Why it is unavailable, for the menu's tooltip.
  virtual Absence Reason() const = 0;
  // Grabs the key, releasing the one held before. False when it cannot be had: another program
  // owns it, the keyboard lacks it, the code names no key offered, or the service is unavailable.
  // Failing is quiet: the key simply does not work.
  virtual bool Register(HotKey key) = 0;
  virtual void Unregister() = 0;
  // The key held now, or NoKey.
  virtual HotKey Registered() const = 0;
  // The trigger the desktop really bound, when it may differ from the chosen key (a desktop
  // portal lets the user pick another); empty when it is the chosen key.
  virtual QString BoundTrigger() const { return {}; }
  // Called on the interface thread at every press of the registered key.
  virtual void SetPressedHandler(std::function<void()> handler) = 0;
  // Called on the interface thread when Available(), Registered() or BoundTrigger() changes after
  // the call that caused it returned: a desktop portal answers once the user has confirmed the key,
  // and may later be rebound by the user. Services that answer at once never call it.
  virtual void SetStateChangedHandler(std::function<void()> /*handler*/) {}
};

}  // namespace tallyman::platform
