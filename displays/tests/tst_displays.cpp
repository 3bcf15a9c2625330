#include "ground/StatusBar.h"
#include "app/TPSKForm.h"
#include "displays/DisplayColours.h"
#include "displays/Displays.h"
#include "displays/ScopeRenderers.h"
#include "displays/SpectrumRenderer.h"
#include "displays/TPaintBox.h"
#include "engine/EngineMessage.h"
#include "tests/support/FormHarness.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWidth = 262; // the waterfall's and spectrum's width at design size

QRgb rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xffffff;
}

// Pixels of the image that are not `colour`.
int pixelsOtherThan(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += rgb(image, x, y) != (colour & 0xffffff);
    return count;
}

// The synchro bars that fall inside the display (the last one may fall just outside).
QList<int> syncColumns(int width)
{
    QList<int> columns;
    for (int k = 1; k <= 15; ++k)
        if (syncBarColumn(k, width) < width)
            columns << syncBarColumn(k, width);
    return columns;
}

} // namespace

class TestDisplays : public QObject
{
    Q_OBJECT

    FormHarness h;

    Displays &displays() { return *h.form().displays; }

    // Both band displays at the design width, laid out at once.
    void setDisplayWidths()
    {
        h.form().WaterfallDisplay->setFixedWidth(kWidth);
        h.form().SpectrumDisplay->setFixedWidth(kWidth);
        for (int tab : {1, 0}) { // a tab's layout runs when it is shown
            h.form().Monitor->setCurrentIndex(tab);
            QCoreApplication::processEvents();
        }
        QCOMPARE(h.form().WaterfallDisplay->width(), kWidth);
        QCOMPARE(h.form().SpectrumDisplay->width(), kWidth);
    }

private slots:
    void init();
    void cleanup();

    void clickToTune_data();
    void clickToTune();
    void afcPullTakesOneSecondHandlingMessages();
    void bandShiftButtons_data();
    void bandShiftButtons();
    void readoutFollowsMouse();
    void labelsRideOnMarkers();
    void waterfallAdvancesBehindOtherTabsNotOnSignal();
    void resizeAndEngineStartClearHistory();
    void stoppedLooks();
    void connectClearsTheWaterfallHistory();
    void disconnectDrawsTheStoppedLooks();
    void windowResizeClearsTheHistory();
    void connectionIconsAndShiftsFollowTheEngine();
    void readoutsStayAfterADisconnect();
    void unusableStoredBandShowsDefault();
};

void TestDisplays::init()
{
    QVERIFY(h.openShown());
    setDisplayWidths();
    h.engine().clearCalls();
}

void TestDisplays::cleanup()
{
    h.form().flags.CardActive = false;
    h.close();
}

void TestDisplays::clickToTune_data()
{
    QTest::addColumn<bool>("spectrum");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("hz");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("left at 131: channel 1, 1800 Hz")
        << false << int(Qt::LeftButton) << 131 << 0 << 1800
        << QStringList{"fnSetRXFrequency(1800, 0, 0)"};
    QTest::newRow("right at 131: channel 2, 1800 Hz")
        << false << int(Qt::RightButton) << 131 << 1 << 1800
        << QStringList{"fnSetRXFrequency(1800, 0, 1)"};
    QTest::newRow("spectrum left at 131")
        << true << int(Qt::LeftButton) << 131 << 0 << 1800
        << QStringList{"fnSetRXFrequency(1800, 0, 0)"};
    // Released beyond the edges: the formula's value, clamped by the field.
    QTest::newRow("released left of the display")
        << false << int(Qt::LeftButton) << -40 << 0 << 1
        << QStringList{"fnSetRXFrequency(1, 0, 0)"};
    QTest::newRow("released right of the display")
        << true << int(Qt::RightButton) << 400 << 1 << 3996
        << QStringList{"fnSetRXFrequency(3996, 0, 1)"};
    QTest::newRow("middle button does nothing")
        << false << int(Qt::MiddleButton) << 131 << -1 << -1 << QStringList{};
}

