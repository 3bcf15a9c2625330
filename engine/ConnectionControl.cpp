#include "engine/ConnectionControl.h"

#include "channels/ReceiveChannels.h"

#include "app/Cp1252.h"
#include "app/Dialogs.h"
#include "app/StatusBar.h"
#include "app/TPSKForm.h"
#include "controls/TLEDLabel.h"
#include "displays/Displays.h"
#include "engine/Delay.h"
#include "engine/EngineErrorText.h"
#include "engine/EngineInterface.h"

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

constexpr int kImageConnect = 1;
constexpr int kImageDisconnect = 2;
constexpr int kImageTransmit = 3;
constexpr int kImageTune = 4;

// The engine takes the CW identification as Windows-1252; characters it has no byte
// for are left out rather than sent as something else.
QByteArray toCp1252(const QString &text)
{
    QByteArray bytes;
    for (QChar ch : text)
        if (const auto byte = Cp1252::fromUnicode(ch))
            bytes.append(static_cast<char>(*byte));
    return bytes;
}

} // namespace

ConnectionControl::ConnectionControl(TPSKForm &form, QObject *parent)
    : QObject(parent), m_form(form)
{
}

void ConnectionControl::OnBtnClick()
{
    // A click handled inside the disconnect's waits would start the engine that the
    // rest of the sequence then stops, leaving CardActive set on a stopped engine.
    if (m_disconnecting)
        return;
    m_form.flags.CardActive = !m_form.flags.CardActive;
    if (m_form.flags.CardActive)
        connectCard();
    else
        disconnectCard();
}

void ConnectionControl::setEngineControlsEnabled(bool enabled)
{
    m_form.TxBtn->setEnabled(enabled);
    m_form.TuneBtn->setEnabled(enabled);
    m_form.RewindBtn->setEnabled(enabled);
    if (enabled) {
        m_form.displays->applyShiftRule();
    } else {
        m_form.LeftBtn->setEnabled(false);
        m_form.RightBtn->setEnabled(false);
    }
}

void ConnectionControl::showDisconnected()
{
    setEngineControlsEnabled(false);
    m_form.OnBtn->setIcon(m_form.Images.icon(kImageConnect));
    m_form.OnBtn->setToolTip(QStringLiteral("Connecter/activer la carte son"));
    m_form.StatusBar->setPanelText(PanelStatusBar::kActivityPanel, QStringLiteral("Programme inactif"));
}

void ConnectionControl::connectCard()
{
    const int32_t r = m_form.engine.fnStartSoundCard(&m_form, kDefaultDevice, kChannels);
    if (r != 0) {
        m_form.flags.CardActive = false;
        showFailure(EngineErrorText(r));
        showDisconnected();
        m_form.LEDOne->setLit(false);
        return;
    }

    pushReceiveSettings();

    setEngineControlsEnabled(true);
    m_form.OnBtn->setIcon(m_form.Images.icon(kImageDisconnect));
    m_form.OnBtn->setToolTip(QStringLiteral("Déconnecter la carte son"));
    m_form.LEDOne->setLit(true);
    m_form.RXLed->setLit(false);
    m_form.TXLed->setLit(false);
    m_form.repaintStatusBar();

    // A button serves only a slot holding a macro; its caption is the macro's name.
    for (QPushButton *button : m_form.macroButtons)
        button->setEnabled(!button->text().isEmpty());

    m_form.displays->resetWaterfallHistory();
}

// The order is the engine's start-up contract; tests hold it call by call.
void ConnectionControl::pushReceiveSettings()
{
    EngineInterface &engine = m_form.engine;
    const TSettings &settings = m_form.Settings;
    ReceiveChannels &channels = *m_form.receiveChannels;

    engine.fnSetFFTMode(1, m_form.FFTFullScale, 1);
    channels.pushReceiveFrequencies();
    for (int c = 0; c < kChannels; ++c)
        engine.fnSetRXPSKMode(settings.RXMode, c);
    channels.pushAFCLimits();
    engine.fnSetClockErrorAdjustment(settings.PPMAdjust);
    channels.pushSquelchThresholds();
    engine.fnSetCWIDSpeed(settings.CWIDSpeed + 1);
    engine.fnSetCWIDString(toCp1252(settings.CWID).constData());
}

void ConnectionControl::disconnectCard()
{
    EngineInterface &engine = m_form.engine;
    m_disconnecting = true;
    const auto done = qScopeGuard([this] { m_disconnecting = false; });

    // Each flag is written before its wait: the handlers that run inside it
    // (a transmit status among them) must see the new state.
    if (m_form.flags.Tuning) {
        m_form.flags.Tuning = false;
        m_form.TuneBtn->setIcon(m_form.Images.icon(kImageTune));
        m_form.TuneBtn->setToolTip(QStringLiteral("Envoyer un tune"));
        engine.fnStopTX();
        Delay(kEngineSettleMs);
    }

    if (m_form.flags.Transmitting) {
        m_form.flags.Transmitting = false;
        m_form.TxBtn->setIcon(m_form.Images.icon(kImageTransmit));
        m_form.TxBtn->setToolTip(QStringLiteral("Emettre"));
        m_form.CWIDBtn->setEnabled(false);
        m_form.Canal->setEnabled(true);
        if (engine.fnGetTXCharsRemaining() > 0)
            engine.fnClearTXBuffer();
        engine.fnAbortTX();
        Delay(kEngineSettleMs);
    }

    showDisconnected();
    m_form.LEDOne->setLit(false);
    m_form.RXLed->setLit(false);
    m_form.TXLed->setLit(false);
    m_form.repaintStatusBar();

    engine.fnStopSoundCard();

    // With CardActive false the displays draw their stopped look.
    m_form.displays->SpectrumDisplayPaint();
    m_form.displays->WaterfallDisplayPaint();
    m_form.displays->SyncroDisplayPaint();
    m_form.displays->VectorDisplayPaint();
    m_form.displays->SignalDisplayPaint();

    for (QPushButton *button : m_form.macroButtons)
        button->setEnabled(false);
}
