#include "displays/DisplayColours.h"
#include "displays/PixelOps.h"
#include "displays/ScopeRenderers.h"
#include "displays/SpectrumRenderer.h"
#include "displays/WaterfallRenderer.h"

#include <QImage>
#include <QtTest>

#include <array>

namespace {

using Fft = std::array<int32_t, DisplayBand::kBins>;

QImage canvas(int width, int height)
{
    return QImage(width, height, PixelOps::kFormat);
}

BandScene scene(const Fft &fft, DisplayBand band = {}, bool active = true,
                std::array<int, 2> rxHz = {1550, 2050})
{
    return BandScene{band, fft, 100, active, rxHz};
}

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xffffff;
}

QRgb grey(int g)
{
    return qRgb(g, g, g) & 0xffffff;
}

constexpr QRgb kBlack = DisplayColour::Black & 0xffffff;
constexpr QRgb kAqua = DisplayColour::Spectrum & 0xffffff;
constexpr QRgb kGrid = DisplayColour::Grid & 0xffffff;
constexpr QRgb kLime = DisplayColour::Lime & 0xffffff;
constexpr QRgb kYellow = DisplayColour::Yellow & 0xffffff;
constexpr QRgb kNavy = DisplayColour::Navy & 0xffffff;

// A column's trace top: the first aqua row from the top, or -1.
int traceTop(const QImage &image, int x)
{
    for (int y = 0; y < image.height(); ++y)
        if (at(image, x, y) == kAqua)
            return y;
    return -1;
}

// FFT values that tell bins apart: bin k holds k - firstBin + 1.
Fft ramp(const DisplayBand &band)
{
    Fft fft{};
    for (int k = band.firstBin(); k <= band.lastBin(); ++k)
        fft[k] = k - band.firstBin() + 1;
    return fft;
}

} // namespace

class TestDisplayRenderers : public QObject
{
    Q_OBJECT

private slots:
    void spectrumScaleLines_data();
    void spectrumScaleLines();
    void spectrumStoppedKeepsGridOnly();
    void spectrumColumns_data();
    void spectrumColumns();
    void spectrumLineStyleJoinsBinPoints();
    void markersAndOutsideChannel();
    void waterfallColumns_data();
    void waterfallColumns();
    void waterfallGrey_data();
    void waterfallGrey();
    void waterfallScrollsAndKeepsMarkersOutOfHistory();
    void waterfallStopped();
    void amplitudeLine_data();
    void amplitudeLine();
    void signalMarksOnTheAmplitudeStrip();
    void signalTrace();
    void syncBars();
    void vectors();
    void drawnAtTwiceTheResolution();
};

void TestDisplayRenderers::spectrumScaleLines_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("seen");
    QTest::newRow("500 line default band") << 100 << 30 << true;
    QTest::newRow("1000 line default band") << 100 << 69 << true;
    QTest::newRow("3500 line just outside") << 100 << 262 << false;
    QTest::newRow("1000 line band from 600") << 600 << 36 << true;
}

void TestDisplayRenderers::spectrumScaleLines()
{
    QFETCH(int, low);
    QFETCH(int, x);
    QFETCH(bool, seen);
    QImage image = canvas(262, 56);
    renderSpectrum(image, scene(Fft{}, DisplayBand{low, 3500}, false), true);
    if (seen) {
        QCOMPARE(at(image, x, 20), kGrid);
        QCOMPARE(at(image, x, 52), kGrid);
        QCOMPARE(at(image, x, 53), kBlack);     // fixed length, whatever the height
        QCOMPARE(at(image, x - 1, 20), kBlack);
        QCOMPARE(at(image, x + 1, 20), kBlack);
    } else {
        QCOMPARE(at(image, 261, 20), kBlack);
    }
}

