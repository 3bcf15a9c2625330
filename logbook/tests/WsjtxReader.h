#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Reads a WSJT-X datagram field by field, by hand from the bytes (big-endian), not
// through QDataStream, so the tests check the layout and not only a round trip.
class WsjtxReader
{
public:
    explicit WsjtxReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    quint8 u8();
    quint32 u32();
    quint64 u64();
    // quint32 length then UTF-8 bytes; 0xffffffff reads as a null string and sets *wasNull.
    QString utf8(bool *wasNull = nullptr);
    // Julian day (qint64), milliseconds since midnight (quint32), time kind (quint8, 1 = UTC).
    QDateTime dateTime(quint8 *timeKind = nullptr);

    bool atEnd() const { return m_at == m_bytes.size(); }
    bool failed() const { return m_failed; }

private:
    quint64 bigEndian(int size);

    QByteArray m_bytes;
    qsizetype m_at = 0;
    bool m_failed = false;
};
