#include "ground/StatusBar.h"
#include "app/TPSKForm.h"
#include "controls/TLEDLabel.h"
#include "session/ConnectionControl.h"
#include "engine/EngineMessage.h"
#include "tests/support/FormHarness.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

const QString kConnectHint = QStringLiteral("Connecter/activer la carte son");
const QString kDisconnectHint = QStringLiteral("Déconnecter la carte son");
const QString kIdle = QStringLiteral("Programme inactif");

// Records each engine message that reaches the window, with the engine calls made
// before it, so a test sees in which wait it was handled.
class MessageWitness : public QObject
{
public:
    explicit MessageWitness(const ScriptedEngine &engine) : m_engine(engine) {}
    QStringList seen;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == EngineMessageEvent::eventType())
            seen << QStringLiteral("after ") + m_engine.calls().value(m_engine.calls().size() - 1);
        return false;
    }

private:
    const ScriptedEngine &m_engine;
};

} // namespace

class TestConnectionControl : public QObject
{
    Q_OBJECT

private:
    FormHarness h;

    void connectCard()
    {
        h.form().OnBtn->click();
        QVERIFY(h.form().flags.CardActive);
        h.engine().clearCalls();
        h.dialogs().clear();
    }

private slots:
    void init()
    {
        h.open();
    }

    void cleanup()
    {
        h.close();
    }

    void connectPushesReceiveSettingsInOrder_data()
    {
        QTest::addColumn<bool>("afcOne");
        QTest::addColumn<bool>("afcTwo");
        QTest::addColumn<QString>("limitOne");
        QTest::addColumn<QString>("limitTwo");
        QTest::newRow("AFC on both") << true << true << "fnSetAFCLimit(25, 0)" << "fnSetAFCLimit(40, 1)";
        QTest::newRow("AFC off on channel 1") << false << true << "fnSetAFCLimit(0, 0)" << "fnSetAFCLimit(40, 1)";
        QTest::newRow("AFC off on channel 2") << true << false << "fnSetAFCLimit(25, 0)" << "fnSetAFCLimit(0, 1)";
    }

    void connectPushesReceiveSettingsInOrder()
    {
        QFETCH(bool, afcOne);
        QFETCH(bool, afcTwo);
        QFETCH(QString, limitOne);
        QFETCH(QString, limitTwo);

        TPSKForm &f = h.form();
        f.RXOne->setValue(1234);
        f.RXTwo->setValue(2101);
        f.AFCOneRg->setValue(25);
        f.AFCTwoRg->setValue(40);
        f.AFCOne->setChecked(afcOne);
        f.AFCTwo->setChecked(afcTwo);
        f.SQOneBar->setValue(33);
        f.SQTwoBar->setValue(70);
        f.SQSpOne->setValue(150);   // the engine still gets speed 1 at start
        f.SQSpTwo->setValue(0);
        f.Settings.RXMode = 2;
        f.Settings.PPMAdjust = -35;
        f.Settings.CWIDSpeed = 3;
        f.Settings.CWID = QStringLiteral("de F5XYZ");
        h.engine().clearCalls();

        f.OnBtn->click();

        QCOMPARE(h.engine().calls(), QStringList({
            "fnStartSoundCard(window, -1, 2)",
            "fnSetFFTMode(1, 100, 1)",
            "fnSetRXFrequency(1234, 10, 0)",
            "fnSetRXFrequency(2101, 10, 1)",
            "fnSetRXPSKMode(2, 0)",
            "fnSetRXPSKMode(2, 1)",
            limitOne,
            limitTwo,
            "fnSetClockErrorAdjustment(-35)",
            "fnSetSquelchThreshold(33, 1, 0)",
            "fnSetSquelchThreshold(70, 1, 1)",
            "fnSetCWIDSpeed(4)",
            "fnSetCWIDString(de F5XYZ)",
        }));
        QCOMPARE(h.engine().window(), &f);
        QVERIFY(f.flags.CardActive);
        QVERIFY(h.dialogs().shown().isEmpty());
    }

