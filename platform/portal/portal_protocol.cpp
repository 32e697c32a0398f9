#include "platform/portal/portal_protocol.h"

#include <QDBusConnection>
#include <QDBusMetaType>
#include <QRandomGenerator>
#include <atomic>

namespace tallyman::platform::portal {

QDBusArgument& operator<<(QDBusArgument& argument, const Shortcut& shortcut) {
  argument.beginStructure();
  argument << shortcut.id << shortcut.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Shortcut& shortcut) {
  argument.beginStructure();
  argument >> shortcut.id >> shortcut.properties;
  argument.endStructure();
  return argument;
}

void RegisterTypes() {
  qDBusRegisterMetaType<Shortcut>();
  qDBusRegisterMetaType<ShortcutList>();
}

QString TriggerForKey(HotKey key) {
  switch (key) {
    case HotKey::Pause:
      return QStringLiteral("Pause");
    case HotKey::ScrollLock:
      return QStringLiteral("Scroll_Lock");
    case HotKey::PrintScreen:
      return QStringLiteral("Print");
    case HotKey::NumLock:
      return QStringLiteral("Num_Lock");
    default:
      return {};
  }
}

QString SessionTokenForKey(HotKey key) {
  const QString trigger = TriggerForKey(key);
  return trigger.isEmpty() ? QString() : QStringLiteral("tallyman_") + trigger.toLower();
}

bool NamesTrigger(const QString& description, const QString& trigger) {
  const auto plain = [](QString text) {
    text.remove(QLatin1Char(' ')).remove(QLatin1Char('_')).remove(QLatin1Char('-'));
    return text.toCaseFolded();
  };
  return !trigger.isEmpty() && plain(description) == plain(trigger);
}

namespace {

QString HandlePath(const QDBusConnection& bus, const QString& kind, const QString& token) {
  QString sender = bus.baseService();
  if (sender.startsWith(QLatin1Char(':'))) sender.remove(0, 1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3").arg(kind, sender, token);
}

}  // namespace

QString RequestPath(const QDBusConnection& bus, const QString& token) {
  return HandlePath(bus, QStringLiteral("request"), token);
}

QString SessionPath(const QDBusConnection& bus, const QString& token) {
  return HandlePath(bus, QStringLiteral("session"), token);
}

QString NewToken() {
  static std::atomic<unsigned> counter{0};
  return QStringLiteral("tallyman%1_%2").arg(++counter).arg(QRandomGenerator::system()->generate());
}

ShortcutList ReadShortcuts(const QVariant& value) {
  if (value.metaType() != QMetaType::fromType<QDBusArgument>()) return {};
  const auto argument = value.value<QDBusArgument>();
  // Reading another type as a(sa{sv}) would only yield garbage and warnings.
  if (argument.currentSignature() != QLatin1String("a(sa{sv})")) return {};
  ShortcutList shortcuts;
  argument >> shortcuts;
  return shortcuts;
}

}  // namespace tallyman::platform::portal
