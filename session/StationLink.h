#pragma once

#include "config/StationSettings.h"
#include "logbook/QsoRecord.h"

#include <QObject>
#include <optional>

class EngineInterface;
class QLabel;
class QTimer;

// The station beside the sound card: hands the engine the keying method, the rig and the
// transmit time limit, and reads the rig's dial once a second for the main window's
// read-out and for the log. Reading never waits on the rig: the engine reads it on a
// thread of its own and this only copies its latest state.
class StationLink : public QObject
{
    Q_OBJECT
public:
    // readout: where the dial and mode, or the rig's silence, are shown.
    StationLink(EngineInterface &engine, const StationSettings &station, QLabel *readout);

    // Sends the station settings to the engine; at start-up and after the configuration dialog.
    void apply();
    // The dial as last read; empty while the rig is not read or does not answer.
    std::optional<RigDial> dial() const { return m_dial; }
    // The French message of a start failure that concerns the chosen sound devices, naming
    // the device; empty for any other code.
    QString deviceFailureText(int32_t code) const;
    // Copies the engine's rig state into the read-out (the one-second timer calls it).
    void poll();

private:
    EngineInterface &m_engine;
    const StationSettings &m_station;
    QLabel *m_readout;
    QTimer *m_timer;
    std::optional<RigDial> m_dial;
};

// The read-out of a rig state: "14 070,000 kHz USB", "Transceiver muet"; empty when no rig is controlled.
QString rigReadout(const PskRigState &state);
