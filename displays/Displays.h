#pragma once

#include "channels/ChannelWidgets.h"
#include "displays/DisplayBand.h"
#include "displays/DisplayScene.h"

#include <QImage>
#include <QObject>

#include <array>
#include <cstdint>
#include <vector>

struct ConnectionFlags;
class EngineInterface;
class PanelStatusBar;
class QLabel;
class QTabWidget;
class QToolButton;
class TPaintBox;
struct TSettings;

// The main-window controls the displays draw on and act on.
struct DisplayWidgets
{
    QTabWidget *Monitor = nullptr;              // the tabs holding the displays
    TPaintBox *WaterfallDisplay = nullptr;
    TPaintBox *AmpliDisplay = nullptr;
    TPaintBox *SpectrumDisplay = nullptr;
    TPaintBox *SignalDisplay = nullptr;
    TPaintBox *SyncDisplay = nullptr;
    TPaintBox *VECDisplay = nullptr;
    std::array<QLabel *, 2> waterfallLabels{};  // CN1, CN2: the channels' markers on the waterfall
    std::array<QLabel *, 2> spectrumLabels{};   // SP1, SP2: the same on the spectrum
    QToolButton *LeftBtn = nullptr;
    QToolButton *RightBtn = nullptr;
    QTabWidget *Canal = nullptr;                // click-to-tune shows the tuned channel's tab
    std::array<ChannelWidgets, 2> channels{};   // receive field, AFC box and AFC width
    PanelStatusBar *StatusBar = nullptr;        // panel 1 shows the frequency under the mouse
};

// The signal displays of the Monitor tabs: waterfall (with AmpliDisplay), spectrum,
// signal, synchro and vector; click-to-tune, the frequency read-out and the 100 Hz
// band shifts. The main window owns one instance.
//
// The paint functions draw from the displays' own data arrays into an off-screen
// image and hand it to the display, which copies it to the screen in one operation.
// They are what the new-data handler calls after each fetch (spectrum then
// waterfall; synchro then vector; signal on the "Signal" tab), and what the
// connection control calls after stopping the engine to show the stopped looks.
// A repaint asked by the windowing system only shows the last picture again, so the
// waterfall advances exactly one row per data message, also behind other tabs.
class Displays : public QObject
{
    Q_OBJECT
public:
    // The Monitor tab showing raw samples: while it is shown they are fetched instead of the FFT.
    static constexpr int kSignalTab = 2;

    // The full scale the engine's FFT is asked for, and the spectrum drawn with.
    static constexpr int kFFTFullScale = 100;

    // settings: the band (WFMin, WFMax), which the shift buttons change, and SpectrumPlain.
    Displays(EngineInterface &engine, const ConnectionFlags &flags, TSettings &settings, DisplayWidgets widgets,
             QObject *parent = nullptr);

    // The data the engine's get functions fill and the paint functions draw: the FFT by
    // bin, the raw samples, and the points of the synchro and vector displays.
    static constexpr std::size_t kRawSamples = 2048;
    static constexpr std::size_t kScopePoints = 16;
    std::array<int32_t, DisplayBand::kBins> &fftData() { return m_fftData; }
    std::array<int32_t, kRawSamples> &rawData() { return m_rawData; }
    std::array<int32_t, kScopePoints> &syncData() { return m_syncData; }
    std::array<int32_t, kScopePoints> &vectorData() { return m_vectorData; }

    void SpectrumDisplayPaint();
    // Advances the waterfall by one row from the FFT data while the engine runs.
    void WaterfallDisplayPaint();
    void SignalDisplayPaint();
    void SyncroDisplayPaint();
    void VectorDisplayPaint();

    // The history restarts black at the display's size: at engine start, and by
    // itself whenever the waterfall display changes size.
    void resetWaterfallHistory();

    // Click-to-tune on release: left button channel 1, right channel 2, others nothing.
    void WaterfallDisplayMouseUp(Qt::MouseButton button, int x);
    // What a click on the displays does once it knows its frequency; the browser's lines
    // tune through it too.
    void tuneByButton(Qt::MouseButton button, int freqHz);
    // The browser's signals, marked on the waterfall's amplitude strip from its next row.
    void setSignalMarks(std::vector<int> freqsHz) { m_signalMarksHz = std::move(freqsHz); }
    void SpectrumDisplayMouseUp(Qt::MouseButton button, int x);
    // Frequency under the mouse into status panel 1.
    void WaterfallMove(int x);
    void SpectrumMove(int x);
    void LeftBtnClick();
    void RightBtnClick();
    // LeftBtn and RightBtn enabled exactly while their shift fits the band.
    void applyShiftRule();

    // The band the displays draw: the stored one, or the default band when the stored
    // one cannot be mapped. The FFT fetch should ask for exactly these bins.
    DisplayBand band() const;

    const QImage &waterfallHistory() const { return m_waterfallHistory; }

private:
    BandScene bandScene() const;
    void clickToTune(const TPaintBox *display, Qt::MouseButton button, int x);
    void showReadout(const TPaintBox *display, int x);
    void placeLabels(const MarkerColumns &markers, const std::array<QLabel *, 2> &labels,
                     int offset, int top, int displayWidth);
    void redrawWaterfallFrame();
    void shiftBand(void (DisplayBand::*shift)());
    void placeInitialLabels();

    EngineInterface &m_engine;
    const ConnectionFlags &m_flags;
    TSettings &m_settings;
    DisplayWidgets m_w;
    QImage m_waterfallHistory;
    std::array<int32_t, DisplayBand::kBins> m_fftData{};
    std::array<int32_t, kRawSamples> m_rawData{};
    std::array<int32_t, kScopePoints> m_syncData{};
    std::array<int32_t, kScopePoints> m_vectorData{};
    std::vector<int> m_signalMarksHz;
};
