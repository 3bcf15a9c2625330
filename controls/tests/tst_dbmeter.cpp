#include "controls/Tdbmeter.h"

#include <QEvent>
#include <QtTest>

namespace {

// The S-meters of the main window: 30 segments of 5 pixels over 151 x 13.
DbMeterLook sMeterLook()
{
    DbMeterLook l;
    l.greens = 15;
    l.greenMax = 50;
    l.yellows = 12;
    l.yellowMax = 30;
    l.reds = 3;
    l.redMax = 20;
    const QColor dimGreen(0, 128, 0);
    l.greenBack = l.yellowBack = l.redBack = dimGreen;
    l.sepColor = Qt::black;
    return l;
}

QImage render(const DbMeterLook &look, int position, QSize size = {151, 13})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    renderDbMeter(image, look, position);
    return image;
}

// Colour in the middle of segment i (1-based) of a horizontal 5-pixel segment meter.
QColor segmentColour(const QImage &image, int i)
{
    return image.pixelColor((i - 1) * 5 + 2, 6);
}

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestDbMeter : public QObject
{
    Q_OBJECT
private slots:
    void roundsHalvesToEven_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("2.51") << 2.51 << 3;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("-0.3") << -0.3 << 0;
    }
    void roundsHalvesToEven()
    {
        QFETCH(double, x);
        QFETCH(int, rounded);
        QCOMPARE(roundHalfEven(x), rounded);
    }

    void litCountOfTheSMeter_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("lit");
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("10") << 10 << 3;
        QTest::newRow("50") << 50 << 15;
        QTest::newRow("51 first yellow") << 51 << 16;
        QTest::newRow("80") << 80 << 27;
        QTest::newRow("81 first red") << 81 << 28;
        QTest::newRow("96") << 96 << 29;
        QTest::newRow("97") << 97 << 30;
        QTest::newRow("250") << 250 << 30;
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("-1") << -1 << 0;
        QTest::newRow("-5") << -5 << 0;
        // 15 / 50 x 25 = 7.5 rounds to the even 8; 5 gives 1.5 -> 2
        QTest::newRow("25 half up to even") << 25 << 8;
        QTest::newRow("5 half up to even") << 5 << 2;
    }
    void litCountOfTheSMeter()
    {
        QFETCH(int, position);
        QFETCH(int, lit);
        QCOMPARE(dbmeterLitCount(sMeterLook(), position), lit);
    }

    void emptyZonesLightEverything()
    {
        DbMeterLook l = sMeterLook();
        l.reds = 0;
        QCOMPARE(dbmeterLitCount(l, 85), 27);
        l = sMeterLook();
        l.yellows = 0;   // the yellow range no longer counts: 60 is then in the red zone
        QCOMPARE(dbmeterLitCount(l, 60), 15 + 2);
    }

    void segmentsSeparatorsAndBevel()
    {
        const QImage image = render(sMeterLook(), 60);   // 19 lit
        const QColor green(0, 255, 0), yellow(255, 255, 0), dim(0, 128, 0);
        QCOMPARE(segmentColour(image, 1), green);
        QCOMPARE(segmentColour(image, 15), green);
        QCOMPARE(segmentColour(image, 16), yellow);
        QCOMPARE(segmentColour(image, 19), yellow);
        QCOMPARE(segmentColour(image, 20), dim);
        QCOMPARE(segmentColour(image, 30), dim);
        // the fifth pixel of each segment is the black separator
        QCOMPARE(image.pixelColor(4, 6), QColor(Qt::black));
        QCOMPARE(image.pixelColor(9, 6), QColor(Qt::black));
        QCOMPARE(image.pixelColor(5, 6), green);
        // lowered bevel: grey top and left, white bottom and right
        QCOMPARE(image.pixelColor(40, 0), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(0, 6), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(40, 12), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(150, 6), QColor(255, 255, 255));
    }

    void raisedBevelSwapsTheColours()
    {
        DbMeterLook l = sMeterLook();
        l.bevel = DbMeterLook::Bevel::Raised;
        const QImage image = render(l, 0);
        QCOMPARE(image.pixelColor(40, 0), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(40, 12), QColor(128, 128, 128));
    }

    void showJustOneLightsOnlyTheTopSegment()
    {
        DbMeterLook l = sMeterLook();
        l.showJustOne = true;
        const QImage image = render(l, 60);
        for (int i = 1; i <= 30; ++i)
            QCOMPARE(segmentColour(image, i), i == 19 ? QColor(255, 255, 0) : QColor(0, 128, 0));
    }

    void leftUpMirrorsTheBar()
    {
        DbMeterLook l = sMeterLook();
        l.leftUp = true;
        const QImage image = render(l, 10);   // 3 lit, from the right end
        QCOMPARE(image.pixelColor(150 - 2, 6), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(150 - 12, 6), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(150 - 17, 6), QColor(0, 128, 0));
        QCOMPARE(image.pixelColor(150 - 4, 6), QColor(Qt::black));   // separator
    }

    void verticalBarGrowsDown()
    {
        DbMeterLook l = sMeterLook();
        l.vertical = true;
        l.bevel = DbMeterLook::Bevel::None;
        const QImage image = render(l, 10, {13, 151});
        QCOMPARE(image.pixelColor(6, 2), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(6, 4), QColor(Qt::black));
        QCOMPARE(image.pixelColor(6, 17), QColor(0, 128, 0));
        // the pixel row beyond the 30 segments of 5 keeps the background
        QCOMPARE(image.pixelColor(6, 150), QColor(Qt::black));
    }

    void noSegmentsOrTooNarrowDrawsOnlyBackgroundAndBevel_data()
    {
        QTest::addColumn<int>("greens");
        QTest::addColumn<int>("width");
        QTest::newRow("no segments") << 0 << 151;
        QTest::newRow("narrower than n x (SepWidth + 1)") << 15 << 59;
    }
    void noSegmentsOrTooNarrowDrawsOnlyBackgroundAndBevel()
    {
        QFETCH(int, greens);
        QFETCH(int, width);
        DbMeterLook l = sMeterLook();
        l.greens = greens;
        if (greens == 0)
            l.yellows = l.reds = 0;
        const QImage image = render(l, 100, {width, 13});
        for (int x = 1; x < width - 1; ++x)
            QCOMPARE(image.pixelColor(x, 6), QColor(Qt::black));
    }

    void widgetDefaultsAndBevelWidthRule()
    {
        Tdbmeter meter;
        QCOMPARE(meter.size(), QSize(80, 17));
        QCOMPARE(meter.BevelStyle(), Tdbmeter::bvLowered);
        QCOMPARE(meter.Greens() + meter.Yellows() + meter.Reds(), 6);
        QCOMPARE(meter.SepColor(), QColor(192, 192, 192));
        QCOMPARE(meter.Style(), Tdbmeter::dsHorizontal);
        QCOMPARE(meter.Direction(), Tdbmeter::ddRightDown);
        QCOMPARE(meter.property("Position").toInt(), 0);

        meter.resize(151, 13);
        meter.setBevelWidth(10);
        QCOMPARE(meter.BevelWidth(), 1);
        meter.setBevelWidth(0);
        QCOMPARE(meter.BevelWidth(), 1);
        meter.setBevelWidth(4);
        QCOMPARE(meter.BevelWidth(), 4);
    }

    void positionRepaintsOnlyWhenItChanges()
    {
        Tdbmeter meter;
        meter.show();
        QVERIFY(QTest::qWaitForWindowExposed(&meter));
        PaintCounter counter;
        meter.installEventFilter(&counter);
        meter.setPosition(40);
        QTRY_COMPARE(counter.paints, 1);
        meter.setPosition(40);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 1);
    }
};

QTEST_MAIN(TestDbMeter)
#include "tst_dbmeter.moc"