    void connectSwitchesControls()
    {
        TPSKForm &f = h.form();
        f.Settings.WFMin = 500;     // both 100 Hz shifts fit
        f.Settings.WFMax = 3000;
        for (int i = 0; i < 3; ++i)
            f.macroButtons[i]->setText(QStringLiteral("P%1").arg(i + 1));
        f.CWIDBtn->setEnabled(false);

        f.OnBtn->click();

        for (QToolButton *b : {f.TxBtn, f.TuneBtn, f.RewindBtn, f.LeftBtn, f.RightBtn})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(!f.CWIDBtn->isEnabled());   // follows the transmit status, not the connection
        QCOMPARE(f.OnBtn->toolTip(), kDisconnectHint);
        QVERIFY(f.LEDOne->Lit());
        QVERIFY(!f.RXLed->Lit());
        QVERIFY(!f.TXLed->Lit());
        for (int i = 0; i < 20; ++i)
            QCOMPARE(f.macroButtons[i]->isEnabled(), i < 3);
    }

    void connectAtBandEdgesLeavesShiftsOff()
    {
        TPSKForm &f = h.form();
        f.Settings.WFMin = 100;
        f.Settings.WFMax = 3500;
        f.OnBtn->click();
        QVERIFY(!f.LeftBtn->isEnabled());
        QVERIFY(!f.RightBtn->isEnabled());
    }

    void failedConnectShowsMessageAndRetries()
    {
        TPSKForm &f = h.form();
        h.engine().setStartResults({18, 0});

        f.OnBtn->click();

        QCOMPARE(h.engine().calls(), QStringList{"fnStartSoundCard(window, -1, 2)"});
        QCOMPARE(h.dialogs().shown(), QStringList({"beep", "message: La carte est utilisée par une autre application"}));
        QCOMPARE(h.dialogs().kinds(), QList<Dialogs::Kind>{Dialogs::Kind::Plain});
        QVERIFY(!f.flags.CardActive);
        for (QToolButton *b : {f.TxBtn, f.TuneBtn, f.RewindBtn, f.LeftBtn, f.RightBtn})
            QVERIFY(!b->isEnabled());
        QVERIFY(!f.LEDOne->Lit());
        QCOMPARE(f.OnBtn->toolTip(), kConnectHint);
        QCOMPARE(f.StatusBar->panelText(2), kIdle);

        h.engine().clearCalls();
        f.OnBtn->click();
        QVERIFY(f.flags.CardActive);
        QCOMPARE(h.engine().calls().value(0), QString("fnStartSoundCard(window, -1, 2)"));
        QCOMPARE(h.engine().calls("fnSetCWIDString").size(), 1);
        QCOMPARE(h.dialogs().beeps(), 1);
    }

    void disconnect_data()
    {
        QTest::addColumn<bool>("tuning");
        QTest::addColumn<bool>("transmitting");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("waits");

        QTest::newRow("receiving") << false << false << 0
                                   << QStringList{"fnStopSoundCard()"} << 0;
        QTest::newRow("tuning") << true << false << 0
                                << QStringList{"fnStopTX()", "fnStopSoundCard()"} << 1;
        QTest::newRow("transmitting, queue empty")
            << false << true << 0
            << QStringList{"fnGetTXCharsRemaining()", "fnAbortTX()", "fnStopSoundCard()"} << 1;
        QTest::newRow("transmitting, characters queued")
            << false << true << 5
            << QStringList{"fnGetTXCharsRemaining()", "fnClearTXBuffer()", "fnAbortTX()", "fnStopSoundCard()"} << 1;
        QTest::newRow("tuning and transmitting")
            << true << true << 3
            << QStringList{"fnStopTX()", "fnGetTXCharsRemaining()", "fnClearTXBuffer()", "fnAbortTX()",
                           "fnStopSoundCard()"} << 2;
    }

