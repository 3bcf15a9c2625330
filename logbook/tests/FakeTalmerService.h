#pragma once

#include <QDBusConnection>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <memory>

class FakeQuenDatas;

// A stand-in Talmer logbook for the tests: owns the name "Talmer.QuenDatas" on the
// session bus through a connection and a thread of its own (so that the program's
// blocking calls from the test thread are answered), and records every property put
// it receives as "Indicatif=F6ABC", in order.
class FakeTalmerService
{
public:
    FakeTalmerService();
    ~FakeTalmerService();

    // Takes the name; false when there is no session bus or the name is taken.
    bool start();
    // Drops the name and the connection: the logbook has gone.
    void stop();

    QStringList received() const;
    // Every put on another interface than Talmer.QuenDatas, recorded apart.
    QStringList strayCalls() const;
    // While set, property puts are answered with an error (no traffic file open).
    void setRefusing(bool refusing);

private:
    friend class FakeQuenDatas;
    mutable QMutex m_mutex;
    QStringList m_received;
    QStringList m_stray;
    bool m_refusing = false;
    QString m_connectionName;
    QThread m_thread;
    std::unique_ptr<FakeQuenDatas> m_object;
};
