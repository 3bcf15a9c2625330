#include "session/StationLink.h"

#include "engine/EngineInterface.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QTimer>

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kPollIntervalMs = 1000;

} // namespace

QString rigReadout(const PskRigState &state)
{
    switch (state.status) {
    case pskrig::Opening:
        return QCoreApplication::translate("Korvo", "Transceiver : connexion...");
    case pskrig::Silent:
        return QCoreApplication::translate("Korvo", "Transceiver muet");
    case pskrig::Answering:
        if (!state.dialKnown)
            return QCoreApplication::translate("Korvo", "Transceiver prêt");
        // Kilohertz with the hertz as decimals, grouped as the locale writes numbers.
        return QCoreApplication::translate("Korvo", "%1 kHz %2")
            .arg(QLocale().toString(double(state.dialHz) / 1000.0, 'f', 3), QString::fromStdString(state.mode));
    default:
        return {};
    }
}

StationLink::StationLink(EngineInterface &engine, const StationSettings &station, QLabel *readout)
    : m_engine(engine), m_station(station), m_readout(readout), m_timer(new QTimer(this))
{
    m_timer->setInterval(kPollIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &StationLink::poll);
    m_timer->start();
}

void StationLink::apply()
{
    m_engine.pskSetTxTimeLimit(m_station.TxTimeLimitMin * kSecondsPerMinute);
    m_engine.pskSetRig(m_station.rigConfig());
    m_engine.pskSetAudioDevices(m_station.InputDevice.toStdString(), m_station.OutputDevice.toStdString());
    poll();
}

QString StationLink::deviceFailureText(int32_t code) const
{
    if (code == pskerr::InputDeviceAbsent)
        return QCoreApplication::translate("Korvo", "Le périphérique d'entrée audio \"%1\" est absent.\r\n"
                  "Branchez-le, ou choisissez-en un autre dans l'onglet Station de la configuration.")
            .arg(m_station.InputDevice);
    if (code == pskerr::OutputDeviceAbsent)
        return QCoreApplication::translate("Korvo", "Le périphérique de sortie audio \"%1\" est absent.\r\n"
                  "Branchez-le, ou choisissez-en un autre dans l'onglet Station de la configuration.")
            .arg(m_station.OutputDevice);
    return {};
}

void StationLink::poll()
{
    const PskRigState state = m_engine.pskGetRigState();
    if (state.status == pskrig::Answering && state.dialKnown)
        m_dial = RigDial{quint64(state.dialHz), state.lowerSideband};
    else
        m_dial.reset();
    if (!m_readout)
        return;
    m_readout->setText(rigReadout(state));
    // The devices in use are named in the read-out's hint.
    const QString defaultName = QCoreApplication::translate("Korvo", "Défaut");
    m_readout->setToolTip(QCoreApplication::translate("Korvo", "Son : entrée %1, sortie %2")
                              .arg(m_station.InputDevice.isEmpty() ? defaultName : m_station.InputDevice,
                                   m_station.OutputDevice.isEmpty() ? defaultName : m_station.OutputDevice));
}
