#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

// The PSK31 variants a QSO can be made in; ADIF logs them as MODE PSK with a SUBMODE.
enum class PskSubmode { PSK31, QPSK31 };

// "PSK31" or "QPSK31": the ADIF submode, also the mode name the WSJT-X message carries.
QString submodeName(PskSubmode submode);
// The submode of the configuration's RXMode index (0 BPSK, 1 QPSK USB, 2 QPSK LSB).
PskSubmode submodeForRxMode(int rxMode);

// The transceiver's dial, known only when something reads it from the rig.
struct RigDial
{
    quint64 frequencyHz = 0;
    bool lowerSideband = false;   // the audio offset is then below the dial
};

// One QSO as it is logged: the QSO box's fields, its times and the station's own data.
struct QsoRecord
{
    QString call;
    QString name;
    QString rstSent;
    QDateTime timeOn;    // UTC: when the call sign entered the QSO box
    QDateTime timeOff;   // UTC: when the QSO was logged
    PskSubmode submode = PskSubmode::PSK31;
    int audioHz = 0;     // the channel's audio frequency
    std::optional<RigDial> dial;
    QString stationCallsign;
    QString myGrid;

    // The radio frequency: the dial plus or minus the audio offset; empty without a dial.
    std::optional<quint64> frequencyHz() const;
};
