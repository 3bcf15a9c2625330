#include "ground/Images.h"
#include "app/StartupTexts.h"
#include "ground/StatusBar.h"
#include "config/TSettings.h"
#include "controls/TLED.h"
#include "engine/ConnectionFlags.h"
#include "engine/EngineErrorText.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"
#include "transmit/TransmitControl.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

namespace {

// The controls transmit control acts on, standing alone.
struct Bench
{
    ScriptedEngine engine;
    ScriptedDialogs dialogs;
    ConnectionFlags flags;
    TSettings settings;
    ImageList images;
    QWidget window;
    QToolButton *TxBtn = new QToolButton(&window);
    QToolButton *TuneBtn = new QToolButton(&window);
    QToolButton *CWIDBtn = new QToolButton(&window);
    QToolButton *RewindBtn = new QToolButton(&window);
    QPlainTextEdit *TxBuf = new QPlainTextEdit(&window);
    QTabWidget *Canal = new QTabWidget(&window);
    QPlainTextEdit *TermOne = new QPlainTextEdit(&window);
    QPlainTextEdit *TermTwo = new QPlainTextEdit(&window);
    TLED *TXLed = new TLED(&window);
    TLED *RXLed = new TLED(&window);
    PanelStatusBar *StatusBar = new PanelStatusBar(&window);
    QStringList notices;
    std::unique_ptr<TransmitControl> control;

    // Connected and receiving, as the connection leaves the buttons.
    Bench()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *w : {static_cast<QWidget *>(TxBtn), static_cast<QWidget *>(TuneBtn),
                           static_cast<QWidget *>(TxBuf), static_cast<QWidget *>(Canal)})
            layout->addWidget(w);
        Canal->addTab(new QWidget, "Canal 1");
        Canal->addTab(new QWidget, "Canal 2");
        TxBtn->setToolTip("Emettre");
        CWIDBtn->setEnabled(false);
        settings.RXMode = 1;
        settings.Blocks = 4;
        flags.CardActive = true;

        TransmitWidgets w;
        w.TxBtn = TxBtn;
        w.TuneBtn = TuneBtn;
        w.CWIDBtn = CWIDBtn;
        w.RewindBtn = RewindBtn;
        w.TxBuf = TxBuf;
        w.Canal = Canal;
        w.terms = {TermOne, TermTwo};
        w.TXLed = TXLed;
        w.RXLed = RXLed;
        w.StatusBar = StatusBar;
        w.Images = &images;
        w.setStatusNotice = [this](int icon, const QString &message) {
            notices << QStringLiteral("%1 %2").arg(icon).arg(message);
        };
        // Stands for the NET rule so that its place among the engine calls shows.
        w.applyNetRule = [this] { engine.fnSetTXFrequency(1234); };
        control = std::make_unique<TransmitControl>(engine, flags, settings, w);
        control->setClock([] { return QDateTime(QDate(2026, 3, 5), QTime(9, 4, 7), Qt::UTC); });
        control->setLocale(QLocale(QLocale::French, QLocale::France));
    }

    // Buttons as (TxBtn hint or "disabled", TuneBtn enabled, CWIDBtn enabled).
    QString looks() const
    {
        return QStringLiteral("%1|%2|%3")
            .arg(TxBtn->isEnabled() ? TxBtn->toolTip() : QStringLiteral("disabled"))
            .arg(TuneBtn->isEnabled() ? TuneBtn->toolTip().isEmpty() ? "on" : TuneBtn->toolTip() : "off")
            .arg(CWIDBtn->isEnabled() ? "on" : "off");
    }
    QString flagText() const
    {
        return QStringLiteral("%1%2%3").arg(int(flags.CardActive)).arg(int(flags.Tuning)).arg(int(flags.Transmitting));
    }
};

const QString kStart = QString::fromUtf8("<Transmission débutée: jeudi 5 mars 2026, 09h04 07s>");
const QString kEnd = QString::fromUtf8("<Transmission stoppée: jeudi 5 mars 2026, 09h04 07s>");

} // namespace

