#include "logbook/tests/FakeTalmerService.h"

#include "logbook/TalmerConnection.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMutexLocker>
#include <QUuid>

class FakeQuenDatas : public QDBusVirtualObject
{
public:
    explicit FakeQuenDatas(FakeTalmerService &owner) : m_owner(owner) {}

    QString introspect(const QString &) const override
    {
        return QStringLiteral(
            "<interface name=\"Talmer.QuenDatas\">"
            "<property name=\"Indicatif\" type=\"s\" access=\"write\"/>"
            "<property name=\"Nom\" type=\"s\" access=\"write\"/>"
            "<property name=\"Report\" type=\"s\" access=\"write\"/>"
            "<property name=\"Mode\" type=\"s\" access=\"write\"/>"
            "</interface>");
    }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.interface() != QLatin1String("org.freedesktop.DBus.Properties")
            || message.member() != QLatin1String("Set") || message.arguments().size() != 3)
            return false;
        const QList<QVariant> args = message.arguments();
        const QString interface = args.at(0).toString();
        const QString name = args.at(1).toString();
        const QString value = args.at(2).value<QDBusVariant>().variant().toString();
        bool refusing;
        {
            QMutexLocker lock(&m_owner.m_mutex);
            refusing = m_owner.m_refusing;
            if (interface != kTalmerInterface)
                m_owner.m_stray << interface + QLatin1Char('.') + name;
            else if (!refusing)
                m_owner.m_received << name + QLatin1Char('=') + value;
        }
        if (refusing)
            connection.send(message.createErrorReply(QStringLiteral("Talmer.Error.NoEntryDialog"),
                                                     QStringLiteral("Pas de dialogue de saisie")));
        else
            connection.send(message.createReply());
        return true;
    }

private:
    FakeTalmerService &m_owner;
};

FakeTalmerService::FakeTalmerService()
    : m_connectionName(QStringLiteral("fake-talmer-") + QUuid::createUuid().toString(QUuid::Id128))
{
}

FakeTalmerService::~FakeTalmerService()
{
    stop();
}

bool FakeTalmerService::start()
{
    m_thread.start();
    m_object = std::make_unique<FakeQuenDatas>(*this);
    m_object->moveToThread(&m_thread);
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName);
    return bus.isConnected() && bus.registerVirtualObject(kTalmerPath, m_object.get())
           && bus.registerService(kTalmerService);
}

void FakeTalmerService::stop()
{
    if (!m_object)
        return;
    {
        QDBusConnection bus(m_connectionName);
        bus.unregisterService(kTalmerService);
        bus.unregisterObject(kTalmerPath);
    }
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_thread.quit();
    m_thread.wait();
    m_object.reset();
}

QStringList FakeTalmerService::received() const
{
    QMutexLocker lock(&m_mutex);
    return m_received;
}

QStringList FakeTalmerService::strayCalls() const
{
    QMutexLocker lock(&m_mutex);
    return m_stray;
}

void FakeTalmerService::setRefusing(bool refusing)
{
    QMutexLocker lock(&m_mutex);
    m_refusing = refusing;
}
