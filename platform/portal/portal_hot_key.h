#pragma once
// The global hot key of a Wayland session, through the desktop portal's GlobalShortcuts interface:
// a portal session holding one shortcut "toggle", bound with the chosen key as its preferred
// trigger. Nothing here waits for the user: binding may show a portal dialog, so Register only
// sends the request, and Registered() and BoundTrigger() follow the portal's answers, each change
// reported through the state-changed handler. Choosing another key closes the session and opens a
// new one. The shortcut goes out twice: with CreateSession (KDE before 6.1 binds only what that
// call brings) and with BindShortcuts (the interface's own way); a portal ignores what it does not
// know. A press is the Activated signal; Deactivated, the key's release, is not listened to.
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>

#include "platform/global_hot_key.h"
#include "platform/portal/portal_protocol.h"

class QDBusMessage;

namespace tallyman::platform {

class PortalHotKey final : public QObject, public GlobalHotKey {
  Q_OBJECT

 public:
  // Asks `bus` whether a portal with global shortcuts is there, waiting at most `probeLimitMs`, so a
  // hung portal cannot hold up the start; an answer that comes later still makes the key available.
  // `description` names the shortcut in the portal's dialogs.
  PortalHotKey(const QDBusConnection& bus, QString description, int probeLimitMs = 300);
  ~PortalHotKey() override;
  PortalHotKey(const PortalHotKey&) = delete;
  PortalHotKey& operator=(const PortalHotKey&) = delete;

  bool Available() const override { return m_available; }
  Absence Reason() const override { return m_available ? Absence::kNone : Absence::kNoPortal; }
  // True when the request went out (or waits for a portal that is slow to answer the first
  // question); the portal's answer decides whether the key is then held.
  bool Register(HotKey key) override;
  void Unregister() override;
  // The chosen key once the portal has bound it, or NoKey; NoKey too while the desktop's settings
  // leave the shortcut without a key.
  HotKey Registered() const override { return m_bound && !m_unassigned ? m_key : HotKey::NoKey; }
  // The portal's description of the bound trigger when it names another key than the chosen one.
  QString BoundTrigger() const override;
  void SetPressedHandler(std::function<void()> handler) override { m_pressed = std::move(handler); }
  void SetStateChangedHandler(std::function<void()> handler) override { m_changed = std::move(handler); }

 private slots:
  void OnResponse(const QDBusMessage& message);
  void OnActivated(const QDBusMessage& message);
  void OnShortcutsChanged(const QDBusMessage& message);
  void OnSessionClosed(const QDBusMessage& message);

 private:
  // The portal call whose Request is awaited.
  enum class Step { kNone, kCreateSession, kBind, kList };

  void Probe(int limitMs);
  void ProbeLater();
  void BecomeAvailable();
  void CreateSession();
  void BindShortcut();
  void ListShortcuts();
  void Call(Step step, const QString& method, QVariantList arguments, const QString& token);
  void Follow(const QString& requestPath);
  void StopFollowing();
  portal::ShortcutList ShortcutsToBind() const;
  void TakeBinding(const portal::ShortcutList& shortcuts, Step step);
  void Release();
  void Fail();
  void Changed();

  QDBusConnection m_bus;
  QString m_description;
  bool m_available = false;
  bool m_probing = false;        // the first question is still unanswered
  HotKey m_key = HotKey::NoKey;  // the chosen key, bound or not yet
  bool m_bound = false;
  QString m_trigger;          // the portal's trigger_description of the bound shortcut
  bool m_unassigned = false;  // the desktop's settings took the key away; the session stays open
  // What CreateSession's answer said was bound, for a BindShortcuts that answers with nothing.
  bool m_boundAtCreation = false;
  QString m_triggerAtCreation;
  QString m_session;  // the session handle, once the portal created it
  QString m_request;  // the Request object awaited, empty when none
  Step m_step = Step::kNone;
  std::function<void()> m_pressed;
  std::function<void()> m_changed;
};

}  // namespace tallyman::platform