void TestDisplayRenderers::spectrumStoppedKeepsGridOnly()
{
    QImage image = canvas(262, 56);
    Fft fft;
    fft.fill(100);
    const MarkerColumns markers = renderSpectrum(image, scene(fft, {}, false), true);
    QVERIFY(!markers);
    for (int y : {14, 27, 40})
        QCOMPARE(at(image, 200, y), kGrid);
    QCOMPARE(at(image, 200, 45), kBlack);
    QCOMPARE(at(image, 111, 45), kBlack); // no marker
    QCOMPARE(at(image, 0, 55), kBlack);   // no trace
    // The "3500" label is cut at the right edge: some of its text shows.
    bool text = false;
    for (int x = 252; x < 262; ++x)
        for (int y = 0; y < 6; ++y)
            text = text || at(image, x, y) != kBlack;
    QVERIFY(text);
    // Labels of frequencies below the band fall outside: nothing left of "500".
    QImage shifted = canvas(262, 56);
    renderSpectrum(shifted, scene(fft, DisplayBand{600, 3500}, false), true);
    for (int x = 0; x < 20; ++x)
        QCOMPARE(at(shifted, x, 20), kBlack);
}

void TestDisplayRenderers::spectrumColumns_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");
    // Default band on 262 pixels: bins 25-28 in column 0, 29-31 in 1, 32-34 in 2;
    // the first bin of a column fills it.
    QTest::newRow("3.3 bins: column 0 from bin 25") << 100 << 3500 << 0 << 1;
    QTest::newRow("3.3 bins: column 1 from bin 29") << 100 << 3500 << 1 << 5;
    QTest::newRow("3.3 bins: column 2 from bin 32") << 100 << 3500 << 2 << 8;
    // 400 Hz band: bins at columns 0, 2, 5, 7; the columns between take the later bin.
    QTest::newRow("400 Hz: column 0 bin 256") << 1000 << 1400 << 0 << 1;
    QTest::newRow("400 Hz: column 1 bin 257") << 1000 << 1400 << 1 << 2;
    QTest::newRow("400 Hz: column 2 bin 257") << 1000 << 1400 << 2 << 2;
    QTest::newRow("400 Hz: column 3 bin 258") << 1000 << 1400 << 3 << 3;
    QTest::newRow("400 Hz: column 5 bin 258") << 1000 << 1400 << 5 << 3;
    QTest::newRow("400 Hz: column 6 bin 259") << 1000 << 1400 << 6 << 4;
}

void TestDisplayRenderers::spectrumColumns()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, column);
    QFETCH(int, value);
    const DisplayBand band{low, high};
    QImage image = canvas(262, 100); // height 100: a value v tops at row 100 - v
    renderSpectrum(image, scene(ramp(band), band, true, {0, 0}), true);
    QCOMPARE(traceTop(image, column), 100 - value);
    QCOMPARE(at(image, column, 99), kAqua);
}

void TestDisplayRenderers::spectrumLineStyleJoinsBinPoints()
{
    const DisplayBand band{1000, 1400};
    Fft fft{};
    fft[257] = 60;
    fft[258] = 30;
    QImage image = canvas(262, 100);
    renderSpectrum(image, scene(fft, band, true, {0, 0}), false);
    QCOMPARE(at(image, 2, 40), kAqua);  // bin 257 point
    QCOMPARE(at(image, 5, 70), kAqua);  // bin 258 point
    QCOMPARE(at(image, 3, 99), kBlack); // not filled from the bottom
    QVERIFY(traceTop(image, 4) > 40 && traceTop(image, 4) < 70);
}

void TestDisplayRenderers::markersAndOutsideChannel()
{
    QImage image = canvas(262, 56);
    const MarkerColumns markers = renderSpectrum(image, scene(Fft{}, {}, true, {1550, 3600}), true);
    QVERIFY(markers);
    QCOMPARE((*markers)[0], 111);
    QCOMPARE(at(image, 111, 0), kLime);
    QCOMPARE(at(image, 111, 55), kLime);
    QVERIFY((*markers)[1] >= 262); // beyond the band: not drawn
    for (int x = 0; x < 262; ++x)
        QVERIFY(at(image, x, 45) != kYellow);

    QImage frame = canvas(262, 40);
    QImage history = blankWaterfallHistory(frame.size());
    QImage amplitude = canvas(262, 15);
    const MarkerColumns waterfall = renderWaterfall(frame, history, amplitude, scene(Fft{}));
    QCOMPARE((*waterfall)[1], 150);
    QCOMPARE(at(frame, 150, 0), kYellow);
    QCOMPARE(at(frame, 150, 39), kYellow);
}

