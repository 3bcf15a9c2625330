#include "app/TPSKForm.h"
#include "channels/ReceiveChannels.h"
#include "channels/ReceiveTerminal.h"
#include "tests/support/FormHarness.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <memory>

class TestReceiveTerminal : public QObject
{
    Q_OBJECT

    FormHarness h;

    // The viewport point over character `index` of the pane's first line.
    static QPoint pointAt(QPlainTextEdit *pane, int index)
    {
        QTextCursor c(pane->document());
        c.setPosition(index);
        const QRect r = pane->cursorRect(c);
        return QPoint(r.x() + 3, r.center().y());
    }

private slots:
    void init()
    {
        QVERIFY(h.openShown());
        h.form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.form()));
    }

    void cleanup()
    {
        h.close();
    }

    void blankDelimitedWords_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("word");
        QTest::newRow("inside") << "cq de F6ABC/P pse" << 8 << "F6ABC/P";
        QTest::newRow("on the first letter") << "cq de F6ABC/P pse" << 6 << "F6ABC/P";
        QTest::newRow("just after the word") << "cq de F6ABC/P pse" << 13 << "F6ABC/P";
        QTest::newRow("line start") << "DL1XYZ k" << 0 << "DL1XYZ";
        QTest::newRow("line end") << "de ON4AB" << 8 << "ON4AB";
        QTest::newRow("between two blanks") << "a    b" << 3 << "";
        QTest::newRow("empty line") << "" << 0 << "";
        QTest::newRow("case and punctuation kept") << "<f5abc>, ok" << 2 << "<f5abc>,";
    }
    void blankDelimitedWords()
    {
        QFETCH(QString, line);
        QFETCH(int, pos);
        QFETCH(QString, word);
        const WordSpan span = blankDelimitedWord(line, pos);
        QCOMPARE(line.mid(span.start, span.end - span.start), word);
    }

    void copyText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("copied");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one line") << "abc" << "abc\r\n";
        QTest::newRow("two lines") << "ab\ncd" << "ab\r\ncd\r\n";
        QTest::newRow("ending with a break") << "ab\n" << "ab\r\n";
        QTest::newRow("blank line inside") << "ab\n\ncd" << "ab\r\n\r\ncd\r\n";
    }
    void copyText()
    {
        QFETCH(QString, text);
        QFETCH(QString, copied);
        QCOMPARE(paneCopyText(text), copied);
    }

    void callSignDoubleClickFromChannelTwo()
    {
        h.form().HisCall->setText(QStringLiteral("OLD"));
        h.form().receiveChannels->setCurrentChannel(0);
        QPlainTextEdit *pane = h.form().TermTwo;
        pane->setPlainText(QStringLiteral("cq cq de F6ABC/P pse k"));

        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, pointAt(pane, 11));

        QCOMPARE(h.form().HisCall->text(), QStringLiteral("F6ABC/P"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("F6ABC/P"));
        QCOMPARE(h.form().Canal->currentIndex(), 1);
        QCOMPARE(pane->textCursor().selectedText(), QStringLiteral("F6ABC/P"));
    }

    void doubleClickOnBlankEmptiesHisCall()
    {
        h.form().HisCall->setText(QStringLiteral("OLD"));
        QPlainTextEdit *pane = h.form().TermOne;
        pane->setPlainText(QStringLiteral("ab      cd"));
        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, pointAt(pane, 4));
        QCOMPARE(h.form().HisCall->text(), QString());
    }

    void enteringAPaneSelectsItsChannel()
    {
        h.form().Canal->setEnabled(false);   // as during a transmission
        h.form().TermTwo->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(h.form().Canal->currentIndex(), 1);
        h.form().TermOne->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(h.form().Canal->currentIndex(), 0);
    }

    // The focus given back to the pane that had it (window activated again after a
    // dialog or another program, a pop-up closed) is no choice of channel.
    void onlyARealFocusChangeSelectsTheChannel_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<int>("channel");
        QTest::newRow("mouse") << int(Qt::MouseFocusReason) << 1;
        QTest::newRow("tab key") << int(Qt::TabFocusReason) << 1;
        QTest::newRow("window activated again") << int(Qt::ActiveWindowFocusReason) << 0;
        QTest::newRow("pop-up closed") << int(Qt::PopupFocusReason) << 0;
    }
    void onlyARealFocusChangeSelectsTheChannel()
    {
        QFETCH(int, reason);
        h.form().Canal->setCurrentIndex(0);
        QFocusEvent in(QEvent::FocusIn, Qt::FocusReason(reason));
        QCoreApplication::sendEvent(h.form().TermTwo, &in);
        QTEST(h.form().Canal->currentIndex(), "channel");
    }

    void popupMenuClearAndCopy()
    {
        ReceiveTerminal &two = *h.form().receiveTerminals[1];
        QStringList captions;
        for (QAction *a : two.popup->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"Vider", "Copier", "Couleur", "Police"}));

        h.form().TermTwo->setPlainText(QStringLiteral("first\nsecond"));
        QTextCursor c = h.form().TermTwo->textCursor();
        c.setPosition(1);
        c.setPosition(3, QTextCursor::KeepAnchor);
        h.form().TermTwo->setTextCursor(c);
        two.copyAction->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("first\r\nsecond\r\n"));

        h.form().TermOne->setPlainText(QStringLiteral("keep"));
        two.clearAction->trigger();
        QCOMPARE(h.form().TermTwo->toPlainText(), QString());
        QCOMPARE(h.form().TermOne->toPlainText(), QStringLiteral("keep"));
        two.copyAction->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString());
    }

    void splittersKeepTwentyPixels()
    {
        QSplitter *splitter = h.form().TermSplitter;
        // Splitter1 stops at 20 both ways; Splitter2 closes TermOne below 20.
        splitter->setSizes({100, 1, 500});
        QCOMPARE(splitter->sizes().at(1), 20);
        splitter->setSizes({100, 500, 1});
        QCOMPARE(splitter->sizes().at(2), 20);
        splitter->setSizes({0, 100, 300});
        QCOMPARE(splitter->sizes().at(0), 0);
        QVERIFY(!splitter->isCollapsible(1));
        QVERIFY(!splitter->isCollapsible(2));
    }
};

QTEST_MAIN(TestReceiveTerminal)
#include "tst_receiveterminal.moc"
