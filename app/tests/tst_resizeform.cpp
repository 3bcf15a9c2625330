#include "app/ResizeForm.h"

#include <QtTest>

class TestResizeForm : public QObject
{
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("pageControl");
        QTest::addColumn<int>("termHeight");
        QTest::addColumn<int>("txBufHeight");
        QTest::addColumn<QRect>("monitor");
        QTest::addColumn<QPoint>("rightBtn");
        QTest::addColumn<QPoint>("leftBtn");
        QTest::addColumn<QPoint>("macroPage");
        QTest::addColumn<QPoint>("canal");
        QTest::addColumn<QPoint>("qsoBox");
        QTest::addColumn<int>("panel3");

        // Tab overhead 24, QSO box 147 wide, macro page 140 high, panels 50+120+150.
        QTest::newRow("design client 638x419")
            << QSize(638, 419) << QRect(35, 1, 418, 290) << 96 << 290 - 24 - 96 - 96 - 10
            << QRect(35, 292, 269, 82) << QPoint(286, 355) << QPoint(268, 355)
            << QPoint(458, 1) << QPoint(458, 145) << QPoint(307, 292) << 638 - 320 - 25;
        QTest::newRow("default window 645x450")
            << QSize(645, 450) << QRect(35, 1, 425, 321) << 107 << 321 - 24 - 107 - 107 - 10
            << QRect(35, 323, 276, 82) << QPoint(293, 386) << QPoint(275, 386)
            << QPoint(465, 1) << QPoint(465, 145) << QPoint(314, 323) << 645 - 320 - 25;
        // Page height 292 - 129 = 163: a third truncates to 54.
        QTest::newRow("thirds truncate")
            << QSize(700, 292) << QRect(35, 1, 480, 163) << 54 << 163 - 24 - 54 - 54 - 10
            << QRect(35, 165, 331, 82) << QPoint(348, 228) << QPoint(330, 228)
            << QPoint(520, 1) << QPoint(520, 145) << QPoint(369, 165) << 700 - 320 - 25;
    }

    void table()
    {
        QFETCH(QSize, client);
        ResizeInput in;
        in.client = client;
        in.tabTermOverhead = 24;
        const ResizeLayout out = computeResizeLayout(in);

        QTEST(out.PageControl, "pageControl");
        QTEST(out.TermOneHeight, "termHeight");
        QTEST(out.TermTwoHeight, "termHeight");
        QTEST(out.TxBufHeight, "txBufHeight");
        QTEST(out.Monitor, "monitor");
        QTEST(out.RightBtn, "rightBtn");
        QTEST(out.LeftBtn, "leftBtn");
        QTEST(out.MacroPage, "macroPage");
        QTEST(out.Canal, "canal");
        QTEST(out.QSOBox, "qsoBox");
        QTEST(out.statusPanel3Width, "panel3");
    }

    // Each rule reads the sizes set before it: the QSO box width narrows the monitor,
    // which moves the shift buttons and the QSO box.
    void laterRulesFollowEarlierSizes()
    {
        ResizeInput in;
        in.client = QSize(638, 419);
        in.qsoBoxWidth = 200;
        in.macroPageHeight = 160;
        const ResizeLayout out = computeResizeLayout(in);
        QCOMPARE(out.Monitor.width(), 418 - 200 - 2);
        QCOMPARE(out.RightBtn.x(), 216 + 17);
        QCOMPARE(out.LeftBtn.x(), 216 + 17 - 18);
        QCOMPARE(out.QSOBox.x(), 216 + 38);
        QCOMPARE(out.Canal.y(), 165);
    }

    // The strip dragged taller takes its height from the terminal page, within what
    // the page must keep; the QSO box stays at the strip's top, the shift buttons follow its bottom.
    void displayStripDraggedTaller_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("kept");
        QTest::newRow("design") << 0 << 0;
        QTest::newRow("100 taller") << 100 << 100;
        QTest::newRow("no lower than design") << -30 << 0;
        QTest::newRow("the page keeps 120") << 1000 << 321 - 120;
    }
    void displayStripDraggedTaller()
    {
        QFETCH(int, asked);
        QFETCH(int, kept);
        ResizeInput in;
        in.client = QSize(645, 450);
        in.displayStripExtra = asked;
        const ResizeLayout out = computeResizeLayout(in);
        QCOMPARE(out.displayStripExtra, kept);
        QCOMPARE(out.PageControl.height(), 321 - kept);
        QCOMPARE(out.Monitor, QRect(35, 323 - kept, 276, 82 + kept));
        QCOMPARE(out.QSOBox, QPoint(314, 323 - kept));
        QCOMPARE(out.RightBtn, QPoint(293, 386));
        QVERIFY(out.StripHandle.contains(35, out.Monitor.top() - 1));
    }
};

QTEST_MAIN(TestResizeForm)
#include "tst_resizeform.moc"
