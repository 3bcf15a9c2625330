#include "engine/EngineMessage.h"
#include "tests/support/ScriptedEngine.h"

#include <QCoreApplication>
#include <QtTest>

// A receiver that keeps the engine messages it is given, in order.
class MessageSink : public QObject
{
public:
    QList<QList<int32_t>> received;

    bool event(QEvent *e) override
    {
        if (e->type() != EngineMessageEvent::eventType())
            return QObject::event(e);
        const auto *m = static_cast<EngineMessageEvent *>(e);
        received << QList<int32_t>{m->message(), m->wParam(), m->lParam()};
        return true;
    }
};

class TestEngineMessage : public QObject
{
    Q_OBJECT
private slots:
    void messagesArriveInOrderOnTheWindowGivenAtStart()
    {
        MessageSink sink;
        ScriptedEngine engine;
        QCOMPARE(engine.fnStartSoundCard(&sink, -1, 2), 0);
        engine.post(EngineMessage::Character, 'A', 1);
        engine.post(EngineMessage::ImdOrNoise, -28, 0);
        QVERIFY(sink.received.isEmpty());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(sink.received, (QList<QList<int32_t>>{{0x7E9, 'A', 1}, {0x7EB, -28, 0}}));
        QCOMPARE(engine.calls(), QStringList{"fnStartSoundCard(window, -1, 2)"});
    }
};

QTEST_MAIN(TestEngineMessage)
#include "tst_enginemessage.moc"