class TestTransmitControl : public QObject
{
    Q_OBJECT

private slots:
    void transitions_data();
    void transitions();
    void reportStartsTheTransmittingLook();
    void transmissionWithoutOutputDeviceSaysSo();
    void looksAtTheEngineStart_data();
    void looksAtTheEngineStart();
    void endStampOnlyWhenNothingRemains_data();
    void endStampOnlyWhenNothingRemains();
    void endWhileNotTransmittingChangesOnlyTheButtons();
    void stampsGoToThePaneCurrentWhenTheReportArrives();
    void reportsIgnoredWhileDisconnected();
    void notices_data();
    void notices();
    void txStartMovesFocusMacroStartDoesNot();
    void cwIdentificationAndReplay();
    void replayHintText_data();
    void replayHintText();
};

// One step is an operator action or an engine report; each row walks the state table
// and checks the engine calls, the flags (CardActive, Tuning, Transmitting) and the
// button looks after every step.
void TestTransmitControl::transitions_data()
{
    QTest::addColumn<int>("remaining");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QStringList>("looks");

    const QString receiving = QStringLiteral("Emettre|on|off");
    const QString requested = QStringLiteral("Stopper l'émission|off|off");
    const QString transmitting = QStringLiteral("Stopper l'émission|off|on");
    const QString stopping = QStringLiteral("Emettre|on|on");

    QTest::newRow("receive, start, report, orderly stop, end")
        << 0 << QStringList{"tx", "1", "tx", "0"}
        << QStringList{"fnSetTXFrequency(1234) fnStartTX(1)", "", "fnGetTXCharsRemaining() fnStopTX()",
                       "fnGetTXCharsRemaining()"}
        << QStringList{"100", "101", "101", "100"}
        << QStringList{requested, transmitting, stopping, receiving};
    QTest::newRow("stop with text queued aborts and drops it")
        << 7 << QStringList{"tx", "1", "tx"}
        << QStringList{"fnSetTXFrequency(1234) fnStartTX(1)", "",
                       "fnGetTXCharsRemaining() fnAbortTX() fnClearTXBuffer()"}
        << QStringList{"100", "101", "101"}
        << QStringList{requested, transmitting, stopping};
    QTest::newRow("a second click before the report starts again")
        << 0 << QStringList{"tx", "tx"}
        << QStringList{"fnSetTXFrequency(1234) fnStartTX(1)", "fnSetTXFrequency(1234) fnStartTX(1)"}
        << QStringList{"100", "100"} << QStringList{requested, requested};
    QTest::newRow("the end of the queue (control code 1) then code 0")
        << 0 << QStringList{"tx", "1", "0"}
        << QStringList{"fnSetTXFrequency(1234) fnStartTX(1)", "", "fnGetTXCharsRemaining()"}
        << QStringList{"100", "101", "100"} << QStringList{requested, transmitting, receiving};
    QTest::newRow("tune on, reported, off, ended")
        << 0 << QStringList{"tune", "1", "tune", "0"}
        << QStringList{"fnSetTXFrequency(1234) fnStartTX(3)", "", "fnStopTX()", "fnGetTXCharsRemaining()"}
        << QStringList{"110", "111", "101", "100"}
        << QStringList{"disabled|Stopper le tune|off", "disabled|Stopper le tune|on",
                       "Emettre|Envoyer un tune|on", "Emettre|Envoyer un tune|off"};
    QTest::newRow("macro start looks like the button's")
        << 0 << QStringList{"macro", "1"}
        << QStringList{"fnSetTXFrequency(1234) fnStartTX(1)", ""}
        << QStringList{"100", "101"} << QStringList{requested, transmitting};
}

void TestTransmitControl::transitions()
{
    QFETCH(int, remaining);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, flags);
    QFETCH(QStringList, looks);

    Bench b;
    b.engine.setTxCharsRemaining(remaining);
    QCOMPARE(b.looks(), QStringLiteral("Emettre|on|off"));
    for (int i = 0; i < steps.size(); ++i) {
        b.engine.clearCalls();
        const QString &step = steps[i];
        if (step == "tx")
            b.control->TxBtnClick();
        else if (step == "tune")
            b.control->TuneBtnClick();
        else if (step == "macro")
            b.control->startFromMacro();
        else
            b.control->TxStatus(step.toInt());
        QCOMPARE(b.engine.calls().join(' '), calls[i]);
        QCOMPARE(b.flagText(), flags[i]);
        QCOMPARE(b.looks(), looks[i]);
    }
}

