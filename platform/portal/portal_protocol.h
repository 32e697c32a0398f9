#pragma once
// The wire side of the desktop portal's global shortcuts: its names, where a call's Request object
// lives, and the shortcut lists a(sa{sv}) that go out with BindShortcuts and come back in answers.
#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include "engine/settings/hot_key.h"

class QDBusConnection;

namespace tallyman::platform::portal {

inline constexpr char kService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kShortcutsInterface[] = "org.freedesktop.portal.GlobalShortcuts";
inline constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";
inline constexpr char kSessionInterface[] = "org.freedesktop.portal.Session";
inline constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";

// One entry of a shortcut list: its id and its vardict ("description" and "preferred_trigger" going
// out; "description" and "trigger_description" coming back).
struct Shortcut {
  QString id;
  QVariantMap properties;
};
using ShortcutList = QList<Shortcut>;

QDBusArgument& operator<<(QDBusArgument& argument, const Shortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, Shortcut& shortcut);

// Makes the shortcut list known to QtDBus, so it can be sent; safe to call more than once.
void RegisterTypes();

// The trigger, in the key names of the freedesktop shortcuts format, for a hot key: "Pause",
// "Scroll_Lock", "Print", "Num_Lock"; empty for NoKey or a code that names no key offered.
QString TriggerForKey(HotKey key);

// Whether a trigger description the portal reports names `trigger` itself, in the key names' own
// spelling or in Qt's as KDE reports them ("ScrollLock", "Scroll Lock" and "scroll_lock" name
// "Scroll_Lock").
bool NamesTrigger(const QString& description, const QString& trigger);

// The session handle token for a hot key: the same at every start. KDE names the desktop's entry for
// the shortcut after it and keeps the key with that entry after the session ends, so a new token
// for a key an old entry still holds would leave the key dead; with the same token KDE also gives
// back the key the user chose for the entry. Empty for a code without a trigger.
QString SessionTokenForKey(HotKey key);

// Where the portal puts the Request object of a call made with `handle_token` set to `token`:
// /org/freedesktop/portal/desktop/request/SENDER/TOKEN, SENDER being the caller's unique name
// without its ':' and with '_' for every '.'. Sessions follow the same rule under .../session/.
QString RequestPath(const QDBusConnection& bus, const QString& token);
QString SessionPath(const QDBusConnection& bus, const QString& token);

// A new token for a request or a session: unique in this process and hard to guess.
QString NewToken();

// The shortcut list held by a variant of an answer; empty when it is missing or of another type.
ShortcutList ReadShortcuts(const QVariant& value);

}  // namespace tallyman::platform::portal

Q_DECLARE_METATYPE(tallyman::platform::portal::Shortcut)