void TestDisplays::clickToTune()
{
    QFETCH(bool, spectrum);
    QFETCH(int, button);
    QFETCH(int, x);
    QFETCH(int, tab);
    QFETCH(int, hz);
    QFETCH(QStringList, calls);

    h.form().Monitor->setCurrentIndex(spectrum ? 1 : 0);
    QCoreApplication::processEvents();
    // Start on the other channel's tab so that the switch shows.
    const int startTab = tab == 0 ? 1 : 0;
    h.form().Canal->setCurrentIndex(startTab);
    const std::array<double, 2> before{h.form().RXOne->value(), h.form().RXTwo->value()};
    h.engine().clearCalls();

    TPaintBox *display = spectrum ? h.form().SpectrumDisplay : h.form().WaterfallDisplay;
    const auto mouseButton = Qt::MouseButton(button);
    // Pressed inside, released where the row says (the display keeps the mouse).
    QTest::mousePress(display, mouseButton, {}, QPoint(131, 10));
    QTest::mouseRelease(display, mouseButton, {}, QPoint(x, 10));

    QCOMPARE(h.engine().calls(), calls);
    if (tab < 0) {
        QCOMPARE(h.form().Canal->currentIndex(), startTab);
        QCOMPARE(h.form().RXOne->value(), before[0]);
        QCOMPARE(h.form().RXTwo->value(), before[1]);
        return;
    }
    QCOMPARE(h.form().Canal->currentIndex(), tab);
    QCOMPARE(h.form().Canal->tabText(tab), tab == 0 ? QStringLiteral("Canal 1") : QStringLiteral("Canal 2"));
    QCOMPARE(int((tab == 0 ? h.form().RXOne : h.form().RXTwo)->value()), hz);
    QCOMPARE((tab == 0 ? h.form().RXTwo : h.form().RXOne)->value(), before[1 - tab]);
}

void TestDisplays::afcPullTakesOneSecondHandlingMessages()
{
    h.form().flags.CardActive = true;
    h.form().AFCOne->setChecked(false);
    h.form().AFCOneRg->setValue(25); // the width is used for the pull even with AFC off
    h.engine().clearCalls();

    // Queued now, run by the wait: the engine settles 12 Hz higher and reports new data.
    QMetaObject::invokeMethod(&h.form(), [this] {
        h.engine().setRxFrequency(0, 1812);
        h.engine().post(EngineMessage::NewData, 0, 0, &h.form());
    }, Qt::QueuedConnection);
    QElapsedTimer clock;
    clock.start();
    displays().WaterfallDisplayMouseUp(Qt::LeftButton, 131);
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));

    const QStringList calls = h.engine().calls();
    QCOMPARE(calls.first(), QStringLiteral("fnSetRXFrequency(1800, 0, 0)"));
    QCOMPARE(calls.at(1), QStringLiteral("fnSetAFCLimit(25, 0)"));
    const int fetch = calls.indexOf(QStringLiteral("fnGetFFTData(25, 896)"));
    QVERIFY2(fetch > 1, "the data message was handled inside the wait");
    QCOMPARE(calls.at(calls.size() - 2), QStringLiteral("fnSetAFCLimit(0, 0)"));
    QCOMPARE(calls.last(), QStringLiteral("fnGetRXFrequency(0)"));
    QCOMPARE(h.form().RXOne->value(), 1812.0);

    // AFC on: no pull, the click returns at once and leaves pending messages pending.
    h.form().AFCTwo->setChecked(true);
    h.engine().clearCalls();
    h.engine().post(EngineMessage::NewData, 0, 0, &h.form());
    displays().SpectrumDisplayMouseUp(Qt::RightButton, 131);
    QCOMPARE(h.engine().calls(), QStringList{"fnSetRXFrequency(1800, 0, 1)"});
}

void TestDisplays::bandShiftButtons_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("newLow");
    QTest::addColumn<int>("newHigh");
    QTest::addColumn<bool>("leftEnabled");
    QTest::addColumn<bool>("rightEnabled");
    QTest::newRow("150-3450 left") << 150 << 3450 << false << 50 << 3350 << false << true;
    QTest::newRow("150-3450 right") << 150 << 3450 << true << 250 << 3500 << true << false;
    QTest::newRow("200-3400 right") << 200 << 3400 << true << 300 << 3500 << true << false;
}