void TestDisplayRenderers::waterfallColumns_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");
    // The last bin of a column decides it.
    QTest::newRow("3.3 bins: column 0 from bin 28") << 100 << 3500 << 0 << 4;
    QTest::newRow("3.3 bins: column 1 from bin 31") << 100 << 3500 << 1 << 7;
    QTest::newRow("3.3 bins: column 2 from bin 34") << 100 << 3500 << 2 << 10;
    QTest::newRow("400 Hz: column 1 bin 257") << 1000 << 1400 << 1 << 2;
    QTest::newRow("400 Hz: column 2 bin 257") << 1000 << 1400 << 2 << 2;
    QTest::newRow("400 Hz: column 3 bin 258") << 1000 << 1400 << 3 << 3;
    QTest::newRow("400 Hz: column 6 bin 259") << 1000 << 1400 << 6 << 4;
}

void TestDisplayRenderers::waterfallColumns()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, column);
    QFETCH(int, value);
    const DisplayBand band{low, high};
    QImage frame = canvas(262, 40);
    QImage history = blankWaterfallHistory(frame.size());
    QImage amplitude = canvas(262, 15);
    renderWaterfall(frame, history, amplitude, scene(ramp(band), band, true, {0, 0}));
    QCOMPARE(at(frame, column, 0), grey(4 * value));
}

void TestDisplayRenderers::waterfallGrey_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("grey");
    QTest::newRow("0 black") << 0 << 0;
    QTest::newRow("63") << 63 << 252;
    QTest::newRow("64 white") << 64 << 255;
    QTest::newRow("full scale white") << 100 << 255;
    QTest::newRow("negative stays black") << -5 << 0;
}

void TestDisplayRenderers::waterfallGrey()
{
    QFETCH(int, value);
    QFETCH(int, grey);
    Fft fft;
    fft.fill(value);
    QImage frame = canvas(262, 40);
    QImage history = blankWaterfallHistory(frame.size());
    QImage amplitude = canvas(262, 15);
    renderWaterfall(frame, history, amplitude, scene(fft));
    QCOMPARE(at(frame, 0, 0), ::grey(grey));
    QCOMPARE(at(frame, 261, 0), ::grey(grey));
}

void TestDisplayRenderers::waterfallScrollsAndKeepsMarkersOutOfHistory()
{
    QImage history = blankWaterfallHistory(QSize(262, 40));
    QImage amplitude = canvas(262, 15);
    Fft first;
    first.fill(10);
    Fft second;
    second.fill(20);
    QImage frame = canvas(262, 40);
    renderWaterfall(frame, history, amplitude, scene(first));
    frame = canvas(262, 40);
    renderWaterfall(frame, history, amplitude, scene(second));

    QCOMPARE(at(frame, 0, 0), grey(80));
    QCOMPARE(at(frame, 0, 1), grey(40));
    QCOMPARE(at(frame, 0, 2), kBlack);
    QCOMPARE(at(frame, 111, 1), kLime);
    // The history holds the rows without the markers.
    QCOMPARE(at(history, 111, 0), grey(80));
    QCOMPARE(at(history, 111, 1), grey(40));
    QCOMPARE(at(history, 150, 1), grey(40));

    // Redrawing without new data shows the same rows and does not advance.
    QImage again = canvas(262, 40);
    redrawWaterfall(again, history, scene(second));
    QCOMPARE(again, frame);
}

void TestDisplayRenderers::waterfallStopped()
{
    QImage history = blankWaterfallHistory(QSize(262, 40));
    history.setPixel(5, 5, qRgb(1, 2, 3));
    QImage amplitude = canvas(262, 15);
    amplitude.fill(Qt::white);
    QImage frame = canvas(262, 40);
    Fft fft;
    fft.fill(50);
    QVERIFY(!renderWaterfall(frame, history, amplitude, scene(fft, {}, false)));
    for (int x : {0, 111, 261})
        for (int y : {0, 20, 39})
            QCOMPARE(at(frame, x, y), kBlack);
    QCOMPARE(at(amplitude, 100, 7), kBlack);
    QCOMPARE(at(history, 5, 5), qRgb(1, 2, 3) & 0xffffff);
}

