#include "logbook/TalmerConnection.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

namespace {
// A logbook that does not answer must not freeze the program for the bus's default 25 s.
constexpr int kCallTimeoutMs = 5000;
}

TalmerConnection::TalmerConnection(std::optional<QDBusConnection> bus) : m_bus(std::move(bus)) {}

QDBusConnection TalmerConnection::bus()
{
    if (!m_bus)
        m_bus = QDBusConnection::sessionBus();
    return *m_bus;
}

bool TalmerConnection::open(QString *error)
{
    m_owner.clear();
    const QDBusConnection connection = this->bus();
    QDBusConnectionInterface *bus = connection.isConnected() ? connection.interface() : nullptr;
    if (!bus) {
        *error = connection.lastError().isValid() ? connection.lastError().message()
                                                  : QCoreApplication::translate("Korvo", "Bus de session D-Bus introuvable");
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
    const QDBusMessage reply = bus().call(call, QDBus::Block, kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}
