#include "platform/portal/portal_hot_key.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <algorithm>

namespace tallyman::platform {
namespace {

using namespace portal;

const QString kShortcutId = QStringLiteral("toggle");

QDBusMessage VersionQuestion() {
  QDBusMessage question = QDBusMessage::createMethodCall(kService, kPath, kPropertiesInterface, QStringLiteral("Get"));
  question << QString::fromLatin1(kShortcutsInterface) << QStringLiteral("version");
  return question;
}

bool IsTimeout(const QDBusMessage& answer) {
  return answer.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
         answer.errorName() == QLatin1String("org.freedesktop.DBus.Error.Timeout");
}

// The program's shortcut in a list of the portal's, or nullptr.
const Shortcut* FindToggle(const ShortcutList& shortcuts) {
  const auto toggle = std::find_if(shortcuts.begin(), shortcuts.end(),
                                   [](const Shortcut& shortcut) { return shortcut.id == kShortcutId; });
  return toggle == shortcuts.end() ? nullptr : &*toggle;
}

QString TriggerDescription(const Shortcut& shortcut) {
  return shortcut.properties.value(QStringLiteral("trigger_description")).toString();
}

QString ObjectPathOf(const QVariant& value) {
  // The session handle is an object path, though most portals send it as a string.
  if (value.metaType() == QMetaType::fromType<QDBusObjectPath>()) return value.value<QDBusObjectPath>().path();
  return value.toString();
}

}  // namespace

PortalHotKey::PortalHotKey(const QDBusConnection& bus, QString description, int probeLimitMs)
    : m_bus(bus), m_description(std::move(description)) {
  RegisterTypes();
  if (m_bus.isConnected()) Probe(probeLimitMs);
}

PortalHotKey::~PortalHotKey() {
  Release();
}

void PortalHotKey::Probe(int limitMs) {
  // The interface's version property answers both questions: is a portal there, and does it offer
  // global shortcuts. Blocking, but never longer than the limit.
  const QDBusMessage answer = m_bus.call(VersionQuestion(), QDBus::Block, limitMs);
  if (answer.type() == QDBusMessage::ReplyMessage) {
    BecomeAvailable();
  } else if (IsTimeout(answer)) {
    ProbeLater();  // a portal the bus is still starting, or a hung one
  }
}

void PortalHotKey::ProbeLater() {
  m_probing = true;
  auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(VersionQuestion()), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answer) {
    answer->deleteLater();
    m_probing = false;
    if (answer->isError()) {
      m_key = HotKey::NoKey;  // a key chosen meanwhile cannot be had
      return;
    }
    BecomeAvailable();
    if (m_key != HotKey::NoKey) CreateSession();
    Changed();
  });
}

void PortalHotKey::BecomeAvailable() {
  m_available = true;
  m_bus.connect(kService, kPath, kShortcutsInterface, QStringLiteral("Activated"), this,
                SLOT(OnActivated(QDBusMessage)));
  m_bus.connect(kService, kPath, kShortcutsInterface, QStringLiteral("ShortcutsChanged"), this,
                SLOT(OnShortcutsChanged(QDBusMessage)));
}

bool PortalHotKey::Register(HotKey key) {
  if (TriggerForKey(key).isEmpty() || !(m_available || m_probing)) return false;
  // The same key again: keep the binding, or the request on its way, rather than ask the user anew.
  if (key == m_key && (m_bound || !m_request.isEmpty() || m_probing)) return true;
  Release();
  m_key = key;
  if (m_available) CreateSession();
  return true;
}

void PortalHotKey::Unregister() {
  Release();
  m_key = HotKey::NoKey;
}

QString PortalHotKey::BoundTrigger() const {
  if (!m_bound || NamesTrigger(m_trigger, TriggerForKey(m_key))) return {};
  return m_trigger;
}

ShortcutList PortalHotKey::ShortcutsToBind() const {
  return {
      {kShortcutId,
       {{QStringLiteral("description"), m_description}, {QStringLiteral("preferred_trigger"), TriggerForKey(m_key)}}}};
}

void PortalHotKey::CreateSession() {
  const QString token = NewToken();
  const QString sessionToken = SessionTokenForKey(m_key);
  // Where the session will be, so a key given up before the portal answered still closes it.
  m_session = SessionPath(m_bus, sessionToken);
  m_boundAtCreation = false;
  m_triggerAtCreation.clear();
  const QVariantMap options{{QStringLiteral("handle_token"), token},
                            {QStringLiteral("session_handle_token"), sessionToken},
                            {QStringLiteral("shortcuts"), QVariant::fromValue(ShortcutsToBind())}};
  Call(Step::kCreateSession, QStringLiteral("CreateSession"), {options}, token);
}

void PortalHotKey::BindShortcut() {
  const QString token = NewToken();
  const QVariantMap options{{QStringLiteral("handle_token"), token}};
  // No parent window: the portal places its dialog itself.
  Call(Step::kBind, QStringLiteral("BindShortcuts"),
       {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(ShortcutsToBind()), QString(), options},
       token);
}

void PortalHotKey::ListShortcuts() {
  const QString token = NewToken();
  const QVariantMap options{{QStringLiteral("handle_token"), token}};
  Call(Step::kList, QStringLiteral("ListShortcuts"), {QVariant::fromValue(QDBusObjectPath(m_session)), options}, token);
}

