#include "engine/EngineNotifications.h"

#include "app/Dialogs.h"
#include "app/StatusBar.h"
#include "app/TPSKForm.h"
#include "channels/ReceiveChannels.h"
#include "controls/TLEDLabel.h"
#include "displays/DisplayBand.h"
#include "displays/Displays.h"
#include "engine/EngineInterface.h"
#include "engine/EngineMessage.h"
#include "engine/ReceivedText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <array>

namespace {

constexpr int32_t kRawSamples = 1024;
constexpr int kReceivePaneLines = 128;
constexpr int kTransmitPaneLines = 64;
constexpr int kSaturationIcon = 15;
constexpr int kNoisePanel = 1;

} // namespace

EngineNotifications::EngineNotifications(TPSKForm &form, ReceiveChannels &channels, QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_channels(channels)
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
    if (!m_form.flags.CardActive)
        return;
    EngineInterface &engine = m_form.engine;

    // One fetch for the main displays per message: raw samples or FFT, never both.
    if (m_form.Monitor->currentIndex() == Displays::kSignalTab) {
        engine.fnGetRawData(m_form.RawData.data(), 0, kRawSamples - 1);
        m_form.displays->SignalDisplayPaint();
    } else {
        fetchSpectrum();
    }

    m_channels.engineRefresh();
    const int current = m_channels.currentChannel();
    engine.fnGetSyncData(m_form.SyncData.data(), current);
    m_form.displays->SyncroDisplayPaint();
    engine.fnGetVectorData(m_form.VectorData.data(), current);
    m_form.displays->VectorDisplayPaint();
}

void EngineNotifications::fetchSpectrum()
{
    // The displays' band is always a valid one, so the fetch stays inside FFTData
    // whatever a damaged settings file held.
    const DisplayBand band = m_form.displays->band();
    m_overload = m_form.engine.fnGetFFTData(m_form.FFTData.data(), band.firstBin(), band.lastBin()) != 0;
    if (m_overload) {
        // repeated at every data message while the input stays saturated
        Dialogs::current().beep();
        m_form.setStatusNotice(kSaturationIcon,
                               QStringLiteral("Signal saturé ! Diminuez le niveau d'entrée de la carte son"));
    } else if (!m_form.flags.Transmitting) {
        m_form.StatusBar->setPanelText(PanelStatusBar::kActivityPanel, QStringLiteral("Réception en cours..."));
        m_form.TXLed->setLit(false);
        m_form.RXLed->setLit(true);
    }
    m_form.displays->SpectrumDisplayPaint();
    // Each waterfall paint adds one line of history.
    m_form.displays->WaterfallDisplayPaint();
}

void EngineNotifications::CharReceived(int32_t wParam, int32_t lParam)
{
    if (m_form.flags.CardActive) {
        int channel = lParam & 0xFFFF;
        if (channel != 0 && channel != 1)
            channel = m_channels.currentChannel();
        const std::array<QPlainTextEdit *, 2> panes{m_form.TermOne, m_form.TermTwo};
        typeReceivedCharacter(panes[static_cast<size_t>(channel)], wParam & 0xFFFF);
    }
    // the panes stay short even while stopped: stamps and the operator add text too
    trimFirstDisplayedLine(m_form.TermOne, kReceivePaneLines);
    trimFirstDisplayedLine(m_form.TermTwo, kReceivePaneLines);
    trimFirstDisplayedLine(m_form.TxBuf, kTransmitPaneLines);
}

void EngineNotifications::ImdOrNoise(int32_t wParam, int32_t lParam)
{
    if (!m_form.flags.CardActive)
        return;
    const std::array<QLabel *, 2> imd{m_form.IMDOne, m_form.IMDTwo};
    if (lParam == 0 || lParam == 1)
        imd[static_cast<size_t>(lParam)]->setText(imdReadout(wParam));
    else
        m_form.StatusBar->setPanelText(kNoisePanel, noiseReadout(wParam));
}

void EngineNotifications::ClockError(int32_t wParam, int32_t lParam)
{
    if (!m_form.flags.CardActive)
        return;
    const std::array<QLabel *, 2> ppm{m_form.PPMOne, m_form.PPMTwo};
    if (lParam == 0 || lParam == 1)
        ppm[static_cast<size_t>(lParam)]->setText(clockErrorReadout(wParam));
}