void TestDisplays::bandShiftButtons()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(bool, right);
    h.form().flags.CardActive = true;
    h.form().Settings.WFMin = low;
    h.form().Settings.WFMax = high;
    displays().applyShiftRule();
    QVERIFY(h.form().LeftBtn->isEnabled());
    QVERIFY(h.form().RightBtn->isEnabled());

    QTest::mouseClick(right ? h.form().RightBtn : h.form().LeftBtn, Qt::LeftButton);
    QTEST(h.form().Settings.WFMin, "newLow");
    QTEST(h.form().Settings.WFMax, "newHigh");
    QTEST(h.form().LeftBtn->isEnabled(), "leftEnabled");
    QTEST(h.form().RightBtn->isEnabled(), "rightEnabled");
    QVERIFY(h.engine().calls().isEmpty()); // the channels stay where they are
}

void TestDisplays::readoutFollowsMouse()
{
    h.form().Monitor->setCurrentIndex(1);
    QCoreApplication::processEvents();
    // Below the channel labels, which stand over the left edge until the engine runs.
    QTest::mouseMove(h.form().SpectrumDisplay, QPoint(0, 30));
    QTRY_COMPARE(h.form().StatusBar->panelText(1), QStringLiteral("100Hz"));
    displays().SpectrumMove(131);
    QCOMPARE(h.form().StatusBar->panelText(1), QStringLiteral("1800Hz"));
    displays().WaterfallMove(77); // 77 * 3400 / 262 = 999.2
    QCOMPARE(h.form().StatusBar->panelText(1), QStringLiteral("1099Hz"));
}

void TestDisplays::labelsRideOnMarkers()
{
    // Initial places until the first drawing with the engine running.
    displays().WaterfallDisplayPaint();
    displays().SpectrumDisplayPaint();
    QCOMPARE(h.form().CN1->pos(), QPoint(0, 41));
    QCOMPARE(h.form().CN2->pos(), QPoint(8, 41));
    // The spectrum's labels stand under the scale numbers, never over them.
    const int spectrumTop = spectrumScaleHeight() + 1;
    QVERIFY(spectrumTop > 1);
    QCOMPARE(h.form().SP1->pos(), QPoint(1, spectrumTop));
    QCOMPARE(h.form().SP2->pos(), QPoint(9, spectrumTop));

    h.form().flags.CardActive = true;
    h.form().RXOne->setValue(1550); // marker at 111
    h.form().RXTwo->setValue(3600); // beyond the band
    displays().WaterfallDisplayPaint();
    displays().SpectrumDisplayPaint();
    QCOMPARE(h.form().CN1->pos(), QPoint(108, 41));
    QCOMPARE(h.form().SP1->pos(), QPoint(109, spectrumTop));
    QVERIFY(h.form().CN2->geometry().right() < 0);
    QVERIFY(h.form().SP2->geometry().right() < 0);
    QCOMPARE(rgb(h.form().WaterfallDisplay->frame(), 111, 5), DisplayColour::Lime & 0xffffff);

    // Stopped: the labels stay where they were last placed.
    h.form().flags.CardActive = false;
    h.form().RXOne->setValue(2050);
    displays().WaterfallDisplayPaint();
    displays().SpectrumDisplayPaint();
    QCOMPARE(h.form().CN1->pos(), QPoint(108, 41));
    QCOMPARE(h.form().SP1->pos(), QPoint(109, spectrumTop));
}

void TestDisplays::waterfallAdvancesBehindOtherTabsNotOnSignal()
{
    h.form().flags.CardActive = true;
    displays().resetWaterfallHistory();
    QVector<int32_t> fft(1024, 64); // white
    h.engine().setFftData(fft);

    h.form().Monitor->setCurrentIndex(3); // "Synchro": the waterfall still advances
    h.post(EngineMessage::NewData);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0xffffffu);

    h.engine().setFftData(QVector<int32_t>(1024, 10));
    h.form().Monitor->setCurrentIndex(2); // "Signal": frozen
    h.post(EngineMessage::NewData);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0xffffffu);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 1), 0u);

    h.form().Monitor->setCurrentIndex(0); // continues from the last row drawn
    h.post(EngineMessage::NewData);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0x282828u);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 1), 0xffffffu);
}