void TestDisplayRenderers::amplitudeLine_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("row");
    QTest::newRow("0 at row 14") << 0 << 14;
    QTest::newRow("90 at row 0") << 90 << 0;
    QTest::newRow("95 still row 0") << 95 << 0;
    QTest::newRow("96 leaves the strip") << 96 << -1;
}

void TestDisplayRenderers::amplitudeLine()
{
    QFETCH(int, value);
    QFETCH(int, row);
    QCOMPARE(amplitudeRow(value), row);
    Fft fft;
    fft.fill(value);
    QImage frame = canvas(262, 40);
    QImage history = blankWaterfallHistory(frame.size());
    QImage amplitude = canvas(262, 15);
    renderWaterfall(frame, history, amplitude, scene(fft));
    for (int y = 0; y < 15; ++y)
        QCOMPARE(at(amplitude, 100, y), y == row ? kLime : kBlack);
}

// Each listed signal inside the band hangs a small triangle from the strip's top, over the
// amplitude line; one outside the band marks nothing.
void TestDisplayRenderers::signalMarksOnTheAmplitudeStrip()
{
    const DisplayBand band{100, 3500};
    const int width = 272;
    const std::array<int, 3> signalHz{1000, 2500, 3700};
    const Fft fft{};
    BandScene marked = scene(fft, band);
    marked.signalHz = signalHz;
    QImage frame = canvas(width, 40), history = canvas(width, 40), amplitude = canvas(width, 15);
    renderWaterfall(frame, history, amplitude, marked);

    const QRgb mark = DisplayColour::SignalMark & 0xffffff;
    for (int hz : {1000, 2500}) {
        const int x = band.hzToPixel(hz, width);
        QCOMPARE(at(amplitude, x, 0), mark);
        QCOMPARE(at(amplitude, x, 4), mark);
        QVERIFY(at(amplitude, x + 6, 0) != mark);
        QVERIFY(at(amplitude, x, 8) != mark);
    }
    int marked3700 = 0;
    for (int x = band.hzToPixel(3400, width); x < width; ++x)
        marked3700 += at(amplitude, x, 0) == mark;
    QCOMPARE(marked3700, 0);
    // The waterfall itself carries no browser marks.
    for (int x = 0; x < width; ++x)
        QVERIFY(at(frame, x, 20) != mark);
}

void TestDisplayRenderers::signalTrace()
{
    std::array<int32_t, 2048> raw{};
    QImage image = canvas(256, 54);
    renderSignal(image, raw, true, true);
    QCOMPARE(at(image, 100, 27), kLime); // 0 on the centre line

    for (int i = 0; i <= 510; i += 2)
        raw[i] = 4000;
    renderSignal(image, raw, true, true);
    // 4000 reaches row 54, just below the image; only the first rise shows.
    for (int x = 1; x < 256; ++x)
        for (int y = 0; y < 54; ++y)
            QCOMPARE(at(image, x, y), kBlack);
    QCOMPARE(at(image, 0, 40), kLime);

    raw.fill(-4000);
    renderSignal(image, raw, true, true);
    QCOMPARE(at(image, 100, 0), kLime); // negative samples above the centre

    renderSignal(image, raw, true, false); // tab not shown: nothing drawn
    QCOMPARE(at(image, 100, 0), kBlack);
    renderSignal(image, raw, false, true); // stopped: black
    QCOMPARE(at(image, 100, 0), kBlack);
}

