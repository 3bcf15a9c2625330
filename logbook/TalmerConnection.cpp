#include "logbook/TalmerConnection.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

namespace {
// A logbook that does not answer must not freeze the program for the bus's default 25 s.
constexpr int kCallTimeoutMs = 5000;
}

TalmerConnection::TalmerConnection(const QDBusConnection &bus) : m_bus(bus) {}

bool TalmerConnection::open(QString *error)
{
    m_owner.clear();
    QDBusConnectionInterface *bus = m_bus.isConnected() ? m_bus.interface() : nullptr;
    if (!bus) {
        *error = m_bus.lastError().isValid() ? m_bus.lastError().message()
                                             : QStringLiteral("Bus de session D-Bus introuvable");
        return false;
    }
    if (!bus->isServiceRegistered(kTalmerService).value()) {
        const QDBusReply<void> started = bus->startService(kTalmerService);
        if (!started.isValid()) {
            *error = started.error().message();
            return false;
        }
    }
    const QDBusReply<QString> owner = bus->serviceOwner(kTalmerService);
    if (!owner.isValid()) {
        *error = owner.error().message();
        return false;
    }
    m_owner = owner.value();
    return true;
}

bool TalmerConnection::setStringProperty(const QString &name, const QString &value)
{
    if (m_owner.isEmpty())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        m_owner, kTalmerPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    call << kTalmerInterface << name << QVariant::fromValue(QDBusVariant(value));
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}
