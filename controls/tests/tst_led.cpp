#include "controls/TLED.h"
#include "controls/TLEDLabel.h"

#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {

const QColor kParentColour(10, 20, 30);

// The body centre, the dark ring and a corner of a 12 x 13 LED cell.
constexpr QPoint kBody(6, 7);
constexpr QPoint kRing(6, 10);
constexpr QPoint kCorner(0, 0);

std::unique_ptr<QWidget> parentWidget()
{
    auto parent = std::make_unique<QWidget>();
    QPalette pal = parent->palette();
    pal.setColor(parent->backgroundRole(), kParentColour);
    parent->setPalette(pal);
    return parent;
}

} // namespace

class TestLed : public QObject
{
    Q_OBJECT
private slots:
    void stripLayout()
    {
        const QImage strip = ledStripImage();
        QCOMPARE(strip.size(), QSize(24, 52));
        QCOMPARE(strip.pixelColor(0, 51), QColor(0, 128, 128));
        // off and on bodies of each colour row; the disabled row is the background in both columns
        QCOMPARE(strip.pixelColor(kBody), QColor(128, 0, 0));
        QCOMPARE(strip.pixelColor(kBody + QPoint(12, 0)), QColor(255, 0, 0));
        QCOMPARE(strip.pixelColor(kBody + QPoint(12, 13)), QColor(0, 255, 0));
        QCOMPARE(strip.pixelColor(kBody + QPoint(0, 26)), QColor(128, 128, 0));
        QCOMPARE(strip.pixelColor(kBody + QPoint(0, 39)), QColor(0, 128, 128));
        QCOMPARE(strip.copy(0, 39, 12, 13), strip.copy(12, 39, 12, 13));
    }

    // On a screen of two device pixels per pixel the LED is drawn at that resolution:
    // the same colours in the same places, but a rounder outline than the 1x cell doubled.
    void cellAtTwiceTheResolution()
    {
        TLED led;
        const QImage one = TLEDBitmap::instance()->cell(1, 1, Qt::white);
        const QImage two = TLEDBitmap::instance()->cell(1, 1, Qt::white, 2.0);
        QCOMPARE(two.size(), QSize(24, 26));
        QCOMPARE(two.devicePixelRatio(), 2.0);
        QCOMPARE(two.pixelColor(2 * kBody.x(), 2 * kBody.y()), one.pixelColor(kBody));
        QCOMPARE(two.pixelColor(0, 0), QColor(Qt::white));
        const QImage doubled = one.scaled(one.size() * 2);
        QVERIFY(two.convertToFormat(doubled.format()) != doubled);
    }

    void cellFollowsLitColorAndEnabled_data()
    {
        QTest::addColumn<bool>("lit");
        QTest::addColumn<int>("color");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("body");
        QTest::newRow("red off") << false << int(TLED::lcRed) << true << QColor(128, 0, 0);
        QTest::newRow("red on") << true << int(TLED::lcRed) << true << QColor(255, 0, 0);
        QTest::newRow("green off") << false << int(TLED::lcGreen) << true << QColor(0, 128, 0);
        QTest::newRow("green on") << true << int(TLED::lcGreen) << true << QColor(0, 255, 0);
        QTest::newRow("yellow off") << false << int(TLED::lcYellow) << true << QColor(128, 128, 0);
        QTest::newRow("yellow on") << true << int(TLED::lcYellow) << true << QColor(255, 255, 0);
        QTest::newRow("disabled lit green") << true << int(TLED::lcGreen) << false << kParentColour;
        QTest::newRow("disabled red") << false << int(TLED::lcRed) << false << kParentColour;
    }
    void cellFollowsLitColorAndEnabled()
    {
        QFETCH(bool, lit);
        QFETCH(int, color);
        QFETCH(bool, enabled);
        QFETCH(QColor, body);
        auto parent = parentWidget();
        auto *led = new TLED(parent.get());
        led->setLit(lit);
        led->setColor(TLED::TLEDColor(color));
        led->setEnabled(enabled);
        const QImage image = led->ledImage();
        QCOMPARE(image.size(), QSize(12, 13));
        QCOMPARE(image.pixelColor(kBody), body);
        QCOMPARE(image.pixelColor(kRing), QColor(0, 0, 0));
        // transparent pixels take the parent's colour
        QCOMPARE(image.pixelColor(kCorner), kParentColour);
    }

    void ledStaysTwelveByThirteen()
    {
        TLED led;
        QCOMPARE(led.size(), QSize(12, 13));
        led.resize(30, 30);
        QCOMPARE(led.size(), QSize(12, 13));
        led.setGeometry(5, 5, 40, 2);
        QCOMPARE(led.size(), QSize(12, 13));
    }

