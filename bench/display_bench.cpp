// Cost of one data message's display work at full screen: the FFT fetch, then the
// spectrum and waterfall repaints (off-screen drawing and the copy to the screen).
// The engine delivers about 8 data messages a second; this must stay well below 2 ms.

#include "app/TPSKForm.h"
#include "displays/Displays.h"
#include "displays/DisplayBand.h"
#include "displays/TPaintBox.h"
#include "tests/support/ScriptedEngine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kMessages = 2000;

// A noisy band with two signals, new noise each message as the engine would give.
QVector<int32_t> band(std::mt19937 &random)
{
    std::uniform_int_distribution<int32_t> noise(5, 25);
    QVector<int32_t> fft(DisplayBand::kBins);
    for (int32_t &v : fft)
        v = noise(random);
    for (int k : {397, 525}) // about 1550 and 2050 Hz
        for (int d = -3; d <= 3; ++d)
            fft[k + d] = 80 - 10 * std::abs(d);
    return fft;
}

// Processor time of this thread: other processes on a loaded machine do not count.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double percentile(std::vector<double> samples, double p)
{
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<size_t>(p * (samples.size() - 1))];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ScriptedEngine engine;
    TPSKForm form(engine, dir.filePath(QStringLiteral("KORVO.ini")));
    form.setGeometry(0, 0, 1920, 1080);
    form.show();
    QApplication::processEvents();
    form.flags.CardActive = true;
    form.displays->resetWaterfallHistory();

    std::mt19937 random(1);
    std::vector<QVector<int32_t>> bands;
    for (int i = 0; i < 16; ++i)
        bands.push_back(band(random));

    const DisplayBand displayBand{form.Settings.WFMin, form.Settings.WFMax};
    std::vector<double> drawMs;
    std::vector<double> totalMs;
    std::vector<double> cpuMs;
    for (int tab : {0, 1}) {
        form.Monitor->setCurrentIndex(tab);
        QApplication::processEvents();
        for (int i = 0; i < kMessages; ++i) {
            engine.setFftData(bands[i % bands.size()]);
            QElapsedTimer clock;
            clock.start();
            const double cpuStart = threadCpuMs();
            engine.fnGetFFTData(form.displays->fftData().data(), displayBand.firstBin(), displayBand.lastBin());
            form.displays->SpectrumDisplayPaint();
            form.displays->WaterfallDisplayPaint();
            const qint64 drawn = clock.nsecsElapsed();
            // The copy to the screen of whichever display is shown.
            (tab == 0 ? static_cast<QWidget *>(form.WaterfallDisplay) : form.SpectrumDisplay)->repaint();
            form.AmpliDisplay->repaint();
            totalMs.push_back(clock.nsecsElapsed() / 1e6);
            cpuMs.push_back(threadCpuMs() - cpuStart);
            drawMs.push_back(drawn / 1e6);
            engine.clearCalls();
        }
    }

    std::printf("display_bench: window %dx%d, waterfall %dx%d, spectrum %dx%d, %d messages\n",
                form.width(), form.height(), form.WaterfallDisplay->width(), form.WaterfallDisplay->height(),
                form.SpectrumDisplay->width(), form.SpectrumDisplay->height(), int(totalMs.size()));
    std::printf("  fetch + off-screen drawing:      median %.3f ms, 99th percentile %.3f ms (wall)\n",
                percentile(drawMs, 0.5), percentile(drawMs, 0.99));
    std::printf("  with the copy to the screen:     median %.3f ms, 99th percentile %.3f ms (wall)\n",
                percentile(totalMs, 0.5), percentile(totalMs, 0.99));
    std::printf("  with the copy, processor time:   median %.3f ms, 99th percentile %.3f ms (budget 2 ms)\n",
                percentile(cpuMs, 0.5), percentile(cpuMs, 0.99));
    return 0;
}