void TestDisplays::resizeAndEngineStartClearHistory()
{
    h.form().flags.CardActive = true;
    h.engine().setFftData(QVector<int32_t>(1024, 64));
    h.post(EngineMessage::NewData);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0xffffffu);

    displays().resetWaterfallHistory(); // engine start
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0u);

    h.post(EngineMessage::NewData);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0xffffffu);
    h.form().WaterfallDisplay->setFixedWidth(kWidth - 20);
    QCoreApplication::processEvents();
    QCOMPARE(displays().waterfallHistory().size(), h.form().WaterfallDisplay->size());
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0u);
}

void TestDisplays::stoppedLooks()
{
    h.form().flags.CardActive = true;
    displays().syncData().fill(1000);
    displays().vectorData().fill(700);
    displays().SyncroDisplayPaint();
    displays().VectorDisplayPaint();
    const QImage running = h.form().SyncDisplay->frame();
    QVERIFY(syncColumns(running.width()).size() >= 14);
    for (int column : syncColumns(running.width()))
        QCOMPARE(rgb(running, column, running.height() - 1), DisplayColour::Lime & 0xffffff);
    h.form().flags.CardActive = false;
    for (void (Displays::*paint)() : {&Displays::SpectrumDisplayPaint, &Displays::WaterfallDisplayPaint,
                                      &Displays::SyncroDisplayPaint, &Displays::VectorDisplayPaint,
                                      &Displays::SignalDisplayPaint})
        (displays().*paint)();

    const QImage vectors = h.form().VECDisplay->frame();
    QCOMPARE(vectors.size(), QSize(52, 52));
    QCOMPARE(rgb(vectors, 25, 25), DisplayColour::Navy & 0xffffff);
    QCOMPARE(rgb(vectors, 0, 25), DisplayColour::Yellow & 0xffffff);
    // Every bar drawn while running is gone: the whole display is black.
    const QImage sync = h.form().SyncDisplay->frame();
    QCOMPARE(pixelsOtherThan(sync, 0), 0);
    QCOMPARE(rgb(h.form().WaterfallDisplay->frame(), 111, 5), 0u);
    QCOMPARE(rgb(h.form().AmpliDisplay->frame(), 50, 14), 0u);
    QCOMPARE(rgb(h.form().SpectrumDisplay->frame(), 100, 14), DisplayColour::Grid & 0xffffff);
}

// Through the connect button, not by calling the reset: the history of an earlier
// connection does not come back.
void TestDisplays::connectClearsTheWaterfallHistory()
{
    h.form().OnBtn->click();
    QVERIFY(h.form().flags.CardActive);
    h.engine().setFftData(QVector<int32_t>(1024, 64));
    h.post(EngineMessage::NewData);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0xffffffu);

    h.form().OnBtn->click();
    QVERIFY(!h.form().flags.CardActive);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0xffffffu); // kept while stopped
    h.form().OnBtn->click();
    QCOMPARE(pixelsOtherThan(displays().waterfallHistory(), 0), 0);
}

void TestDisplays::disconnectDrawsTheStoppedLooks()
{
    h.form().OnBtn->click();
    h.engine().setFftData(QVector<int32_t>(1024, 64));
    h.engine().setSyncData(0, [] { std::array<int32_t, 16> d; d.fill(1000); return d; }());
    h.engine().setVectorData(0, [] { std::array<int32_t, 16> d; d.fill(700); return d; }());
    h.post(EngineMessage::NewData);
    QVERIFY(pixelsOtherThan(h.form().SyncDisplay->frame(), 0) > 0);
    const int vectorPixels = pixelsOtherThan(h.form().VECDisplay->frame(), DisplayColour::Navy);

    h.form().OnBtn->click();
    QCOMPARE(pixelsOtherThan(h.form().SyncDisplay->frame(), 0), 0);
    // Only the circle is left of the vectors.
    QVERIFY(pixelsOtherThan(h.form().VECDisplay->frame(), DisplayColour::Navy) < vectorPixels);
    QCOMPARE(rgb(h.form().VECDisplay->frame(), 25, 25), DisplayColour::Navy & 0xffffff);
    // No trace and no markers on the spectrum.
    const QImage spectrum = h.form().SpectrumDisplay->frame();
    for (int x = 0; x < spectrum.width(); ++x)
        QVERIFY(rgb(spectrum, x, spectrum.height() - 1) != (DisplayColour::Spectrum & 0xffffff));
    QCOMPARE(rgb(h.form().WaterfallDisplay->frame(), 111, 5), 0u);
}

