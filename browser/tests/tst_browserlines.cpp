#include "browser/BrowserLines.h"
#include "displays/TuneButton.h"

#include <QtTest>

Q_DECLARE_METATYPE(BrowserHighlight)

class TestBrowserLines : public QObject
{
    Q_OBJECT
private slots:
    void highlight_data();
    void highlight();
    void lineText_data();
    void lineText();
    void modeAndSnr();
    void linesLowestFrequencyFirst();
    void buttonPicksTheChannel();
};

void TestBrowserLines::highlight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("myCall");
    QTest::addColumn<BrowserHighlight>("expected");
    const auto none = BrowserHighlight::None, cq = BrowserHighlight::Cq, call = BrowserHighlight::MyCall;
    QTest::newRow("cq") << "CQ CQ de F5XYZ" << "F4ABC" << cq;
    QTest::newRow("cq lower case") << "cq cq de f5xyz pse k" << "F4ABC" << cq;
    QTest::newRow("cq at the end") << "de F5XYZ CQ" << "F4ABC" << cq;
    QTest::newRow("cq inside a word") << "CQCQ ACQUIRE" << "F4ABC" << none;
    QTest::newRow("my call") << "F4ABC de F5XYZ" << "F4ABC" << call;
    QTest::newRow("my call lower case") << "f4abc de f5xyz" << "F4ABC" << call;
    QTest::newRow("my call portable") << "F4ABC/P de F5XYZ" << "F4ABC" << call;
    QTest::newRow("my call wins over cq") << "CQ F4ABC" << "F4ABC" << call;
    QTest::newRow("longer call") << "F4ABCD de F5XYZ" << "F4ABC" << none;
    QTest::newRow("call inside a word") << "XF4ABC" << "F4ABC" << none;
    QTest::newRow("call with spaces around it") << "F4ABC de F5XYZ" << " f4abc " << call;
    QTest::newRow("empty call never matches") << "de F5XYZ" << "" << none;
    QTest::newRow("call with regex characters") << "TO F4A.C" << "F4A.C" << call;
    QTest::newRow("regex characters taken literally") << "TO F4ABC" << "F4A.C" << none;
    QTest::newRow("plain text") << "name is Jean" << "F4ABC" << none;
}

void TestBrowserLines::highlight()
{
    QFETCH(QString, text);
    QFETCH(QString, myCall);
    QFETCH(BrowserHighlight, expected);
    QCOMPARE(browserHighlight(text, myCall), expected);
}

void TestBrowserLines::lineText_data()
{
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "CQ de F5XYZ" << "CQ de F5XYZ";
    QTest::newRow("CR LF is one space") << "CQ\r\nde" << "CQ de";
    QTest::newRow("lone CR and LF") << "a\rb\nc" << "a b c";
    QTest::newRow("tab") << "a\tb" << "a b";
    QTest::newRow("other controls left out") << QStringLiteral("a\x07") + QChar(0) + "b\x1b" << "ab";
    QTest::newRow("accents kept") << QStringLiteral("très bien") << QStringLiteral("très bien");
}

void TestBrowserLines::lineText()
{
    QFETCH(QString, received);
    QFETCH(QString, shown);
    QCOMPARE(browserLineText(received), shown);
}

void TestBrowserLines::modeAndSnr()
{
    QCOMPARE(browserModeName(0), QStringLiteral("BPSK"));
    QCOMPARE(browserModeName(1), QStringLiteral("QPSK"));
    QCOMPARE(browserModeName(2), QStringLiteral("QPSK"));
    QCOMPARE(browserSnrText(12.4), QStringLiteral("12 dB"));
    QCOMPARE(browserSnrText(-5.6), QStringLiteral("-6 dB"));
    QCOMPARE(browserSnrText(0.2), QStringLiteral("0 dB"));
}

void TestBrowserLines::linesLowestFrequencyFirst()
{
    std::vector<BrowserSignal> found{
        {7, 1800.6, 1, 3.0, true, QStringLiteral("F4ABC de F5XYZ")},
        {3, 950.2, 0, -4.0, false, QStringLiteral("CQ CQ")},
        {9, 1800.6, 0, 10.0, true, QStringLiteral("hello\r\n")},
        {1, 2400.0, 2, 20.0, true, QString()},
    };
    const std::vector<BrowserLine> lines = browserLines(found, QStringLiteral("F4ABC"));
    QCOMPARE(lines.size(), size_t(4));
    const std::array<int32_t, 4> ids{3, 7, 9, 1};
    for (size_t i = 0; i < ids.size(); ++i)
        QCOMPARE(lines[i].id, ids[i]);
    QCOMPARE(lines[0].freqHz, 950);
    QCOMPARE(lines[0].frequency, QStringLiteral("950"));
    QCOMPARE(lines[0].mode, QStringLiteral("BPSK"));
    QCOMPARE(lines[0].snr, QStringLiteral("-4 dB"));
    QCOMPARE(lines[0].highlight, BrowserHighlight::Cq);
    QVERIFY(!lines[0].receiving);
    QCOMPARE(lines[1].freqHz, 1801);
    QCOMPARE(lines[1].mode, QStringLiteral("QPSK"));
    QCOMPARE(lines[1].highlight, BrowserHighlight::MyCall);
    QCOMPARE(lines[2].text, QStringLiteral("hello "));
    QCOMPARE(lines[2].highlight, BrowserHighlight::None);
    QCOMPARE(lines[3].text, QString());
}

void TestBrowserLines::buttonPicksTheChannel()
{
    QCOMPARE(channelOfButton(Qt::LeftButton), 0);
    QCOMPARE(channelOfButton(Qt::RightButton), 1);
    QCOMPARE(channelOfButton(Qt::MiddleButton), -1);
    QCOMPARE(channelOfButton(Qt::BackButton), -1);
}

QTEST_GUILESS_MAIN(TestBrowserLines)
#include "tst_browserlines.moc"
