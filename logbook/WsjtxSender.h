#pragma once

#include "logbook/QsoRecord.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

struct StationSettings;

// Sends the WSJT-X network messages to the address and port of the station settings,
// read at each send so a change in the configuration dialog applies at once. Sending
// is a non-blocking datagram write: nothing waits, and no listener, a refused
// datagram or an unreachable address is not an error. Lives on the GUI thread.
class WsjtxSender : public QObject
{
    Q_OBJECT
public:
    static inline const QString kClientId = QStringLiteral("Korvo");

    explicit WsjtxSender(const StationSettings &station, QObject *parent = nullptr);
    // Says "Close" to a server that was told we are here.
    ~WsjtxSender() override;

    // A first heartbeat now, then one every 15 s while sending is on.
    void start();
    // "QSO Logged" then "Logged ADIF" (adifFile: a header and the one record).
    void sendQso(const QsoRecord &qso, const QByteArray &adifFile);

private:
    void sendHeartbeat();
    void send(const QByteArray &datagram);
    bool prepareSocket(const QHostAddress &destination);

    const StationSettings &m_station;
    QUdpSocket m_socket;
    QTimer m_heartbeat;
    bool m_announced = false;   // a heartbeat went out: a Close is owed at the end
};
