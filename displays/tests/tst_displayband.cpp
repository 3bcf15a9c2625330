#include "displays/DisplayBand.h"

#include <QtTest>

class TestDisplayBand : public QObject
{
    Q_OBJECT

private slots:
    void derivedValues_data();
    void derivedValues();
    void pixelToHz_data();
    void pixelToHz();
    void hzToPixel_data();
    void hzToPixel();
    void binToPixel_data();
    void binToPixel();
    void shift_data();
    void shift();
    void readout();
    void mappable_data();
    void mappable();
};

void TestDisplayBand::derivedValues_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("span");
    QTest::newRow("default 100-3500") << 100 << 3500 << 3400 << 25 << 896 << 871;
    QTest::newRow("400 Hz band 1000-1400") << 1000 << 1400 << 400 << 256 << 358 << 102;
    QTest::newRow("left limit 1-400") << 1 << 400 << 399 << 0 << 102 << 102;
}

void TestDisplayBand::derivedValues()
{
    QFETCH(int, low);
    QFETCH(int, high);
    const DisplayBand band{low, high};
    QTEST(band.bandWidth(), "width");
    QTEST(band.firstBin(), "first");
    QTEST(band.lastBin(), "last");
    QTEST(band.binSpan(), "span");
}

void TestDisplayBand::pixelToHz_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("hz");
    QTest::newRow("middle of 262") << 131 << 262 << 1800;
    QTest::newRow("left edge") << 0 << 262 << 100;
    QTest::newRow("right edge") << 262 << 262 << 3500;
    // A release left of the display: the product truncates toward zero, not down.
    QTest::newRow("released left of display") << -10 << 262 << -29;
    QTest::newRow("released right of display") << 400 << 262 << 5290;
}

void TestDisplayBand::pixelToHz()
{
    QFETCH(int, x);
    QFETCH(int, width);
    QTEST(DisplayBand{}.pixelToHz(x, width), "hz");
}

void TestDisplayBand::hzToPixel_data()
{
    QTest::addColumn<int>("hz");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("x");
    QTest::newRow("channel 1 at start") << 1550 << 262 << 111;
    QTest::newRow("channel 2 at start") << 2050 << 262 << 150;
    QTest::newRow("below band truncates toward zero") << 50 << 262 << -3;
    QTest::newRow("upper edge is just outside") << 3500 << 262 << 262;
    // 3896 * 1000000 does not fit in 32 bits.
    QTest::newRow("wide display needs 64 bits") << 3996 << 1000000 << 1145882;
}

void TestDisplayBand::hzToPixel()
{
    QFETCH(int, hz);
    QFETCH(int, width);
    QTEST(DisplayBand{}.hzToPixel(hz, width), "x");
}

void TestDisplayBand::binToPixel_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("bin");
    QTest::addColumn<int>("x");
    // Default band on 262 pixels: about 3.3 bins a column.
    QTest::newRow("first bin") << 100 << 3500 << 25 << 0;
    QTest::newRow("fourth bin still column 0") << 100 << 3500 << 28 << 0;
    QTest::newRow("fifth bin column 1") << 100 << 3500 << 29 << 1;
    QTest::newRow("last bin just outside") << 100 << 3500 << 896 << 262;
    // 400 Hz band: about 2.6 columns a bin.
    QTest::newRow("400 Hz second bin") << 1000 << 1400 << 257 << 2;
    QTest::newRow("400 Hz third bin") << 1000 << 1400 << 258 << 5;
    QTest::newRow("400 Hz fourth bin") << 1000 << 1400 << 259 << 7;
}

void TestDisplayBand::binToPixel()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, bin);
    QTEST((DisplayBand{low, high}.binToPixel(bin, 262)), "x");
}

void TestDisplayBand::shift_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("newLow");
    QTest::addColumn<int>("newHigh");
    QTest::addColumn<bool>("leftEnabled");
    QTest::addColumn<bool>("rightEnabled");
    QTest::newRow("150-3450 left") << 150 << 3450 << false << 50 << 3350 << false << true;
    QTest::newRow("150-3450 right narrows") << 150 << 3450 << true << 250 << 3500 << true << false;
    QTest::newRow("200-3400 right") << 200 << 3400 << true << 300 << 3500 << true << false;
    QTest::newRow("lower edge stops at 1") << 60 << 500 << false << 1 << 400 << false << true;
    QTest::newRow("middle band both ways") << 1000 << 2000 << false << 900 << 1900 << true << true;
}

void TestDisplayBand::shift()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(bool, right);
    DisplayBand band{low, high};
    if (right)
        band.shiftRight();
    else
        band.shiftLeft();
    QTEST(band.WFMin, "newLow");
    QTEST(band.WFMax, "newHigh");
    QTEST(band.canShiftLeft(), "leftEnabled");
    QTEST(band.canShiftRight(), "rightEnabled");
}

void TestDisplayBand::readout()
{
    QCOMPARE(frequencyReadout(1234), QStringLiteral("1234Hz"));
    QCOMPARE(frequencyReadout(DisplayBand{}.pixelToHz(0, 262)), QStringLiteral("100Hz"));
    QCOMPARE(frequencyReadout(-29), QStringLiteral("-29Hz"));
}

void TestDisplayBand::mappable_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("mappable");
    QTest::newRow("default") << 100 << 3500 << true;
    QTest::newRow("left limit") << 1 << 400 << true;
    QTest::newRow("never read: 0-0") << 0 << 0 << false;
    QTest::newRow("upper edge past the FFT data") << 100 << 9000 << false;
    QTest::newRow("edges swapped") << 2000 << 1000 << false;
    QTest::newRow("both edges in one bin") << 1000 << 1002 << false;
    // Its bin product overflows an int into a positive span.
    QTest::newRow("upper edge -1048577 Hz") << 100 << -1048577 << false;
    QTest::newRow("lower edge -1048577 Hz") << -1048577 << 3500 << false;
}

void TestDisplayBand::mappable()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QTEST((DisplayBand{low, high}.isMappable()), "mappable");
}

QTEST_MAIN(TestDisplayBand)
#include "tst_displayband.moc"
