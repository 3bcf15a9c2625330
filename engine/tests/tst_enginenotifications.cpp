#include "app/StatusBar.h"
#include "app/TPSKForm.h"
#include "channels/ReceiveChannels.h"
#include "controls/TLEDLabel.h"
#include "controls/Tdbmeter.h"
#include "engine/EngineMessage.h"
#include "engine/EngineNotifications.h"
#include "engine/ReceivedText.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <memory>

namespace {

const QString kSaturation = QStringLiteral("Signal saturé ! Diminuez le niveau d'entrée de la carte son");

QString lines(int count, const QString &prefix = QStringLiteral("line"))
{
    QStringList l;
    for (int i = 1; i <= count; ++i)
        l << prefix + QString::number(i);
    return l.join(QLatin1Char('\n'));
}

} // namespace

class TestEngineNotifications : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedEngine> m_engine;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TPSKForm> m_form;

    // Delivers one engine message the way the engine does: posted to the main window.
    void post(int32_t message, int32_t wParam = 0, int32_t lParam = 0)
    {
        m_engine->post(message, wParam, lParam, m_form.get());
        QCoreApplication::sendPostedEvents(m_form.get(), EngineMessageEvent::eventType());
    }

    void receive(const QList<int> &codes, int channel = 0)
    {
        for (int c : codes)
            post(EngineMessage::Character, c, channel);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_engine = std::make_unique<ScriptedEngine>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_form = std::make_unique<TPSKForm>(*m_engine, m_dir->filePath(QStringLiteral("KORVO.ini")));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->flags.CardActive = true;
        m_engine->clearCalls();
        m_dialogs->clear();
    }

    void cleanup()
    {
        m_form->flags.CardActive = false;
        m_form.reset();
        m_dialogs.reset();
        m_engine.reset();
        m_dir.reset();
    }

    void dataMessageFetchesPerTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("mainFetch");
        // the default band 100-3500 Hz is FFT bins 25 to 896
        QTest::newRow("waterfall") << 0 << 0 << QStringLiteral("fnGetFFTData(25, 896)");
        QTest::newRow("spectrum, channel 2 current") << 1 << 1 << QStringLiteral("fnGetFFTData(25, 896)");
        QTest::newRow("signal") << 2 << 0 << QStringLiteral("fnGetRawData(0, 1023)");
        QTest::newRow("signal, channel 2 current") << 2 << 1 << QStringLiteral("fnGetRawData(0, 1023)");
        QTest::newRow("synchro tab") << 3 << 1 << QStringLiteral("fnGetFFTData(25, 896)");
    }
    void dataMessageFetchesPerTab()
    {
        QFETCH(int, tab);
        QFETCH(int, channel);
        QFETCH(QString, mainFetch);
        m_form->Monitor->setCurrentIndex(tab);
        m_form->receiveChannels->setCurrentChannel(channel);
        m_engine->setSignalLevel(0, 40);
        m_engine->setSignalLevel(1, 85);
        m_engine->setRxFrequency(0, 1234);
        m_engine->setRxFrequency(1, 4100);   // the field keeps its range
        m_engine->setRawData({7, -7, 9});
        m_engine->clearCalls();

        post(EngineMessage::NewData);

        const QString ch = QString::number(channel);
        const QStringList expected{
            mainFetch,
            QStringLiteral("fnGetSignalLevel(0)"),
            QStringLiteral("fnGetSignalLevel(1)"),
            QStringLiteral("fnGetRXFrequency(0)"),
            QStringLiteral("fnGetRXFrequency(1)"),
            QStringLiteral("fnGetSyncData(") + ch + QLatin1Char(')'),
            QStringLiteral("fnGetVectorData(") + ch + QLatin1Char(')'),
        };
        QCOMPARE(m_engine->calls(), expected);
        QCOMPARE(m_form->SMOne->Position(), 40);
        QCOMPARE(m_form->SMTwo->Position(), 85);
        QCOMPARE(m_form->RXOne->value(), 1234.0);
        QCOMPARE(m_form->RXTwo->value(), 3996.0);
        if (tab == 2) {
            QCOMPARE(m_form->RawData[1], -7);
            QCOMPARE(m_form->StatusBar->panelText(2), QString());
            QVERIFY(!m_form->RXLed->Lit());
        } else {
            QCOMPARE(m_form->StatusBar->panelText(2), QStringLiteral("Réception en cours..."));
            QVERIFY(m_form->RXLed->Lit());
        }
    }

    void dataMessageIgnoredWhileStopped()
    {
        m_form->flags.CardActive = false;
        post(EngineMessage::NewData);
        QVERIFY(m_engine->calls().isEmpty());
    }

    void saturationBeepsAtEveryMessage()
    {
        m_form->TXLed->setLit(true);
        m_engine->setSaturated(true);
        post(EngineMessage::NewData);
        post(EngineMessage::NewData);
        QCOMPARE(m_dialogs->beeps(), 2);
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(m_form->StatusIcon, 15);
        QCOMPARE(m_form->StatusMessage, kSaturation);
        QVERIFY(m_form->notifications->Overload());
        // no reception notice while saturated
        QVERIFY(m_form->TXLed->Lit());
        QVERIFY(!m_form->RXLed->Lit());

        // the "Signal" tab does not look at saturation
        m_form->Monitor->setCurrentIndex(2);
        post(EngineMessage::NewData);
        QCOMPARE(m_dialogs->beeps(), 2);
        QVERIFY(m_form->notifications->Overload());
    }

    void receptionNoticeNotWhileTransmitting()
    {
        m_form->flags.Transmitting = true;
        m_form->TXLed->setLit(true);
        post(EngineMessage::NewData);
        QVERIFY(m_form->TXLed->Lit());
        QVERIFY(!m_form->RXLed->Lit());
        QCOMPARE(m_form->StatusBar->panelText(2), QString());
        m_form->flags.Transmitting = false;
        post(EngineMessage::NewData);
        QVERIFY(!m_form->TXLed->Lit());
        QVERIFY(m_form->RXLed->Lit());
    }

    void charactersRoutedByChannel_data()
    {
        QTest::addColumn<int>("lParam");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("pane");
        QTest::newRow("0") << 0 << 1 << 0;
        QTest::newRow("1") << 1 << 0 << 1;
        QTest::newRow("2 while channel 2 is shown") << 2 << 1 << 1;
        QTest::newRow("2 while channel 1 is shown") << 2 << 0 << 0;
        QTest::newRow("-1") << -1 << 1 << 1;
        QTest::newRow("high bits ignored") << 0x10001 << 0 << 1;
    }
    void charactersRoutedByChannel()
    {
        QFETCH(int, lParam);
        QFETCH(int, current);
        QFETCH(int, pane);
        m_form->receiveChannels->setCurrentChannel(current);
        post(EngineMessage::Character, 'K', lParam);
        QPlainTextEdit *panes[2] = {m_form->TermOne, m_form->TermTwo};
        QCOMPARE(panes[pane]->toPlainText(), QStringLiteral("K"));
        QCOMPARE(panes[1 - pane]->toPlainText(), QString());
    }

    void onlyUsedCodesAreTyped()
    {
        // 9 tab, 10 line feed, 0, 31 and 300 are dropped; wParam's high bits are not the code
        receive({'C', 9, 'Q', 10, 0, 31, 300, 0x10000 + ' ', 13, 0xE9, 0x80, 0xFF});
        QCOMPARE(m_form->TermOne->toPlainText(), QStringLiteral("CQ \n\u00e9\u20ac\u00ff"));
    }

    void backspaceAfterLineBreakJoinsTheLines()
    {
        receive({'A', 'B', 13, 8});
        QCOMPARE(m_form->TermOne->toPlainText(), QStringLiteral("AB"));
        QCOMPARE(m_form->TermOne->document()->blockCount(), 1);
        receive({8, 8, 8});
        QCOMPARE(m_form->TermOne->toPlainText(), QString());
    }

    void typedAtTheCaretCancellingTheSelection()
    {
        m_form->TermOne->setPlainText(QStringLiteral("AC"));
        QTextCursor c = m_form->TermOne->textCursor();
        c.setPosition(0);
        c.setPosition(1, QTextCursor::KeepAnchor);   // "A" selected, caret after it
        m_form->TermOne->setTextCursor(c);
        receive({'B'});
        QCOMPARE(m_form->TermOne->toPlainText(), QStringLiteral("ABC"));
        QCOMPARE(m_form->TermOne->textCursor().position(), 2);
    }

    void stoppedDropsCharactersButStillTrims()
    {
        m_form->TermTwo->setPlainText(lines(130));
        m_form->flags.CardActive = false;
        receive({'X'}, 1);
        QCOMPARE(displayedLineCount(m_form->TermTwo), 129);
        QVERIFY(!m_form->TermTwo->toPlainText().contains(QLatin1Char('X')));
        QVERIFY(m_form->TermTwo->toPlainText().startsWith(QStringLiteral("line2\n")));
    }

    void receivePaneTrimmedInTheSameMessage()
    {
        m_form->TermOne->setPlainText(lines(128));
        QCOMPARE(displayedLineCount(m_form->TermOne), 128);
        QTextCursor c = m_form->TermOne->textCursor();
        c.setPosition(3);   // the operator's caret inside the text
        m_form->TermOne->setTextCursor(c);
        c.movePosition(QTextCursor::End);
        m_form->TermOne->setTextCursor(c);

        receive({13});
        QCOMPARE(displayedLineCount(m_form->TermOne), 128);
        QVERIFY(m_form->TermOne->toPlainText().startsWith(QStringLiteral("line2\n")));
        QVERIFY(m_form->TermOne->toPlainText().endsWith(QStringLiteral("line128\n")));
        QCOMPARE(m_form->TermOne->textCursor().position(), m_form->TermOne->document()->characterCount() - 1);
    }

    void wrappedPiecesCountAsLines()
    {
        QPlainTextEdit *pane = m_form->TermOne;
        const QString longLine = QStringLiteral("abcdefg ").repeated(60);
        pane->setPlainText(longLine + QLatin1Char('\n') + lines(127));
        const QTextBlock first = pane->document()->begin();
        const int pieces = displayedLineCount(pane) - 127;
        QVERIFY2(pieces > 2, "the first line must wrap");
        const int firstPiece = first.layout()->lineAt(0).textLength();

        receive({'z'}, 1);   // a character for the other channel still trims this pane
        QCOMPARE(displayedLineCount(pane), 127 + pieces - 1);
        QCOMPARE(pane->document()->begin().text(), longLine.mid(firstPiece));
    }

    void transmitPaneTrimmedAtTheNextCharacter()
    {
        m_form->TxBuf->setPlainText(lines(66, QStringLiteral("tx")));
        receive({'a'}, 1);
        QCOMPARE(displayedLineCount(m_form->TxBuf), 65);
        QVERIFY(m_form->TxBuf->toPlainText().startsWith(QStringLiteral("tx2\n")));
        receive({'b'}, 0);
        QCOMPARE(displayedLineCount(m_form->TxBuf), 64);
        receive({'c'}, 0);
        QCOMPARE(displayedLineCount(m_form->TxBuf), 64);
        QVERIFY(m_form->TxBuf->toPlainText().startsWith(QStringLiteral("tx3\n")));
    }

    void readouts_data()
    {
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("wParam");
        QTest::addColumn<int>("lParam");
        QTest::addColumn<QString>("imdOne");
        QTest::addColumn<QString>("imdTwo");
        QTest::addColumn<QString>("ppmOne");
        QTest::addColumn<QString>("ppmTwo");
        QTest::addColumn<QString>("panel1");
        const int imd = EngineMessage::ImdOrNoise;
        const int ppm = EngineMessage::ClockError;
        QTest::newRow("IMD channel 1") << imd << -28 << 0 << "IMD:-28dB" << "" << "" << "" << "";
        QTest::newRow("IMD channel 2") << imd << -31 << 1 << "" << "IMD:-31dB" << "" << "" << "";
        QTest::newRow("noise") << imd << -40 << 2 << "" << "" << "" << "" << "Niveau de bruit: -40dB";
        QTest::newRow("clock channel 1") << ppm << 12 << 0 << "" << "" << "12 ppm" << "" << "";
        QTest::newRow("clock channel 2") << ppm << -7 << 1 << "" << "" << "" << "-7 ppm" << "";
        QTest::newRow("clock other") << ppm << 5 << 2 << "" << "" << "" << "" << "";
    }
    void readouts()
    {
        QFETCH(int, message);
        QFETCH(int, wParam);
        QFETCH(int, lParam);
        post(message, wParam, lParam);
        QTEST(m_form->IMDOne->text(), "imdOne");
        QTEST(m_form->IMDTwo->text(), "imdTwo");
        QTEST(m_form->PPMOne->text(), "ppmOne");
        QTEST(m_form->PPMTwo->text(), "ppmTwo");
        QTEST(m_form->StatusBar->panelText(1), "panel1");

        // ignored while stopped
        m_form->flags.CardActive = false;
        post(message, wParam + 1, lParam);
        QTEST(m_form->IMDOne->text(), "imdOne");
        QTEST(m_form->PPMTwo->text(), "ppmTwo");
        QTEST(m_form->StatusBar->panelText(1), "panel1");
    }
};

QTEST_MAIN(TestEngineNotifications)
#include "tst_enginenotifications.moc"
