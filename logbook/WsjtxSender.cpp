#include "logbook/WsjtxSender.h"

#include "config/StationSettings.h"
#include "logbook/AdifWriter.h"
#include "logbook/WsjtxMessages.h"

namespace {

// A multicast datagram stays on the local network, and loops back to listeners on
// this machine (the usual case: GridTracker or a logger beside the program). The
// interface is the one the system routes the group through.
constexpr int kMulticastTtl = 1;

} // namespace

WsjtxSender::WsjtxSender(const StationSettings &station, QObject *parent)
    : QObject(parent), m_station(station)
{
    m_heartbeat.setInterval(Wsjtx::kHeartbeatIntervalMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &WsjtxSender::sendHeartbeat);
}

WsjtxSender::~WsjtxSender()
{
    if (m_announced)
        send(Wsjtx::close(kClientId));
}

void WsjtxSender::start()
{
    sendHeartbeat();
    m_heartbeat.start();
}

void WsjtxSender::sendHeartbeat()
{
    if (!m_station.UDPEnabled)
        return;
    send(Wsjtx::heartbeat(kClientId, QString::fromLatin1(kAdifProgramVersion), QString()));
    m_announced = true;
}

void WsjtxSender::sendQso(const QsoRecord &qso, const QByteArray &adifFile)
{
    if (!m_station.UDPEnabled)
        return;
    send(Wsjtx::qsoLogged(kClientId, qso));
    send(Wsjtx::loggedAdif(kClientId, adifFile));
}

// The socket is bound to the destination's protocol (once, or again when the address
// changes between IPv4 and IPv6), so its multicast options can be set.
bool WsjtxSender::prepareSocket(const QHostAddress &destination)
{
    const QAbstractSocket::NetworkLayerProtocol protocol = destination.protocol();
    if (m_socket.state() == QAbstractSocket::BoundState && m_socket.localAddress().protocol() == protocol)
        return true;
    m_socket.abort();
    const QHostAddress any(protocol == QAbstractSocket::IPv6Protocol ? QHostAddress::AnyIPv6
                                                                      : QHostAddress::AnyIPv4);
    if (!m_socket.bind(any, 0))
        return false;
    m_socket.setSocketOption(QAbstractSocket::MulticastTtlOption, kMulticastTtl);
    m_socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 1);
    return true;
}

void WsjtxSender::send(const QByteArray &datagram)
{
    const QHostAddress destination(m_station.UDPHost);
    if (destination.isNull() || !prepareSocket(destination))
        return;
    m_socket.writeDatagram(datagram, destination, quint16(m_station.UDPPort));
}
