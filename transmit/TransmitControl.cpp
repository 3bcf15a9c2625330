#include "transmit/TransmitControl.h"

#include "ground/Dialogs.h"
#include "ground/Images.h"
#include "ground/StatusBar.h"
#include "config/TSettings.h"
#include "controls/TLED.h"
#include "engine/ConnectionFlags.h"
#include "engine/EngineErrorText.h"
#include "engine/EngineInterface.h"
#include "transmit/TransmitStamp.h"

#include <QCoreApplication>
#include <pskcore/pskcore.h>

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolButton>

namespace {

constexpr int kTuneMode = 3;
const QString kTransmittingText = QCoreApplication::translate("Korvo", "Emission en cours...");
const QString kTransmittingNowhereText = QCoreApplication::translate("Korvo", "Emission simulée...");
const QString kNoOutputDeviceText = QCoreApplication::translate("Korvo", "Pas de carte son en sortie : l'émission n'est jouée nulle part");

} // namespace

TransmitControl::TransmitControl(EngineInterface &engine, ConnectionFlags &flags,
                                 const TSettings &settings, TransmitWidgets widgets, QObject *parent)
    : QObject(parent),
      m_engine(engine),
      m_flags(flags),
      m_settings(settings),
      m_w(std::move(widgets)),
      m_localNow([] { return QDateTime::currentDateTime(); }),
      m_locale(QLocale::system())
{
}

void TransmitControl::TxBtnClick()
{
    // Transmitting follows the engine's reports only: a start already asked for and
    // not yet reported still takes the start branch.
    if (!m_flags.Transmitting) {
        startTransmitter(LookTiming::AfterStart);
        if (m_w.TxBuf)
            m_w.TxBuf->setFocus();
        return;
    }
    if (m_w.dropUndelivered)
        m_w.dropUndelivered();
    if (m_engine.fnGetTXCharsRemaining() > 0) {
        // Unsent text is dropped and the carrier stops at once.
        m_engine.fnAbortTX();
        m_engine.fnClearTXBuffer();
    } else {
        m_engine.fnStopTX();
    }
    m_w.TuneBtn->setEnabled(true);
    showTxIdle();
}

// A macro's start shows the transmitting look before the engine is asked, the button's after.
void TransmitControl::startFromMacro()
{
    startTransmitter(LookTiming::BeforeStart);
}

void TransmitControl::startTransmitter(LookTiming timing)
{
    if (m_w.applyNetRule)
        m_w.applyNetRule();
    if (timing == LookTiming::BeforeStart)
        showTxRequested();
    m_engine.fnStartTX(m_settings.RXMode);
    if (timing == LookTiming::AfterStart)
        showTxRequested();
}

void TransmitControl::showTxRequested()
{
    m_w.TuneBtn->setEnabled(false);
    showTxActive();
}

void TransmitControl::TuneBtnClick()
{
    if (m_flags.Tuning) {
        m_flags.Tuning = false;
        m_engine.fnStopTX();
        if (m_w.Images)
            m_w.TuneBtn->setIcon(m_w.Images->icon(Image::Tune));
        m_w.TuneBtn->setToolTip(QCoreApplication::translate("Korvo", "Envoyer un tune"));
        m_w.TxBtn->setEnabled(true);
        m_w.CWIDBtn->setEnabled(true);
        return;
    }
    m_flags.Tuning = true;
    m_w.TxBtn->setEnabled(false);
    m_w.CWIDBtn->setEnabled(false);
    if (m_w.applyNetRule)
        m_w.applyNetRule();
    m_engine.fnStartTX(kTuneMode);
    if (m_w.Images)
        m_w.TuneBtn->setIcon(m_w.Images->icon(Image::Stop));
    m_w.TuneBtn->setToolTip(QCoreApplication::translate("Korvo", "Stopper le tune"));
}

void TransmitControl::CWIDBtnClick()
{
    if (m_w.applyNetRule)
        m_w.applyNetRule();
    m_engine.fnStartTX(m_settings.RXMode);
    m_engine.fnSendTXCharacter(2, 1);
    m_engine.fnStopTX();
}

void TransmitControl::RewindBtnClick()
{
    m_engine.fnRewindInput(m_settings.Blocks);
}

void TransmitControl::TxStatus(int32_t code)
{
    if (!m_flags.CardActive)
        return;
    switch (code) {
    case psktx::Ended:
        m_w.TuneBtn->setEnabled(true);
        m_w.CWIDBtn->setEnabled(false);
        showTxIdle();
        if (m_flags.Transmitting && m_engine.fnGetTXCharsRemaining() == 0) {
            addStamp(false);
            if (m_w.TxBuf)
                m_w.TxBuf->clear();
        }
        m_flags.Transmitting = false;
        m_w.Canal->setEnabled(true);
        return;
    case psktx::Started:
        if (m_w.StatusBar)
            m_w.StatusBar->setPanelText(PanelStatusBar::kActivityPanel,
                                        m_outputNowhere ? kTransmittingNowhereText : kTransmittingText);
        if (m_outputNowhere && m_w.setStatusNotice)
            m_w.setStatusNotice(Image::Warning, kNoOutputDeviceText);
        addStamp(true);
        m_flags.Transmitting = true;
        m_w.CWIDBtn->setEnabled(true);
        // The receive look comes back with the first data message after the end.
        m_w.TXLed->setLit(true);
        m_w.RXLed->setLit(false);
        m_w.Canal->setEnabled(false);
        return;
    case psktx::TooSlow:
        if (m_w.setStatusNotice)
            m_w.setStatusNotice(Image::Warning, QCoreApplication::translate("Korvo", "Processeur trop lent ou occupé"));
        return;
    case psktx::SendingRest:
        if (m_w.setStatusNotice)
            m_w.setStatusNotice(Image::CharactersPending, QCoreApplication::translate("Korvo", "Transmission des caractères restants..."));
        return;
    default:
        if (code > psktx::SendingRest)
            showFailure(EngineErrorText(code));
        return;
    }
}

void TransmitControl::showTxIdle()
{
    if (m_w.Images)
        m_w.TxBtn->setIcon(m_w.Images->icon(Image::Transmit));
    m_w.TxBtn->setToolTip(QCoreApplication::translate("Korvo", "Emettre"));
}

void TransmitControl::showTxActive()
{
    if (m_w.Images)
        m_w.TxBtn->setIcon(m_w.Images->icon(Image::Stop));
    m_w.TxBtn->setToolTip(QCoreApplication::translate("Korvo", "Stopper l'émission"));
}

// The stamp goes to the pane of the channel current when the report arrives.
void TransmitControl::addStamp(bool start)
{
    const int channel = m_w.Canal->currentIndex();
    if (channel < 0 || channel > 1 || !m_w.terms[channel])
        return;
    QPlainTextEdit *pane = m_w.terms[channel];
    pane->appendPlainText(transmitStamp(start ? StampKind::Start : StampKind::End, m_localNow(), m_locale));
    // Received text goes on after the stamp.
    pane->moveCursor(QTextCursor::End);
}
