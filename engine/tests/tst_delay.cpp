#include "engine/Delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTest>
#include <QTimer>

namespace {

// Notes, in order, the events it receives and when.
class Receiver : public QObject
{
public:
    QStringList log;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User) {
            log << QStringLiteral("event");
            return true;
        }
        return QObject::event(e);
    }
};

} // namespace

class TestDelay : public QObject
{
    Q_OBJECT

private slots:
    void eventsPostedBeforeAndDuringTheWaitRunInsideIt()
    {
        Receiver receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        // Posted from a timer that fires in the middle of the wait.
        QTimer::singleShot(30, &receiver, [&receiver] {
            receiver.log << QStringLiteral("timer");
            QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        });

        Delay(200);
        receiver.log << QStringLiteral("returned");

        QCOMPARE(receiver.log, QStringList({"event", "timer", "event", "returned"}));
    }

    void waitsAtLeastTheTimeAsked_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("0") << 0;
        QTest::newRow("1") << 1;
        QTest::newRow("200") << 200;
    }

    void waitsAtLeastTheTimeAsked()
    {
        QFETCH(int, ms);
        QElapsedTimer clock;
        clock.start();
        Delay(ms);
        QVERIFY(clock.elapsed() >= ms);
    }

    void zeroWaitStillDispatches()
    {
        Receiver receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        Delay(0);
        QCOMPARE(receiver.log, QStringList{"event"});
    }

    // A wait nested in a handler that runs inside another wait ends on its own time.
    void nestedWaits()
    {
        QElapsedTimer clock;
        clock.start();
        qint64 innerEnded = -1;
        QTimer::singleShot(10, [&] {
            Delay(300);
            innerEnded = clock.elapsed();
        });
        Delay(50);
        QVERIFY(innerEnded >= 300);
        QVERIFY(clock.elapsed() >= 300);
    }
};

QTEST_MAIN(TestDelay)
#include "tst_delay.moc"