    void disconnect()
    {
        QFETCH(bool, tuning);
        QFETCH(bool, transmitting);
        QFETCH(int, remaining);
        QFETCH(QStringList, expected);
        QFETCH(int, waits);

        TPSKForm &f = h.form();
        f.macroButtons[0]->setText(QStringLiteral("CQ"));
        connectCard();
        f.flags.Tuning = tuning;
        f.flags.Transmitting = transmitting;
        f.Canal->setEnabled(!transmitting);
        f.CWIDBtn->setEnabled(transmitting);
        f.TxBtn->setToolTip(QStringLiteral("Arrêter"));
        f.TuneBtn->setToolTip(QStringLiteral("Arrêter le tune"));
        f.LEDOne->setLit(true);
        f.TXLed->setLit(transmitting);
        h.engine().setTxCharsRemaining(remaining);

        QElapsedTimer clock;
        clock.start();
        f.OnBtn->click();
        const qint64 elapsed = clock.elapsed();

        QCOMPARE(h.engine().calls(), expected);
        QVERIFY2(elapsed >= 200 * waits, qPrintable(QString::number(elapsed)));
        QVERIFY(!f.flags.CardActive);
        QVERIFY(!f.flags.Tuning);
        QVERIFY(!f.flags.Transmitting);
        if (tuning)
            QCOMPARE(f.TuneBtn->toolTip(), QString("Envoyer un tune"));
        if (transmitting) {
            QCOMPARE(f.TxBtn->toolTip(), QString("Emettre"));
            QVERIFY(!f.CWIDBtn->isEnabled());
        }
        QVERIFY(f.Canal->isEnabled());
        for (QToolButton *b : {f.TxBtn, f.TuneBtn, f.RewindBtn, f.LeftBtn, f.RightBtn})
            QVERIFY(!b->isEnabled());
        for (QPushButton *m : f.macroButtons)
            QVERIFY(!m->isEnabled());
        QCOMPARE(f.OnBtn->toolTip(), kConnectHint);
        QCOMPARE(f.StatusBar->panelText(2), kIdle);
        QVERIFY(!f.LEDOne->Lit());
        QVERIFY(!f.RXLed->Lit());
        QVERIFY(!f.TXLed->Lit());
        QVERIFY(h.dialogs().shown().isEmpty());
    }

    // The engine's reports keep arriving while the disconnect waits: they are handled
    // inside the wait, after the stop command and before the engine is stopped.
    void messagesPostedDuringTheWaitAreHandledInside()
    {
        TPSKForm &f = h.form();
        connectCard();
        f.flags.Tuning = true;
        MessageWitness witness(h.engine());
        f.installEventFilter(&witness);
        h.engine().post(EngineMessage::ImdOrNoise, -20, 5);
        QTimer::singleShot(50, &f, [this] { h.engine().post(EngineMessage::ImdOrNoise, -21, 5); });

        f.OnBtn->click();

        QCOMPARE(witness.seen, QStringList({"after fnStopTX()", "after fnStopTX()"}));
        QCOMPARE(h.engine().calls().last(), QString("fnStopSoundCard()"));
    }

    void clickDuringTheDisconnectWaitIsIgnored()
    {
        TPSKForm &f = h.form();
        connectCard();
        f.flags.Tuning = true;
        QTimer::singleShot(20, &f, [&f] { f.OnBtn->click(); });

        f.OnBtn->click();

        QCOMPARE(h.engine().calls(), QStringList({"fnStopTX()", "fnStopSoundCard()"}));
        QVERIFY(!f.flags.CardActive);
        QCOMPARE(f.OnBtn->toolTip(), kConnectHint);

        f.OnBtn->click();   // afterwards a click connects again
        QVERIFY(f.flags.CardActive);
    }
};

QTEST_MAIN(TestConnectionControl)
#include "tst_connectioncontrol.moc"