void TestDisplayRenderers::syncBars()
{
    std::array<int32_t, 16> sync;
    sync.fill(1000);
    QImage image = canvas(210, 50);
    renderSync(image, sync, true);
    for (int k = 1; k <= 14; ++k) {
        QCOMPARE(syncBarColumn(k, 210), 14 * k);
        QCOMPARE(at(image, 14 * k, 0), kLime);
        QCOMPARE(at(image, 14 * k, 49), kLime);
        QCOMPARE(at(image, 14 * k + 1, 25), kBlack);
    }
    QCOMPARE(syncBarColumn(15, 210), 210); // outside the image
    QCOMPARE(at(image, 0, 25), kBlack);     // entry 0 never drawn
    QCOMPARE(at(image, 209, 25), kBlack);

    sync.fill(0);
    sync[3] = 500;
    renderSync(image, sync, true);
    QCOMPARE(at(image, 42, 25), kLime);
    QCOMPARE(at(image, 42, 24), kBlack);

    sync.fill(1000);
    renderSync(image, sync, false);
    QCOMPARE(at(image, 14, 25), kBlack);
}

void TestDisplayRenderers::vectors()
{
    std::array<int32_t, 16> data{};
    data[0] = 1000; // (1000, 0): to the right
    data[3] = 1000; // (0, 1000): up
    QImage image = canvas(52, 52);
    renderVectors(image, data, false);
    QCOMPARE(at(image, 25, 25), kNavy);
    QCOMPARE(at(image, 0, 0), kNavy);
    QCOMPARE(at(image, 40, 25), kNavy);
    QCOMPARE(at(image, 0, 25), kYellow);  // the circle touches the box
    QCOMPARE(at(image, 51, 25), kYellow);
    QCOMPARE(at(image, 25, 0), kYellow);
    QCOMPARE(at(image, 25, 51), kYellow);

    renderVectors(image, data, true);
    QCOMPARE(at(image, 40, 25), kYellow); // c = 25: to (50, 25)
    QCOMPARE(at(image, 25, 10), kYellow); // to (25, 0)
    QCOMPARE(at(image, 10, 25), kNavy);
}

// At 200 % the pictures are drawn in device pixels: the same figure as at 100 %, each
// line two device pixels wide, each waterfall line two rows high, nothing enlarged.
void TestDisplayRenderers::drawnAtTwiceTheResolution()
{
    const DeviceScale twice{2.0};
    Fft fft;
    fft.fill(10);

    QImage spectrum = canvas(524, 104);
    const MarkerColumns markers = renderSpectrum(spectrum, scene(fft), true, twice);
    QVERIFY(markers);
    for (int y : {28, 29, 54, 55, 80, 81})
        QCOMPARE(at(spectrum, 200, y), kGrid);
    QCOMPARE(at(spectrum, 200, 27), kBlack);
    QCOMPARE(at(spectrum, 200, 30), kBlack);
    const int marker = (*markers)[0];
    QCOMPARE(at(spectrum, marker, 60), DisplayColour::Channel[0] & 0xffffff);
    QCOMPARE(at(spectrum, marker + 1, 60), DisplayColour::Channel[0] & 0xffffff);

    QImage history = blankWaterfallHistory(QSize(524, 80));
    QImage amplitude = canvas(524, 30);
    QImage frame = canvas(524, 80);
    renderWaterfall(frame, history, amplitude, scene(fft), twice);
    QCOMPARE(at(frame, 0, 0), grey(40));
    QCOMPARE(at(frame, 0, 1), grey(40));
    QCOMPARE(at(frame, 0, 2), kBlack);
    frame = canvas(524, 80);
    renderWaterfall(frame, history, amplitude, scene(fft), twice);
    QCOMPARE(at(frame, 0, 3), grey(40));
    QCOMPARE(at(frame, 0, 4), kBlack);

    QImage sync = canvas(104, 80);
    std::array<int32_t, 16> bars{};
    bars.fill(1000);
    renderSync(sync, bars, true, twice);
    const int column = syncBarColumn(3, 104);
    QCOMPARE(at(sync, column, 79), kLime);
    QCOMPARE(at(sync, column + 1, 79), kLime);
    QCOMPARE(at(sync, column + 2, 79), kBlack);
}

QTEST_MAIN(TestDisplayRenderers)
#include "tst_displayrenderers.moc"