void PortalHotKey::Call(Step step, const QString& method, QVariantList arguments, const QString& token) {
  // Listen before asking, so an answer that comes at once is not missed.
  Follow(RequestPath(m_bus, token));
  m_step = step;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcutsInterface, method);
  call.setArguments(arguments);
  auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, expected = m_request](QDBusPendingCallWatcher* reply) {
            reply->deleteLater();
            if (m_request != expected) return;  // answered already, or given up for another key
            const QDBusPendingReply<QDBusObjectPath> handle = *reply;
            if (handle.isError()) {
              Fail();
            } else if (handle.value().path() != expected) {
              // Portals before version 0.9 chose the Request's path themselves.
              StopFollowing();
              Follow(handle.value().path());
            }
          });
}

void PortalHotKey::Follow(const QString& requestPath) {
  m_request = requestPath;
  m_bus.connect(kService, m_request, kRequestInterface, QStringLiteral("Response"), this,
                SLOT(OnResponse(QDBusMessage)));
}

void PortalHotKey::StopFollowing() {
  if (m_request.isEmpty()) return;
  m_bus.disconnect(kService, m_request, kRequestInterface, QStringLiteral("Response"), this,
                   SLOT(OnResponse(QDBusMessage)));
  m_request.clear();
}

void PortalHotKey::OnResponse(const QDBusMessage& message) {
  if (message.path() != m_request) return;
  const Step step = m_step;
  StopFollowing();
  m_step = Step::kNone;
  const QVariantList arguments = message.arguments();
  // 0 is success; 1 means the user cancelled, 2 any other end.
  if (message.signature() != QLatin1String("ua{sv}") || arguments.at(0).toUInt() != 0) {
    Fail();
    return;
  }
  const auto results = qdbus_cast<QVariantMap>(arguments.at(1));
  if (step == Step::kCreateSession) {
    const QString session = ObjectPathOf(results.value(QStringLiteral("session_handle")));
    if (!session.startsWith(QLatin1Char('/'))) {
      Fail();
      return;
    }
    m_session = session;
    const ShortcutList bound = ReadShortcuts(results.value(QStringLiteral("shortcuts")));
    if (const Shortcut* toggle = FindToggle(bound)) {
      m_boundAtCreation = true;
      m_triggerAtCreation = TriggerDescription(*toggle);
    }
    m_bus.connect(kService, m_session, kSessionInterface, QStringLiteral("Closed"), this,
                  SLOT(OnSessionClosed(QDBusMessage)));
    BindShortcut();
  } else if (step == Step::kBind || step == Step::kList) {
    TakeBinding(ReadShortcuts(results.value(QStringLiteral("shortcuts"))), step);
  }
}

void PortalHotKey::TakeBinding(const ShortcutList& shortcuts, Step step) {
  const Shortcut* toggle = FindToggle(shortcuts);
  QString trigger;
  if (toggle) {
    trigger = TriggerDescription(*toggle);
  } else if (m_boundAtCreation) {
    trigger = m_triggerAtCreation;  // bound with the session; this portal ignores BindShortcuts' list
  } else {
    Fail();  // the user declined the shortcut
    return;
  }
  // Some portals leave the trigger out of the binding's answer; their list of shortcuts has it.
  if (trigger.isEmpty() && step == Step::kBind) {
    ListShortcuts();
    return;
  }
  m_bound = true;
  m_trigger = trigger;
  Changed();
}

void PortalHotKey::OnActivated(const QDBusMessage& message) {
  const QVariantList arguments = message.arguments();
  if (!m_bound || arguments.size() < 2) return;
  if (arguments.at(0).value<QDBusObjectPath>().path() != m_session || arguments.at(1).toString() != kShortcutId) return;
  if (m_pressed) m_pressed();
}

void PortalHotKey::OnShortcutsChanged(const QDBusMessage& message) {
  const QVariantList arguments = message.arguments();
  if (!m_bound || arguments.size() < 2 || arguments.at(0).value<QDBusObjectPath>().path() != m_session) return;
  // The list may hold only the shortcuts that changed.
  for (const Shortcut& shortcut : ReadShortcuts(arguments.at(1))) {
    if (shortcut.id != kShortcutId) continue;
    const QString trigger = TriggerDescription(shortcut);
    // An empty description here means the user removed the key, not that the portal keeps it quiet.
    if (trigger == m_trigger && trigger.isEmpty() == m_unassigned) return;
    m_trigger = trigger;
    m_unassigned = trigger.isEmpty();
    Changed();
  }
}

void PortalHotKey::OnSessionClosed(const QDBusMessage& message) {
  if (message.path() != m_session) return;
  // The portal ended the session: the key is gone, and there is nothing left to close.
  m_bus.disconnect(kService, m_session, kSessionInterface, QStringLiteral("Closed"), this,
                   SLOT(OnSessionClosed(QDBusMessage)));
  m_session.clear();
  Fail();
}

void PortalHotKey::Release() {
  if (!m_request.isEmpty()) {
    // Ends a portal dialog still asking about the old key.
    m_bus.send(QDBusMessage::createMethodCall(kService, m_request, kRequestInterface, QStringLiteral("Close")));
    StopFollowing();
  }
  m_step = Step::kNone;
  if (!m_session.isEmpty()) {
    m_bus.disconnect(kService, m_session, kSessionInterface, QStringLiteral("Closed"), this,
                     SLOT(OnSessionClosed(QDBusMessage)));
    m_bus.send(QDBusMessage::createMethodCall(kService, m_session, kSessionInterface, QStringLiteral("Close")));
    m_session.clear();
  }
  m_bound = false;
  m_trigger.clear();
  m_unassigned = false;
  m_boundAtCreation = false;
  m_triggerAtCreation.clear();
}

void PortalHotKey::Fail() {
  Release();
  Changed();
}

void PortalHotKey::Changed() {
  if (m_changed) m_changed();
}

}  // namespace tallyman::platform
