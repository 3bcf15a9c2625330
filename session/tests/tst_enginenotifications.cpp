#include "ground/StatusBar.h"
#include "app/TPSKForm.h"
#include "channels/ReceiveChannels.h"
#include "controls/TLEDLabel.h"
#include "controls/Tdbmeter.h"
#include "displays/Displays.h"
#include "engine/EngineMessage.h"
#include "session/EngineNotifications.h"
#include "channels/ReceivedText.h"
#include "tests/support/FormHarness.h"
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

    FormHarness h;

    void receive(const QList<int> &codes, int channel = 0)
    {
        for (int c : codes)
            h.post(EngineMessage::Character, c, channel);
    }

private slots:
    void init()
    {
        QVERIFY(h.openShown());
        h.form().flags.CardActive = true;
        h.engine().clearCalls();
        h.dialogs().clear();
    }

    void cleanup()
    {
        h.form().flags.CardActive = false;
        h.close();
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
        h.form().Monitor->setCurrentIndex(tab);
        h.form().receiveChannels->setCurrentChannel(channel);
        h.engine().setSignalLevel(0, 40);
        h.engine().setSignalLevel(1, 85);
        h.engine().setRxFrequency(0, 1234);
        h.engine().setRxFrequency(1, 4100);   // the field keeps its range
        h.engine().setRawData({7, -7, 9});
        h.engine().clearCalls();

        h.post(EngineMessage::NewData);

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
        QCOMPARE(h.engine().calls(), expected);
        QCOMPARE(h.form().SMOne->Position(), 40);
        QCOMPARE(h.form().SMTwo->Position(), 85);
        QCOMPARE(h.form().RXOne->value(), 1234.0);
        QCOMPARE(h.form().RXTwo->value(), 3996.0);
        if (tab == 2) {
            QCOMPARE(h.form().displays->rawData()[1], -7);
            QCOMPARE(h.form().StatusBar->panelText(2), QString());
            QVERIFY(!h.form().RXLed->Lit());
        } else {
            QCOMPARE(h.form().StatusBar->panelText(2), QStringLiteral("Réception en cours..."));
            QVERIFY(h.form().RXLed->Lit());
        }
    }

    void dataMessageIgnoredWhileStopped()
    {
        h.form().flags.CardActive = false;
        h.post(EngineMessage::NewData);
        QVERIFY(h.engine().calls().isEmpty());
    }

    void saturationBeepsAtEveryMessage()
    {
        h.form().TXLed->setLit(true);
        h.engine().setSaturated(true);
        h.post(EngineMessage::NewData);
        h.post(EngineMessage::NewData);
        QCOMPARE(h.dialogs().beeps(), 2);
        QVERIFY(h.dialogs().messages().isEmpty());
        QCOMPARE(h.form().StatusIcon, 15);
        QCOMPARE(h.form().StatusMessage, kSaturation);
        QVERIFY(h.form().notifications->Overload());
        // no reception notice while saturated
        QVERIFY(h.form().TXLed->Lit());
        QVERIFY(!h.form().RXLed->Lit());

        // the "Signal" tab does not look at saturation
        h.form().Monitor->setCurrentIndex(2);
        h.post(EngineMessage::NewData);
        QCOMPARE(h.dialogs().beeps(), 2);
        QVERIFY(h.form().notifications->Overload());
    }

    void receptionNoticeNotWhileTransmitting()
    {
        h.form().flags.Transmitting = true;
        h.form().TXLed->setLit(true);
        h.post(EngineMessage::NewData);
        QVERIFY(h.form().TXLed->Lit());
        QVERIFY(!h.form().RXLed->Lit());
        QCOMPARE(h.form().StatusBar->panelText(2), QString());
        h.form().flags.Transmitting = false;
        h.post(EngineMessage::NewData);
        QVERIFY(!h.form().TXLed->Lit());
        QVERIFY(h.form().RXLed->Lit());
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
        h.form().receiveChannels->setCurrentChannel(current);
        h.post(EngineMessage::Character, 'K', lParam);
        QPlainTextEdit *panes[2] = {h.form().TermOne, h.form().TermTwo};
        QCOMPARE(panes[pane]->toPlainText(), QStringLiteral("K"));
        QCOMPARE(panes[1 - pane]->toPlainText(), QString());
    }

    void onlyUsedCodesAreTyped()
    {
        // 9 tab, 10 line feed, 0, 31 and 300 are dropped; wParam's high bits are not the code
        receive({'C', 9, 'Q', 10, 0, 31, 300, 0x10000 + ' ', 13, 0xE9, 0x80, 0xFF});
        QCOMPARE(h.form().TermOne->toPlainText(), QStringLiteral("CQ \n\u00e9\u20ac\u00ff"));
    }

    void backspaceAfterLineBreakJoinsTheLines()
    {
        receive({'A', 'B', 13, 8});
        QCOMPARE(h.form().TermOne->toPlainText(), QStringLiteral("AB"));
        QCOMPARE(h.form().TermOne->document()->blockCount(), 1);
        receive({8, 8, 8});
        QCOMPARE(h.form().TermOne->toPlainText(), QString());
    }

    void typedAtTheCaretCancellingTheSelection()
    {
        h.form().TermOne->setPlainText(QStringLiteral("AC"));
        QTextCursor c = h.form().TermOne->textCursor();
        c.setPosition(0);
        c.setPosition(1, QTextCursor::KeepAnchor);   // "A" selected, caret after it
        h.form().TermOne->setTextCursor(c);
        receive({'B'});
        QCOMPARE(h.form().TermOne->toPlainText(), QStringLiteral("ABC"));
        QCOMPARE(h.form().TermOne->textCursor().position(), 2);
    }

    void stoppedDropsCharactersButStillTrims()
    {
        h.form().TermTwo->setPlainText(lines(130));
        h.form().flags.CardActive = false;
        receive({'X'}, 1);
        QCOMPARE(displayedLineCount(h.form().TermTwo), 129);
        QVERIFY(!h.form().TermTwo->toPlainText().contains(QLatin1Char('X')));
        QVERIFY(h.form().TermTwo->toPlainText().startsWith(QStringLiteral("line2\n")));
    }

    void receivePaneTrimmedInTheSameMessage()
    {
        h.form().TermOne->setPlainText(lines(128));
        QCOMPARE(displayedLineCount(h.form().TermOne), 128);
        QTextCursor c = h.form().TermOne->textCursor();
        c.setPosition(3);   // the operator's caret inside the text
        h.form().TermOne->setTextCursor(c);
        c.movePosition(QTextCursor::End);
        h.form().TermOne->setTextCursor(c);

        receive({13});
        QCOMPARE(displayedLineCount(h.form().TermOne), 128);
        QVERIFY(h.form().TermOne->toPlainText().startsWith(QStringLiteral("line2\n")));
        QVERIFY(h.form().TermOne->toPlainText().endsWith(QStringLiteral("line128\n")));
        QCOMPARE(h.form().TermOne->textCursor().position(), h.form().TermOne->document()->characterCount() - 1);
    }

    void wrappedPiecesCountAsLines()
    {
        QPlainTextEdit *pane = h.form().TermOne;
        const QString longLine = QStringLiteral("abcdefg ").repeated(60);
        pane->setPlainText(longLine + QLatin1Char('\n') + lines(127));
        const QTextBlock first = pane->document()->begin();
        const int pieces = displayedLineCount(pane) - 127;
        QVERIFY2(pieces > 2, "the first line must wrap");
        const int firstPiece = first.layout()->lineAt(0).textLength();

        receive({'z'}, 1);   // a character for the other channel leaves this pane alone
        QCOMPARE(displayedLineCount(pane), 127 + pieces);
        receive({0}, 0);     // a dropped code still trims the pane of its channel
        QCOMPARE(displayedLineCount(pane), 127 + pieces - 1);
        QCOMPARE(pane->document()->begin().text(), longLine.mid(firstPiece));
    }

    void transmitPaneTrimmedAtTheNextCharacter()
    {
        h.form().TxBuf->setPlainText(lines(66, QStringLiteral("tx")));
        receive({'a'}, 1);
        QCOMPARE(displayedLineCount(h.form().TxBuf), 65);
        QVERIFY(h.form().TxBuf->toPlainText().startsWith(QStringLiteral("tx2\n")));
        receive({'b'}, 0);
        QCOMPARE(displayedLineCount(h.form().TxBuf), 64);
        receive({'c'}, 0);
        QCOMPARE(displayedLineCount(h.form().TxBuf), 64);
        QVERIFY(h.form().TxBuf->toPlainText().startsWith(QStringLiteral("tx3\n")));
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
        h.post(message, wParam, lParam);
        QTEST(h.form().IMDOne->text(), "imdOne");
        QTEST(h.form().IMDTwo->text(), "imdTwo");
        QTEST(h.form().PPMOne->text(), "ppmOne");
        QTEST(h.form().PPMTwo->text(), "ppmTwo");
        QTEST(h.form().StatusBar->panelText(1), "panel1");

        // ignored while stopped
        h.form().flags.CardActive = false;
        h.post(message, wParam + 1, lParam);
        QTEST(h.form().IMDOne->text(), "imdOne");
        QTEST(h.form().PPMTwo->text(), "ppmTwo");
        QTEST(h.form().StatusBar->panelText(1), "panel1");
    }
};

QTEST_MAIN(TestEngineNotifications)
#include "tst_enginenotifications.moc"