// The window's own resize, not the display's: the history starts again at the new size.
void TestDisplays::windowResizeClearsTheHistory()
{
    h.form().WaterfallDisplay->setMinimumWidth(0);
    h.form().WaterfallDisplay->setMaximumWidth(QWIDGETSIZE_MAX);
    h.form().flags.CardActive = true;
    h.engine().setFftData(QVector<int32_t>(1024, 64));
    h.post(EngineMessage::NewData);
    QCOMPARE(rgb(displays().waterfallHistory(), 50, 0), 0xffffffu);

    h.form().resize(h.form().width() + 80, h.form().height() + 30);
    QTRY_COMPARE(displays().waterfallHistory().size(), h.form().WaterfallDisplay->size());
    QCOMPARE(pixelsOtherThan(displays().waterfallHistory(), 0), 0);
}

void TestDisplays::connectionIconsAndShiftsFollowTheEngine()
{
    TPSKForm &f = h.form();
    const auto shows = [&f](const QToolButton *button, int image) {
        return button->icon().pixmap(21, 21).toImage() == f.Images.icon(image).pixmap(21, 21).toImage();
    };
    f.Settings.WFMin = 500;
    f.Settings.WFMax = 3000;
    QVERIFY(shows(f.OnBtn, Image::Connect));
    f.OnBtn->click();
    QVERIFY(shows(f.OnBtn, Image::Disconnect));
    QVERIFY(f.LeftBtn->isEnabled() && f.RightBtn->isEnabled());

    f.TxBtn->click();
    QVERIFY(shows(f.TxBtn, Image::Stop));
    h.post(EngineMessage::TxStatus, 1);
    f.TxBtn->click();
    QVERIFY(shows(f.TxBtn, Image::Transmit));
    h.post(EngineMessage::TxStatus, 0);
    f.TuneBtn->click();
    QVERIFY(shows(f.TuneBtn, Image::Stop));
    f.TuneBtn->click();
    QVERIFY(shows(f.TuneBtn, Image::Tune));

    f.OnBtn->click();
    QVERIFY(shows(f.OnBtn, Image::Connect));
    QVERIFY(!f.LeftBtn->isEnabled() && !f.RightBtn->isEnabled());
}

// The last measurements stay readable after the engine stops.
void TestDisplays::readoutsStayAfterADisconnect()
{
    TPSKForm &f = h.form();
    f.OnBtn->click();
    h.post(EngineMessage::ImdOrNoise, -28, 0);
    h.post(EngineMessage::ImdOrNoise, -66, 2);
    h.post(EngineMessage::ClockError, 12, 0);
    const QString imd = f.IMDOne->text();
    const QString noise = f.StatusBar->panelText(1);
    const QString ppm = f.PPMOne->text();
    QVERIFY(!imd.isEmpty() && !noise.isEmpty() && !ppm.isEmpty());

    f.OnBtn->click();
    QCOMPARE(f.IMDOne->text(), imd);
    QCOMPARE(f.StatusBar->panelText(1), noise);
    QCOMPARE(f.PPMOne->text(), ppm);
}

void TestDisplays::unusableStoredBandShowsDefault()
{
    // A band of 0 to 0 Hz (a store read that failed early) must not divide by zero.
    h.form().Settings.WFMin = 0;
    h.form().Settings.WFMax = 0;
    h.form().flags.CardActive = true;
    displays().SpectrumDisplayPaint();
    displays().WaterfallDisplayPaint();
    QCOMPARE(rgb(h.form().SpectrumDisplay->frame(), 30, 20), DisplayColour::Grid & 0xffffff);
    displays().SpectrumDisplayMouseUp(Qt::LeftButton, 131);
    QCOMPARE(h.engine().calls(), QStringList{"fnSetRXFrequency(1800, 0, 0)"});
}

QTEST_MAIN(TestDisplays)
#include "tst_displays.moc"