void TestTransmitControl::reportStartsTheTransmittingLook()
{
    Bench b;
    b.RXLed->setLit(true);
    b.control->TxBtnClick();
    QVERIFY(b.Canal->isEnabled());
    b.control->TxStatus(1);
    QCOMPARE(b.StatusBar->panelText(2), QStringLiteral("Emission en cours..."));
    QCOMPARE(b.TermOne->toPlainText(), kStart);
    QVERIFY(b.TXLed->Lit());
    QVERIFY(!b.RXLed->Lit());
    QVERIFY(!b.Canal->isEnabled());

    // Stopping leaves the tabs locked until the engine reports the end.
    b.control->TxBtnClick();
    QVERIFY(!b.Canal->isEnabled());
    b.control->TxStatus(0);
    QVERIFY(b.Canal->isEnabled());
    // The LEDs wait for the next data message.
    QVERIFY(b.TXLed->Lit());
}

void TestTransmitControl::transmissionWithoutOutputDeviceSaysSo()
{
    Bench b;
    b.control->setOutputNowhere(true);
    b.control->TxBtnClick();
    b.control->TxStatus(1);
    QCOMPARE(b.StatusBar->panelText(2), QString::fromUtf8("Emission simulée..."));
    QCOMPARE(b.notices, QStringList{QString::fromUtf8("15 Pas de carte son en sortie : l'émission n'est jouée nulle part")});
}

// The button asks the engine first and then shows the look; a macro's \t shows the look first.
void TestTransmitControl::looksAtTheEngineStart_data()
{
    QTest::addColumn<bool>("fromMacro");
    QTest::addColumn<QString>("looksAtStart");
    QTest::newRow("TxBtn") << false << QStringLiteral("Emettre|on|off");
    QTest::newRow("macro") << true << QString::fromUtf8("Stopper l'émission|off|off");
}

void TestTransmitControl::looksAtTheEngineStart()
{
    QFETCH(bool, fromMacro);
    Bench b;
    QString looksAtStart;
    b.engine.setOnCall([&](const QString &call) {
        if (call.startsWith(QStringLiteral("fnStartTX")))
            looksAtStart = b.looks();
    });
    if (fromMacro)
        b.control->startFromMacro();
    else
        b.control->TxBtnClick();
    b.engine.setOnCall(nullptr);
    QTEST(looksAtStart, "looksAtStart");
    QCOMPARE(b.looks(), QString::fromUtf8("Stopper l'émission|off|off"));
}

void TestTransmitControl::endStampOnlyWhenNothingRemains_data()
{
    QTest::addColumn<int>("remaining");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("txBuf");

    QTest::newRow("nothing queued") << 0 << QString(kStart + "\n" + kEnd) << QString();
    QTest::newRow("characters still queued") << 3 << kStart << QStringLiteral("73 de F5XYZ");
}

void TestTransmitControl::endStampOnlyWhenNothingRemains()
{
    QFETCH(int, remaining);
    QFETCH(QString, pane);
    QFETCH(QString, txBuf);

    Bench b;
    b.control->TxBtnClick();
    b.control->TxStatus(1);
    b.TxBuf->setPlainText("73 de F5XYZ");
    b.engine.setTxCharsRemaining(remaining);
    b.control->TxStatus(0);
    QCOMPARE(b.TermOne->toPlainText(), pane);
    QCOMPARE(b.TxBuf->toPlainText(), txBuf);
    QVERIFY(!b.flags.Transmitting);
}

void TestTransmitControl::endWhileNotTransmittingChangesOnlyTheButtons()
{
    Bench b;
    b.TxBuf->setPlainText("typed ahead");
    b.TermOne->setPlainText("received");
    b.TuneBtn->setEnabled(false);
    b.CWIDBtn->setEnabled(true);
    b.TxBtn->setToolTip("Stopper l'émission");
    b.control->TxStatus(0);
    QVERIFY(b.engine.calls().isEmpty());
    QCOMPARE(b.looks(), QStringLiteral("Emettre|on|off"));
    QCOMPARE(b.TxBuf->toPlainText(), QStringLiteral("typed ahead"));
    QCOMPARE(b.TermOne->toPlainText(), QStringLiteral("received"));
    QCOMPARE(b.flagText(), QStringLiteral("100"));
}

