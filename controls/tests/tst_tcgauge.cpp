#include "controls/TCGauge.h"

#include <QtTest>

// The band gauge as the configuration dialog sets it up: 0-3600 Hz over 375 px.
namespace {
GaugeScale dialogScale()
{
    GaugeScale scale;
    scale.minValue = 0;
    scale.maxValue = 3600;
    scale.marginLeft = 8;
    scale.gaugeWidth = 375;
    scale.valueCursor = 5;
    return scale;
}

void setUpLikeDialog(TCGauge &gauge)
{
    gauge.resize(400, 70);
    gauge.setMaxValue(3600);
    gauge.setMinValue(0);
    gauge.setScaleStep(300);
    gauge.setAreaCursor(true);
    gauge.setValueShow(false);
    gauge.setValueCursor(5);
    gauge.setMarginLeft(8);
    gauge.setGaugeWidth(375);
    gauge.setGaugeTop(20);
    gauge.setGaugeHeight(12);
    gauge.setAreaRight(3000);
    gauge.setAreaLeft(75);
}
} // namespace

class TestTCGauge : public QObject
{
    Q_OBJECT
private slots:
    void positionOfValue_data();
    void positionOfValue();
    void valueUnderPointer_data();
    void valueUnderPointer();
    void grabRule_data();
    void grabRule();
    void endLabelsStayInside();
    void setterInvariants();
    void leftEdgeSetFirstStopsAtRightEdge();
    void dragStopsAtOtherEdgeAndEnds();
    void midpointPressGrabsNothing();
    void pressOutsideRowsGrabsNothingButDragIgnoresRows();
    void readOnlyIgnoresMouse();
    void valueModeDrag();
    void paintsWithoutTouchingState();
    void undefinedScaleDoesNotCrash();
};

void TestTCGauge::positionOfValue_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("x");
    QTest::newRow("0") << 0 << 10;
    QTest::newRow("100") << 100 << 20;
    QTest::newRow("3000") << 3000 << 318;
    QTest::newRow("3500") << 3500 << 369;
    QTest::newRow("3600") << 3600 << 380;
}

void TestTCGauge::positionOfValue()
{
    QFETCH(int, value);
    QFETCH(int, x);
    QCOMPARE(gaugePos(dialogScale(), value), x);
}

void TestTCGauge::valueUnderPointer_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("value");
    QTest::newRow("scale start") << 10 << 0;
    QTest::newRow("on the 3000 mark") << 318 << 2956;
    QTest::newRow("on the 3600 end") << 380 << 3552;
    QTest::newRow("left of the scale truncates toward zero") << 9 << -9;
}

void TestTCGauge::valueUnderPointer()
{
    QFETCH(int, x);
    QFETCH(int, value);
    QCOMPARE(gaugeValueAt(dialogScale(), x), value);
}

void TestTCGauge::grabRule_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("expected");
    QTest::newRow("nearer left") << 200 << int(GaugeGrab::Left);
    QTest::newRow("nearer right") << 900 << int(GaugeGrab::Right);
    QTest::newRow("midpoint") << 550 << int(GaugeGrab::None);
    QTest::newRow("beyond right") << 2000 << int(GaugeGrab::Right);
    QTest::newRow("before left") << 0 << int(GaugeGrab::Left);
}

void TestTCGauge::grabRule()
{
    QFETCH(int, v);
    QFETCH(int, expected);
    QCOMPARE(int(gaugeAreaGrab(v, 100, 1000)), expected);
}

void TestTCGauge::endLabelsStayInside()
{
    // "0" centred on x0 = 10 and "3600" centred on 380 in a 385 px control.
    QCOMPARE(gaugeLabelLeft(10, 7, 385), 7);
    QCOMPARE(gaugeLabelLeft(1, 7, 385), 2);
    QCOMPARE(gaugeLabelLeft(380, 28, 385), 385 - 2 - 28);
    QCOMPARE(gaugeLabelLeft(200, 28, 385), 186);
}

void TestTCGauge::setterInvariants()
{
    TCGauge gauge;
    gauge.setMinValue(150);   // max is 100
    QCOMPARE(gauge.MinValue(), 99);
    gauge.setMaxValue(10);
    QCOMPARE(gauge.MaxValue(), 100);
    gauge.setMinValue(0);
    gauge.setValue(500);
    QCOMPARE(gauge.Value(), 100);
    gauge.setValue(-5);
    QCOMPARE(gauge.Value(), 0);
    // Moving the ends leaves the value and the area alone.
    gauge.setValue(90);
    gauge.setMaxValue(50);
    QCOMPARE(gauge.Value(), 90);
    QCOMPARE(gauge.AreaRight(), 75);
}

void TestTCGauge::leftEdgeSetFirstStopsAtRightEdge()
{
    TCGauge gauge;
    gauge.setMaxValue(3600);
    gauge.setAreaRight(3000);
    gauge.setAreaLeft(3200);
    gauge.setAreaRight(3400);
    QCOMPARE(gauge.AreaLeft(), 3000);
    QCOMPARE(gauge.AreaRight(), 3400);
}

