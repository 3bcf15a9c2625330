#include "session/EngineNotifications.h"

#include "channels/ReceiveChannels.h"
#include "channels/ReceiveTerminal.h"
#include "channels/ReceivedText.h"
#include "controls/TLED.h"
#include "displays/DisplayBand.h"
#include "displays/Displays.h"
#include "engine/ConnectionFlags.h"
#include "engine/EngineInterface.h"
#include "engine/EngineMessage.h"
#include "ground/Dialogs.h"
#include "ground/Images.h"
#include "ground/StatusBar.h"
#include "session/EngineReadouts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <array>

namespace {

constexpr int32_t kRawSamples = 1024;
constexpr int kTransmitPaneLines = 64;
constexpr int kNoisePanel = 1;

} // namespace

EngineNotifications::EngineNotifications(EngineInterface &engine, const ConnectionFlags &flags,
                                         NotificationTargets targets, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_flags(flags)
    , m_t(std::move(targets))
{
}

bool EngineNotifications::dispatch(int32_t message, int32_t wParam, int32_t lParam)
{
    switch (message) {
    case EngineMessage::NewData:
        NewData();
        return true;
    case EngineMessage::Character:
        CharReceived(wParam, lParam);
        return true;
    case EngineMessage::ImdOrNoise:
        ImdOrNoise(wParam, lParam);
        return true;
    case EngineMessage::ClockError:
        ClockError(wParam, lParam);
        return true;
    default:
        return false;
    }
}

void EngineNotifications::NewData()
{
    if (!m_flags.CardActive)
        return;
    Displays &displays = *m_t.displays;

    // One fetch for the main displays per message: raw samples or FFT, never both.
    if (m_t.Monitor->currentIndex() == Displays::kSignalTab) {
        m_engine.fnGetRawData(displays.rawData().data(), 0, kRawSamples - 1);
        displays.SignalDisplayPaint();
    } else {
        fetchSpectrum();
    }

    m_t.channels->engineRefresh();
    const int current = m_t.channels->currentChannel();
    m_engine.fnGetSyncData(displays.syncData().data(), current);
    displays.SyncroDisplayPaint();
    m_engine.fnGetVectorData(displays.vectorData().data(), current);
    displays.VectorDisplayPaint();
}

void EngineNotifications::fetchSpectrum()
{
    // The displays' band is always a valid one, so the fetch stays inside their FFT
    // data whatever a damaged settings file held.
    Displays &displays = *m_t.displays;
    const DisplayBand band = displays.band();
    m_overload = m_engine.fnGetFFTData(displays.fftData().data(), band.firstBin(), band.lastBin()) != 0;
    if (m_overload) {
        // repeated at every data message while the input stays saturated
        Dialogs::current().beep();
        m_t.setStatusNotice(Image::Warning,
                            QCoreApplication::translate("Korvo", "Signal saturé ! Diminuez le niveau d'entrée de la carte son"));
    } else if (!m_flags.Transmitting) {
        m_t.StatusBar->setPanelText(PanelStatusBar::kActivityPanel, QCoreApplication::translate("Korvo", "Réception en cours..."));
        m_t.TXLed->setLit(false);
        m_t.RXLed->setLit(true);
    }
    displays.SpectrumDisplayPaint();
    // Each waterfall paint adds one line of history.
    displays.WaterfallDisplayPaint();
}

void EngineNotifications::CharReceived(int32_t wParam, int32_t lParam)
{
    // lParam 2 (a transmitted character) and anything else go to the current channel
    int channel = lParam & 0xFFFF;
    if (channel != 0 && channel != 1)
        channel = m_t.channels->currentChannel();
    m_t.terminals[static_cast<size_t>(channel)]->receiveCharacter(wParam & 0xFFFF, m_flags.CardActive);
    // the transmit pane stays short even while stopped: the operator adds text too
    trimFirstDisplayedLine(m_t.TxBuf, kTransmitPaneLines);
}

void EngineNotifications::ImdOrNoise(int32_t wParam, int32_t lParam)
{
    if (!m_flags.CardActive)
        return;
    if (lParam == 0 || lParam == 1)
        m_t.imd[static_cast<size_t>(lParam)]->setText(imdReadout(wParam));
    else
        m_t.StatusBar->setPanelText(kNoisePanel, noiseReadout(wParam));
}

void EngineNotifications::ClockError(int32_t wParam, int32_t lParam)
{
    if (!m_flags.CardActive)
        return;
    if (lParam == 0 || lParam == 1)
        m_t.ppm[static_cast<size_t>(lParam)]->setText(clockErrorReadout(wParam));
}