void TestTransmitControl::stampsGoToThePaneCurrentWhenTheReportArrives()
{
    Bench b;
    b.TermOne->setPlainText("CQ CQ de F6ABC");
    b.control->TxBtnClick();
    b.control->TxStatus(1);
    // Entering the other receive pane makes its channel current although the tabs are locked.
    b.Canal->setCurrentIndex(1);
    b.control->TxStatus(0);
    QCOMPARE(b.TermOne->toPlainText(), "CQ CQ de F6ABC\n" + kStart);
    QCOMPARE(b.TermTwo->toPlainText(), kEnd);
    // Received text continues after the stamp.
    QCOMPARE(b.TermTwo->textCursor().position(), b.TermTwo->toPlainText().size());
}

void TestTransmitControl::reportsIgnoredWhileDisconnected()
{
    Bench b;
    b.flags.CardActive = false;
    b.flags.Transmitting = true;
    const QString before = b.looks();
    for (int code : {0, 1, 2, 3, 9}) {
        b.control->TxStatus(code);
        QCOMPARE(b.looks(), before);
    }
    QVERIFY(b.engine.calls().isEmpty());
    QVERIFY(b.notices.isEmpty());
    QVERIFY(b.dialogs.shown().isEmpty());
    QVERIFY(b.TermOne->toPlainText().isEmpty());
    QVERIFY(b.flags.Transmitting);
}

void TestTransmitControl::notices_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("notices");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("2") << 2 << QStringList{QString::fromUtf8("15 Processeur trop lent ou occupé")} << QStringList{};
    QTest::newRow("3") << 3 << QStringList{QString::fromUtf8("16 Transmission des caractères restants...")}
                       << QStringList{};
    QTest::newRow("4") << 4 << QStringList{} << QStringList{"beep", "message: " + EngineErrorText(4)};
    QTest::newRow("77") << 77 << QStringList{} << QStringList{"beep", "message: " + EngineErrorText(77)};
    QTest::newRow("-1") << -1 << QStringList{} << QStringList{};
}

void TestTransmitControl::notices()
{
    QFETCH(int, code);
    QFETCH(QStringList, notices);
    QFETCH(QStringList, shown);

    Bench b;
    const QString before = b.looks();
    b.control->TxStatus(code);
    QCOMPARE(b.notices, notices);
    QCOMPARE(b.dialogs.shown(), shown);
    QCOMPARE(b.looks(), before);
    QCOMPARE(b.flagText(), QStringLiteral("100"));
}

void TestTransmitControl::txStartMovesFocusMacroStartDoesNot()
{
    Bench b;
    b.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&b.window));
    b.TermOne->setFocus();
    b.control->startFromMacro();
    QCOMPARE(QApplication::focusWidget(), b.TermOne);
    b.control->TxBtnClick();
    QCOMPARE(QApplication::focusWidget(), b.TxBuf);
}

void TestTransmitControl::cwIdentificationAndReplay()
{
    Bench b;
    const QString before = b.looks();
    b.control->CWIDBtnClick();
    QCOMPARE(b.engine.calls(), (QStringList{"fnSetTXFrequency(1234)", "fnStartTX(1)",
                                            "fnSendTXCharacter(2, 1)", "fnStopTX()"}));
    QCOMPARE(b.looks(), before);
    QCOMPARE(b.flagText(), QStringLiteral("100"));
    b.engine.clearCalls();
    b.control->RewindBtnClick();
    QCOMPARE(b.engine.calls(), QStringList{"fnRewindInput(4)"});
}

void TestTransmitControl::replayHintText_data()
{
    QTest::addColumn<int>("blocks");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("hint");

    QTest::newRow("4 blocks") << 4 << QLocale::c() << "Replay 1.024 secondes";
    QTest::newRow("1 block") << 1 << QLocale::c() << "Replay 0.256 secondes";
    QTest::newRow("10 blocks, no trailing zero") << 10 << QLocale::c() << "Replay 2.56 secondes";
    QTest::newRow("99 blocks") << 99 << QLocale::c() << "Replay 25.344 secondes";
    QTest::newRow("French separator") << 4 << QLocale(QLocale::French, QLocale::France) << "Replay 1,024 secondes";
}

void TestTransmitControl::replayHintText()
{
    QFETCH(int, blocks);
    QFETCH(QLocale, locale);
    QFETCH(QString, hint);
    QCOMPARE(replayHint(blocks, locale), hint);
}

QTEST_MAIN(TestTransmitControl)
#include "tst_transmitcontrol.moc"
