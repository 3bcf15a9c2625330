#pragma once

#include "displays/DisplayBand.h"
#include "displays/DisplayScene.h"

#include <QImage>
#include <QObject>

#include <array>

class QLabel;
class TPaintBox;
class TPSKForm;

// The signal displays of the Monitor tabs: waterfall (with AmpliDisplay), spectrum,
// signal, synchro and vector; click-to-tune, the frequency read-out and the 100 Hz
// band shifts. The main window owns one instance.
//
// The paint functions draw from the main window's data arrays into an off-screen
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

    explicit Displays(TPSKForm &form, QObject *parent = nullptr);

    void SpectrumDisplayPaint();
    // Advances the waterfall by one row from FFTData while the engine runs.
    void WaterfallDisplayPaint();
    void SignalDisplayPaint();
    void SyncroDisplayPaint();
    void VectorDisplayPaint();

    // The history restarts black at the display's size: at engine start, and by
    // itself whenever the waterfall display changes size.
    void resetWaterfallHistory();

    // Click-to-tune on release: left button channel 1, right channel 2, others nothing.
    void WaterfallDisplayMouseUp(Qt::MouseButton button, int x);
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

    TPSKForm &m_form;
    QImage m_waterfallHistory;
};