    void changeStateOnlyOnRealChanges()
    {
        TLED led;
        QSignalSpy spy(&led, &TLED::OnChangeState);
        led.setLit(false);
        led.setColor(TLED::lcRed);
        QCOMPARE(spy.count(), 0);
        led.setLit(true);
        led.setColor(TLED::lcYellow);
        led.setEnabled(false);
        QCOMPARE(spy.count(), 3);
    }

    void sharedStripLivesWithTheLeds()
    {
        QVERIFY(!TLEDBitmap::instance());
        {
            TLED a;
            TLEDLabel b;
            QVERIFY(TLEDBitmap::instance());
        }
        QVERIFY(!TLEDBitmap::instance());
        TLED c;
        QVERIFY(TLEDBitmap::instance());
        QCOMPARE(TLEDBitmap::instance()->transparentColor(), QColor(0, 128, 128));
    }

    void labelLayout_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("led");
        QTest::addColumn<QRect>("caption");
        QTest::newRow("left") << int(TLEDLabel::caLeft) << QSize(62, 17) << QRect(50, 2, 12, 13) << QRect(0, 0, 47, 17);
        QTest::newRow("right") << int(TLEDLabel::caRight) << QSize(97, 17) << QRect(0, 2, 12, 13) << QRect(15, 0, 82, 17);
        QTest::newRow("top") << int(TLEDLabel::caTop) << QSize(40, 40) << QRect(14, 27, 12, 13) << QRect(0, 0, 40, 24);
        QTest::newRow("bottom") << int(TLEDLabel::caBottom) << QSize(41, 40) << QRect(14, 0, 12, 13) << QRect(0, 16, 41, 24);
        QTest::newRow("14 high") << int(TLEDLabel::caLeft) << QSize(66, 14) << QRect(54, 0, 12, 13) << QRect(0, 0, 51, 14);
    }
    void labelLayout()
    {
        QFETCH(int, alignment);
        QFETCH(QSize, size);
        QFETCH(QRect, led);
        QFETCH(QRect, caption);
        TLEDLabel label;
        label.setAlignment(TLEDLabel::TCaptionAlignment(alignment));
        label.resize(size);
        QCOMPARE(label.layoutRects().led, led);
        QCOMPARE(label.layoutRects().caption, caption);
    }

    void labelDefaults()
    {
        TLEDLabel label;
        QCOMPARE(label.size(), QSize(97, 17));
        QCOMPARE(label.Alignment(), TLEDLabel::caRight);
        QVERIFY(!label.Transparent());
        QVERIFY(!label.Lit());
        label.resize(200, 200);
        QCOMPARE(label.size(), QSize(200, 200));
    }

    void labelPaintsLedAndEngravedCaptionWhenDisabled()
    {
        auto parent = parentWidget();
        auto *label = new TLEDLabel(parent.get());
        label->setAlignment(TLEDLabel::caLeft);
        label->setCaption(QStringLiteral("MMMMMMMM"));
        label->resize(97, 17);
        label->setColor(TLED::lcGreen);
        label->setLit(true);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
        pal.setColor(QPalette::Light, QColor(255, 255, 255));
        pal.setColor(QPalette::Dark, QColor(128, 128, 128));
        label->setPalette(pal);
        QFont font = label->font();
        font.setStyleStrategy(QFont::NoAntialias);   // exact pen colours in the caption
        label->setFont(font);

        const auto coloursIn = [](const QImage &image, const QRect &r) {
            QSet<QRgb> seen;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    seen.insert(image.pixel(x, y));
            return seen;
        };

        QImage enabled = label->render();
        QCOMPARE(enabled.pixelColor(QPoint(85, 2) + kBody), QColor(0, 255, 0));
        QCOMPARE(enabled.pixelColor(85, 0), kParentColour);
        QSet<QRgb> caption = coloursIn(enabled, label->layoutRects().caption);
        QVERIFY(caption.contains(qRgb(0, 0, 255)));
        QVERIFY(!caption.contains(qRgb(128, 128, 128)));

        label->setEnabled(false);
        QImage disabled = label->render();
        QCOMPARE(disabled.pixelColor(QPoint(85, 2) + kBody), kParentColour);
        caption = coloursIn(disabled, label->layoutRects().caption);
        QVERIFY(!caption.contains(qRgb(0, 0, 255)));
        QVERIFY(caption.contains(qRgb(128, 128, 128)));
        QVERIFY(caption.contains(qRgb(255, 255, 255)));
    }

    void transparentLabelLeavesTheBackground()
    {
        auto parent = parentWidget();
        auto *label = new TLEDLabel(parent.get());
        label->setTransparent(true);
        const QImage image = label->render();
        QCOMPARE(image.pixelColor(50, 8).alpha(), 0);
    }
};

QTEST_MAIN(TestLed)
#include "tst_led.moc"
