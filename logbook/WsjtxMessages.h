#pragma once

#include "logbook/QsoRecord.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The datagrams of the WSJT-X network protocol that loggers, GridTracker and JTAlert
// listen to: a header (magic, schema, type, id), then the message's fields, all
// big-endian as QDataStream writes them at version Qt_5_4 (schema 3). Texts are UTF-8
// byte arrays (quint32 length, then the bytes); an empty text is sent with length 0.
namespace Wsjtx {

inline constexpr quint32 kMagic = 0xadbccbda;
inline constexpr quint32 kSchema = 3;

enum MessageType : quint32 {
    Heartbeat = 0,
    QsoLogged = 5,
    Close = 6,
    LoggedAdif = 12,
};

// Sent every 15 s while sending is on, so that a server sees the client come and go.
inline constexpr int kHeartbeatIntervalMs = 15000;

// Type 0: id, the highest schema we speak, version, revision.
QByteArray heartbeat(const QString &id, const QString &version, const QString &revision);
// Type 5. The Tx frequency is the record's radio frequency, 0 when the dial is not
// known; the mode is the submode's name ("PSK31", "QPSK31").
QByteArray qsoLogged(const QString &id, const QsoRecord &qso);
// Type 12: a complete ADIF file (header and one record) as one text.
QByteArray loggedAdif(const QString &id, const QByteArray &adifText);
// Type 6: the client is going away.
QByteArray close(const QString &id);

} // namespace Wsjtx
