#include "displays/Displays.h"

#include "config/TSettings.h"
#include "controls/TSpinEdit.h"
#include "engine/ConnectionFlags.h"
#include "ground/StatusBar.h"
#include "displays/PixelOps.h"
#include "displays/ScopeRenderers.h"
#include "displays/SpectrumRenderer.h"
#include "displays/TPaintBox.h"
#include "displays/TuneButton.h"
#include "displays/WaterfallRenderer.h"
#include "engine/Delay.h"
#include "engine/EngineInterface.h"

#include <QCheckBox>
#include <cmath>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr int kReadoutPanel = 1;       // status panel of the frequency under the mouse
constexpr int kTuneCaptureRangeHz = 0; // a click tunes exactly where it was made
constexpr int kAfcPullMs = 1000;
// Labels ride on the markers: CN1/CN2 3 pixels left of the marker, 41 from the top of
// WaterfallPanel; SP1/SP2 2 pixels left, just under the spectrum's scale numbers,
// which they would otherwise hide.
constexpr int kWaterfallLabelOffset = 3;
constexpr int kWaterfallLabelTop = 41;
constexpr int kSpectrumLabelOffset = 2;
constexpr int kSpectrumLabelGap = 1;

int spectrumLabelTop()
{
    return spectrumScaleHeight() + kSpectrumLabelGap;
}

DeviceScale deviceScale(const QWidget *display)
{
    return {display->devicePixelRatioF()};
}

QSize devicePixels(const QWidget *display)
{
    return display->size() * display->devicePixelRatioF();
}

// Drawn in device pixels; the ratio is put on the picture once it is drawn, so that the
// renderers' pixel writes and painters all work in device pixels.
QImage offscreen(const QWidget *display)
{
    return QImage(devicePixels(display), PixelOps::kFormat);
}

void showFrame(TPaintBox *display, QImage image)
{
    image.setDevicePixelRatio(display->devicePixelRatioF());
    display->setFrame(std::move(image));
}

// Marker columns of a picture drawn in device pixels, in the display's own pixels.
MarkerColumns logicalColumns(const MarkerColumns &markers, DeviceScale scale)
{
    if (!markers || scale.ratio == 1.0)
        return markers;
    std::array<int, 2> columns{};
    for (size_t i = 0; i < columns.size(); ++i)
        columns[i] = static_cast<int>(std::floor((*markers)[i] / scale.ratio));
    return columns;
}

// A display not laid out yet has no pixels to draw.
bool drawable(const QWidget *display)
{
    return !display->size().isEmpty();
}

} // namespace

