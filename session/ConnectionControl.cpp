#include "session/ConnectionControl.h"

#include "channels/ReceiveChannels.h"
#include "config/TSettings.h"
#include "controls/TLED.h"
#include "displays/Displays.h"
#include "engine/ConnectionFlags.h"
#include "engine/Delay.h"
#include "engine/EngineErrorText.h"
#include "engine/EngineInterface.h"
#include "ground/Cp1252.h"
#include "ground/Dialogs.h"
#include "ground/Images.h"
#include "ground/StatusBar.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr int kDefaultDevice = -1;
constexpr int kChannels = 2;
// Lets the engine finish a stop or an abort before the next command.
constexpr int kEngineSettleMs = 200;

} // namespace

ConnectionControl::ConnectionControl(EngineInterface &engine, ConnectionFlags &flags, const TSettings &settings,
                                     ConnectionWidgets widgets, QObject *parent)
    : QObject(parent), m_engine(engine), m_flags(flags), m_settings(settings), m_w(std::move(widgets))
{
}

void ConnectionControl::OnBtnClick()
{
    // A click handled inside the disconnect's waits would start the engine that the
    // rest of the sequence then stops, leaving CardActive set on a stopped engine.
    if (m_disconnecting)
        return;
    m_flags.CardActive = !m_flags.CardActive;
    if (m_flags.CardActive)
        connectCard();
    else
        disconnectCard();
}

void ConnectionControl::setEngineControlsEnabled(bool enabled)
{
    m_w.TxBtn->setEnabled(enabled);
    m_w.TuneBtn->setEnabled(enabled);
    m_w.RewindBtn->setEnabled(enabled);
    if (enabled) {
        m_w.displays->applyShiftRule();
    } else {
        m_w.LeftBtn->setEnabled(false);
        m_w.RightBtn->setEnabled(false);
    }
}

void ConnectionControl::showDisconnected()
{
    setEngineControlsEnabled(false);
    m_w.OnBtn->setIcon(m_w.Images->icon(Image::Connect));
    m_w.OnBtn->setToolTip(QCoreApplication::translate("Korvo", "Connecter/activer la carte son"));
    m_w.StatusBar->setPanelText(PanelStatusBar::kActivityPanel, QCoreApplication::translate("Korvo", "Programme inactif"));
}

void ConnectionControl::connectCard()
{
    const int32_t r = m_engine.fnStartSoundCard(m_w.window, kDefaultDevice, kChannels);
    if (r != 0) {
        m_flags.CardActive = false;
        const QString named = m_w.deviceFailureText ? m_w.deviceFailureText(r) : QString();
        showFailure(named.isEmpty() ? EngineErrorText(r) : named);
        showDisconnected();
        m_w.LEDOne->setLit(false);
        return;
    }

    pushReceiveSettings();

    setEngineControlsEnabled(true);
    m_w.OnBtn->setIcon(m_w.Images->icon(Image::Disconnect));
    m_w.OnBtn->setToolTip(QCoreApplication::translate("Korvo", "Déconnecter la carte son"));
    m_w.LEDOne->setLit(true);
    m_w.RXLed->setLit(false);
    m_w.TXLed->setLit(false);
    m_w.repaintStatusBar();

    // A button serves only a slot holding a macro; its caption is the macro's name.
    for (QPushButton *button : m_w.macroButtons)
        button->setEnabled(!button->text().isEmpty());

    m_w.displays->resetWaterfallHistory();
}

// The order is the engine's start-up contract; tests hold it call by call.
void ConnectionControl::pushReceiveSettings()
{
    EngineInterface &engine = m_engine;
    const TSettings &settings = m_settings;
    ReceiveChannels &channels = *m_w.channels;

    engine.fnSetFFTMode(1, Displays::kFFTFullScale, 1);
    channels.pushReceiveFrequencies();
    for (int c = 0; c < kChannels; ++c)
        engine.fnSetRXPSKMode(settings.RXMode, c);
    channels.pushAFCLimits();
    engine.fnSetClockErrorAdjustment(settings.PPMAdjust);
    channels.pushSquelchThresholds();
    engine.fnSetCWIDSpeed(settings.CWIDSpeed + 1);
    engine.fnSetCWIDString(Cp1252::encode(settings.CWID).constData());
}

void ConnectionControl::disconnectCard()
{
    EngineInterface &engine = m_engine;
    m_disconnecting = true;
    const auto done = qScopeGuard([this] { m_disconnecting = false; });

    // Each flag is written before its wait: the handlers that run inside it
    // (a transmit status among them) must see the new state.
    if (m_flags.Tuning) {
        m_flags.Tuning = false;
        m_w.TuneBtn->setIcon(m_w.Images->icon(Image::Tune));
        m_w.TuneBtn->setToolTip(QCoreApplication::translate("Korvo", "Envoyer un tune"));
        engine.fnStopTX();
        Delay(kEngineSettleMs);
    }

    if (m_flags.Transmitting) {
        m_flags.Transmitting = false;
        m_w.TxBtn->setIcon(m_w.Images->icon(Image::Transmit));
        m_w.TxBtn->setToolTip(QCoreApplication::translate("Korvo", "Emettre"));
        m_w.CWIDBtn->setEnabled(false);
        m_w.Canal->setEnabled(true);
        if (engine.fnGetTXCharsRemaining() > 0)
            engine.fnClearTXBuffer();
        engine.fnAbortTX();
        Delay(kEngineSettleMs);
    }

    showDisconnected();
    m_w.LEDOne->setLit(false);
    m_w.RXLed->setLit(false);
    m_w.TXLed->setLit(false);
    m_w.repaintStatusBar();

    engine.fnStopSoundCard();

    // With CardActive false the displays draw their stopped look.
    m_w.displays->SpectrumDisplayPaint();
    m_w.displays->WaterfallDisplayPaint();
    m_w.displays->SyncroDisplayPaint();
    m_w.displays->VectorDisplayPaint();
    m_w.displays->SignalDisplayPaint();

    for (QPushButton *button : m_w.macroButtons)
        button->setEnabled(false);
}
