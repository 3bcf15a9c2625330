// The four Monitor tabs fed by the stand-in engine with a scripted band: two PSK31
// signals at the channels' frequencies over noise. Checks that the markers sit on the
// traces and the labels on the markers. With KORVO_SCREENSHOT_DIR set, each tab and
// the whole window are also saved there as PNG files to be looked at, for instance
// under a virtual X server:
//   xvfb-run -a env QT_QPA_PLATFORM=xcb KORVO_SCREENSHOT_DIR=/tmp/shots ./tst_displayscreens

#include "app/TPSKForm.h"
#include "displays/DisplayBand.h"
#include "displays/DisplayColours.h"
#include "displays/Displays.h"
#include "displays/TPaintBox.h"
#include "engine/EngineMessage.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>
#include <random>

namespace {

constexpr std::array<int, 2> kSignalHz{1550, 2050};
constexpr double kPi = 3.14159265358979323846;

int binOf(int hz)
{
    return int(std::lround(hz * double(DisplayBand::kFftSize) / DisplayBand::kSampleRateHz));
}

// One FFT snapshot: noise 3-15 with each signal about 30 Hz wide peaking at 75.
QVector<int32_t> scriptedSpectrum(std::mt19937 &random)
{
    std::uniform_int_distribution<int32_t> noise(3, 15);
    QVector<int32_t> fft(DisplayBand::kBins);
    for (int32_t &v : fft)
        v = noise(random);
    for (int hz : kSignalHz)
        for (int d = -4; d <= 4; ++d)
            fft[binOf(hz) + d] = std::max(fft[binOf(hz) + d], 75 - 8 * d * d / 2);
    return fft;
}

QVector<int32_t> scriptedSamples(std::mt19937 &random)
{
    std::normal_distribution<double> noise(0.0, 250.0);
    QVector<int32_t> raw(2048);
    for (int i = 0; i < 1024; ++i) {
        double s = noise(random);
        for (int hz : kSignalHz)
            s += 1400.0 * std::sin(2 * kPi * hz * i / DisplayBand::kSampleRateHz);
        raw[i] = int32_t(s);
    }
    return raw;
}

QString screenshotDir()
{
    return qEnvironmentVariable("KORVO_SCREENSHOT_DIR");
}

} // namespace

class TestDisplayScreens : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedEngine m_engine;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<TPSKForm> m_form;
    std::mt19937 m_random{7};

    void feed(int messages)
    {
        for (int i = 0; i < messages; ++i) {
            m_engine.setFftData(scriptedSpectrum(m_random));
            m_engine.setRawData(scriptedSamples(m_random));
            m_engine.post(EngineMessage::NewData, 0, 0, m_form.get());
            QCoreApplication::sendPostedEvents(m_form.get(), EngineMessageEvent::eventType());
        }
        QCoreApplication::processEvents();
    }

    void save(const QString &name)
    {
        if (screenshotDir().isEmpty())
            return;
        QDir().mkpath(screenshotDir());
        QVERIFY(m_form->Monitor->grab().save(screenshotDir() + "/monitor-" + name + ".png"));
        // The whole window as the screen shows it (under X, a real screen grab).
        const QPixmap window = m_form->screen()->grabWindow(m_form->winId());
        QVERIFY(window.save(screenshotDir() + "/window-" + name + ".png"));
    }

    // The marker of each channel is on its signal and its label on the marker.
    void checkMarkers(TPaintBox *display, const std::array<QLabel *, 2> &labels)
    {
        const QImage frame = display->frame();
        const DisplayBand band{m_form->Settings.WFMin, m_form->Settings.WFMax};
        for (int channel = 0; channel < 2; ++channel) {
            const int x = band.hzToPixel(kSignalHz[channel], frame.width());
            QCOMPARE(frame.pixel(x, frame.height() / 2) & 0xffffff,
                     DisplayColour::Channel[channel] & 0xffffff);
            const int labelCentre = labels[channel]->geometry().center().x() - display->x();
            QVERIFY2(std::abs(labelCentre - x) <= 2,
                     qPrintable(QStringLiteral("label at %1, marker at %2").arg(labelCentre).arg(x)));
            QVERIFY(labels[channel]->isVisible());
        }
    }

private slots:
    void initTestCase()
    {
        m_form = std::make_unique<TPSKForm>(m_engine, m_dir.filePath(QStringLiteral("KORVO.ini")));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        for (int channel = 0; channel < 2; ++channel)
            m_engine.setRxFrequency(channel, kSignalHz[channel]);
        std::array<int32_t, 16> sync{};
        for (int k = 0; k < 16; ++k)
            sync[k] = int32_t(1000 * std::exp(-(k - 8) * (k - 8) / 6.0));
        m_engine.setSyncData(0, sync);
        std::array<int32_t, 16> vectors{};
        for (int j = 0; j < 8; ++j) {
            vectors[2 * j] = (j % 2 ? 1 : -1) * (820 + 15 * j);
            vectors[2 * j + 1] = 40 * (j - 4);
        }
        m_engine.setVectorData(0, vectors);
        m_form->flags.CardActive = true;
        m_form->displays->resetWaterfallHistory();
    }

    void cleanupTestCase()
    {
        m_form->flags.CardActive = false;
        m_form.reset();
    }

    void waterfall()
    {
        m_form->Monitor->setCurrentIndex(0);
        feed(60);
        checkMarkers(m_form->WaterfallDisplay, {m_form->CN1, m_form->CN2});
        // The history under the markers shows the signals bright, the noise dark.
        const QImage history = m_form->displays->waterfallHistory();
        const DisplayBand band{m_form->Settings.WFMin, m_form->Settings.WFMax};
        const int x = band.hzToPixel(kSignalHz[0], history.width());
        QVERIFY(qGray(history.pixel(x, history.height() - 1)) == 255);
        QVERIFY(qGray(history.pixel(x - 40, history.height() - 1)) < 64);
        save(QStringLiteral("waterfall"));
    }

    void spectrum()
    {
        m_form->Monitor->setCurrentIndex(1);
        feed(3);
        checkMarkers(m_form->SpectrumDisplay, {m_form->SP1, m_form->SP2});
        save(QStringLiteral("spectre"));
    }

    void signal()
    {
        m_form->Monitor->setCurrentIndex(2);
        feed(3);
        const QImage frame = m_form->SignalDisplay->frame();
        int lit = 0;
        for (int x = 0; x < frame.width(); ++x)
            for (int y = 0; y < frame.height(); ++y)
                lit += (frame.pixel(x, y) & 0xffffff) == (DisplayColour::Lime & 0xffffff);
        QVERIFY(lit > frame.width());
        save(QStringLiteral("signal"));
    }

    void synchro()
    {
        m_form->Monitor->setCurrentIndex(3);
        feed(3);
        const QImage sync = m_form->SyncDisplay->frame();
        const int x8 = 8 * (sync.width() / 15);
        QCOMPARE(sync.pixel(x8, 0) & 0xffffff, DisplayColour::Lime & 0xffffff);
        save(QStringLiteral("synchro"));
    }
};

QTEST_MAIN(TestDisplayScreens)
#include "tst_displayscreens.moc"