Displays::Displays(EngineInterface &engine, const ConnectionFlags &flags, TSettings &settings,
                   DisplayWidgets widgets, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_flags(flags)
    , m_settings(settings)
    , m_w(widgets)
{
    connect(m_w.WaterfallDisplay, &TPaintBox::mouseReleased, this,
            [this](Qt::MouseButton button, int x, int) { WaterfallDisplayMouseUp(button, x); });
    connect(m_w.SpectrumDisplay, &TPaintBox::mouseReleased, this,
            [this](Qt::MouseButton button, int x, int) { SpectrumDisplayMouseUp(button, x); });
    connect(m_w.WaterfallDisplay, &TPaintBox::mouseMoved, this, [this](int x, int) { WaterfallMove(x); });
    connect(m_w.SpectrumDisplay, &TPaintBox::mouseMoved, this, [this](int x, int) { SpectrumMove(x); });
    connect(m_w.LeftBtn, &QToolButton::clicked, this, &Displays::LeftBtnClick);
    connect(m_w.RightBtn, &QToolButton::clicked, this, &Displays::RightBtnClick);

    // A new size shows at once: the history restarts, the other displays are drawn
    // again from the data they last had.
    connect(m_w.WaterfallDisplay, &TPaintBox::resized, this, &Displays::resetWaterfallHistory);
    connect(m_w.SpectrumDisplay, &TPaintBox::resized, this, &Displays::SpectrumDisplayPaint);
    connect(m_w.SignalDisplay, &TPaintBox::resized, this, &Displays::SignalDisplayPaint);
    connect(m_w.SyncDisplay, &TPaintBox::resized, this, &Displays::SyncroDisplayPaint);
    connect(m_w.VECDisplay, &TPaintBox::resized, this, &Displays::VectorDisplayPaint);

    placeInitialLabels();
}

void Displays::placeInitialLabels()
{
    // Until the first drawing with the engine running, the labels stand side by side.
    m_w.waterfallLabels[0]->move(0, kWaterfallLabelTop);
    m_w.waterfallLabels[1]->move(m_w.waterfallLabels[0]->width(), kWaterfallLabelTop);
    m_w.spectrumLabels[0]->move(1, spectrumLabelTop());
    m_w.spectrumLabels[1]->move(1 + m_w.spectrumLabels[0]->width(), spectrumLabelTop());
}

DisplayBand Displays::band() const
{
    // An unusable stored band would divide by zero or read past the FFT data: the displays
    // then show the default band instead.
    const DisplayBand stored{m_settings.WFMin, m_settings.WFMax};
    return stored.isMappable() ? stored : DisplayBand{};
}

BandScene Displays::bandScene() const
{
    std::array<int, 2> rxHz{};
    for (int channel = 0; channel < 2; ++channel)
        rxHz[channel] = static_cast<int>(m_w.channels[channel].rx->value());
    return BandScene{band(), m_fftData, kFFTFullScale, m_flags.CardActive, rxHz, m_signalMarksHz};
}

void Displays::placeLabels(const MarkerColumns &markers, const std::array<QLabel *, 2> &labels,
                           int offset, int top, int displayWidth)
{
    if (!markers)
        return; // stopped: the labels stay where they were last placed
    for (int channel = 0; channel < 2; ++channel) {
        QLabel *label = labels[channel];
        label->move(channelLabelLeft((*markers)[channel], displayWidth, offset, label->width()), top);
    }
}

void Displays::SpectrumDisplayPaint()
{
    TPaintBox *display = m_w.SpectrumDisplay;
    if (!drawable(display))
        return;
    QImage image = offscreen(display);
    const DeviceScale scale = deviceScale(display);
    const MarkerColumns markers = renderSpectrum(image, bandScene(), m_settings.SpectrumPlain, scale);
    placeLabels(logicalColumns(markers, scale), m_w.spectrumLabels, kSpectrumLabelOffset, spectrumLabelTop(),
                display->width());
    showFrame(display, std::move(image));
}

void Displays::WaterfallDisplayPaint()
{
    TPaintBox *display = m_w.WaterfallDisplay;
    if (!drawable(display))
        return;
    QImage image = offscreen(display);
    QImage amplitude = offscreen(m_w.AmpliDisplay);
    const DeviceScale scale = deviceScale(display);
    const MarkerColumns markers = renderWaterfall(image, m_waterfallHistory, amplitude, bandScene(), scale);
    placeLabels(logicalColumns(markers, scale), m_w.waterfallLabels, kWaterfallLabelOffset, kWaterfallLabelTop,
                display->width());
    showFrame(m_w.AmpliDisplay, std::move(amplitude));
    showFrame(display, std::move(image));
}

void Displays::redrawWaterfallFrame()
{
    TPaintBox *display = m_w.WaterfallDisplay;
    if (!drawable(display))
        return;
    QImage image = offscreen(display);
    const DeviceScale scale = deviceScale(display);
    const MarkerColumns markers = redrawWaterfall(image, m_waterfallHistory, bandScene(), scale);
    placeLabels(logicalColumns(markers, scale), m_w.waterfallLabels, kWaterfallLabelOffset, kWaterfallLabelTop,
                display->width());
    showFrame(display, std::move(image));
}

void Displays::resetWaterfallHistory()
{
    m_waterfallHistory = blankWaterfallHistory(devicePixels(m_w.WaterfallDisplay));
    redrawWaterfallFrame();
}

void Displays::SignalDisplayPaint()
{
    TPaintBox *display = m_w.SignalDisplay;
    if (!drawable(display))
        return;
    QImage image = offscreen(display);
    renderSignal(image, m_rawData, m_flags.CardActive,
                 m_w.Monitor->currentIndex() == kSignalTab, deviceScale(display));
    showFrame(display, std::move(image));
}

void Displays::SyncroDisplayPaint()
{
    TPaintBox *display = m_w.SyncDisplay;
    if (!drawable(display))
        return;
    QImage image = offscreen(display);
    renderSync(image, m_syncData, m_flags.CardActive, deviceScale(display));
    showFrame(display, std::move(image));
}

void Displays::VectorDisplayPaint()
{
    TPaintBox *display = m_w.VECDisplay;
    if (!drawable(display))
        return;
    QImage image = offscreen(display);
    renderVectors(image, m_vectorData, m_flags.CardActive, deviceScale(display));
    showFrame(display, std::move(image));
}

void Displays::WaterfallDisplayMouseUp(Qt::MouseButton button, int x)
{
    clickToTune(m_w.WaterfallDisplay, button, x);
}

void Displays::SpectrumDisplayMouseUp(Qt::MouseButton button, int x)
{
    clickToTune(m_w.SpectrumDisplay, button, x);
}

void Displays::clickToTune(const TPaintBox *display, Qt::MouseButton button, int x)
{
    if (display->width() <= 0)
        return;
    tuneByButton(button, band().pixelToHz(x, display->width()));
}

void Displays::tuneByButton(Qt::MouseButton button, int freqHz)
{
    const int channel = channelOfButton(button);
    if (channel < 0)
        return;
    m_w.Canal->setCurrentIndex(channel);
    const ChannelWidgets &widgets = m_w.channels[channel];
    // The field clamps to 1-3996, also for a release beyond the display's edges.
    widgets.rx->setValue(freqHz);
    EngineInterface &engine = m_engine;
    engine.fnSetRXFrequency(static_cast<int32_t>(widgets.rx->value()), kTuneCaptureRangeHz, channel);
    if (widgets.afc->isChecked())
        return; // the engine's AFC is already pulling with the channel's width

    // AFC on for one second to lock onto the clicked signal, then off again. The wait
    // dispatches events: data messages keep the displays moving meanwhile.
    engine.fnSetAFCLimit(widgets.afcRange->value(), channel);
    Delay(kAfcPullMs);
    engine.fnSetAFCLimit(0, channel);
    widgets.rx->setValue(engine.fnGetRXFrequency(channel));
}

void Displays::WaterfallMove(int x)
{
    showReadout(m_w.WaterfallDisplay, x);
}

void Displays::SpectrumMove(int x)
{
    showReadout(m_w.SpectrumDisplay, x);
}

void Displays::showReadout(const TPaintBox *display, int x)
{
    if (display->width() <= 0)
        return;
    m_w.StatusBar->setPanelText(kReadoutPanel, frequencyReadout(band().pixelToHz(x, display->width())));
}

void Displays::LeftBtnClick()
{
    shiftBand(&DisplayBand::shiftLeft);
}

void Displays::RightBtnClick()
{
    shiftBand(&DisplayBand::shiftRight);
}

// The shift shows at the next drawing; the waterfall history keeps its old rows.
void Displays::shiftBand(void (DisplayBand::*shift)())
{
    DisplayBand shifted = band();
    (shifted.*shift)();
    m_settings.WFMin = shifted.WFMin;
    m_settings.WFMax = shifted.WFMax;
    applyShiftRule();
}

// The shift buttons stay disabled while the engine is stopped, whoever asks (the
// configuration dialog does so whatever the connection).
void Displays::applyShiftRule()
{
    const DisplayBand current = band();
    m_w.LeftBtn->setEnabled(m_flags.CardActive && current.canShiftLeft());
    m_w.RightBtn->setEnabled(m_flags.CardActive && current.canShiftRight());
}