void TestTCGauge::dragStopsAtOtherEdgeAndEnds()
{
    TCGauge gauge;
    setUpLikeDialog(gauge);
    gauge.setAreaLeft(1000);
    gauge.setAreaRight(1400);
    const int row = 25;
    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(gaugePos(gauge.scale(), 1000), row));
    QCOMPARE(gauge.grabState(), GaugeGrab::Left);
    QTest::mouseMove(&gauge, QPoint(300, row));
    QCOMPARE(gauge.AreaLeft(), 1400);
    QCOMPARE(gauge.AreaRight() - gauge.AreaLeft(), 0);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, QPoint(300, row));
    QCOMPARE(gauge.grabState(), GaugeGrab::None);

    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(gaugePos(gauge.scale(), 1400) + 5, row));
    QCOMPARE(gauge.grabState(), GaugeGrab::Right);
    QTest::mouseMove(&gauge, QPoint(399, row));
    QCOMPARE(gauge.AreaRight(), 3600);
}

void TestTCGauge::midpointPressGrabsNothing()
{
    TCGauge gauge;
    setUpLikeDialog(gauge);
    // x = 110 reads (110 - 10) * 3600 / 375 = 960, halfway between 460 and 1460.
    gauge.setAreaLeft(460);
    gauge.setAreaRight(1460);
    const int midX = 110;
    QCOMPARE(gaugeValueAt(gauge.scale(), midX), 960);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(midX, 25));
    QCOMPARE(gauge.grabState(), GaugeGrab::None);
    QTest::mouseMove(&gauge, QPoint(50, 25));
    QCOMPARE(gauge.AreaLeft(), 460);
    QCOMPARE(gauge.AreaRight(), 1460);
}

void TestTCGauge::pressOutsideRowsGrabsNothingButDragIgnoresRows()
{
    TCGauge gauge;
    setUpLikeDialog(gauge);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(20, 19));
    QCOMPARE(gauge.grabState(), GaugeGrab::None);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, QPoint(20, 19));
    // Both row bounds are inside.
    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(20, 32));
    QCOMPARE(gauge.grabState(), GaugeGrab::Left);
    QTest::mouseMove(&gauge, QPoint(gaugePos(gauge.scale(), 600), 60));
    QCOMPARE(gauge.AreaLeft(), gaugeValueAt(gauge.scale(), gaugePos(gauge.scale(), 600)));
    QCOMPARE(gauge.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&gauge, QPoint(gaugePos(gauge.scale(), 600), 22));
    QCOMPARE(gauge.cursor().shape(), Qt::SplitHCursor);
}

void TestTCGauge::readOnlyIgnoresMouse()
{
    TCGauge gauge;
    setUpLikeDialog(gauge);
    gauge.setReadOnly(true);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(20, 25));
    QCOMPARE(gauge.grabState(), GaugeGrab::None);
    QTest::mouseMove(&gauge, QPoint(200, 25));
    QCOMPARE(gauge.AreaLeft(), 75);
    QCOMPARE(gauge.cursor().shape(), Qt::ArrowCursor);
}

void TestTCGauge::valueModeDrag()
{
    TCGauge gauge;   // defaults: value mode, 0-100 over 220 px, cursor 10
    QTest::mousePress(&gauge, Qt::RightButton, {}, QPoint(100, 30));
    QCOMPARE(gauge.grabState(), GaugeGrab::Value);
    QTest::mouseMove(&gauge, QPoint(123, 70));
    QCOMPARE(gauge.Value(), (123 - 8 - 5) * 100 / 220);
}

void TestTCGauge::paintsWithoutTouchingState()
{
    TCGauge gauge;
    setUpLikeDialog(gauge);
    const QImage image = gauge.grab().toImage();
    QVERIFY(!image.isNull());
    // The area between the cursors is filled with the face colour, outside with the gauge colour.
    const QColor outside = image.pixelColor(gaugePos(gauge.scale(), 3300), 26);
    QCOMPARE(outside, gauge.GaugeColor());
    const QColor inside = image.pixelColor(gaugePos(gauge.scale(), 1500), 26);
    QCOMPARE(inside, gauge.Color());
    QCOMPARE(gauge.AreaLeft(), 75);
}

void TestTCGauge::undefinedScaleDoesNotCrash()
{
    TCGauge gauge;
    gauge.setScaleStep(0);
    gauge.setGaugeWidth(0);
    QVERIFY(!gauge.grab().toImage().isNull());
    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(20, 30));
    QTest::mouseMove(&gauge, QPoint(40, 30));
    QCOMPARE(gauge.Value(), gauge.MinValue());
    gauge.setScaleStep(1000);   // beyond the range: no tick at all
    QVERIFY(!gauge.grab().toImage().isNull());
}

QTEST_MAIN(TestTCGauge)
#include "tst_tcgauge.moc"
