#include "WsjtxReader.h"

quint64 WsjtxReader::bigEndian(int size)
{
    if (m_at + size > m_bytes.size()) {
        m_failed = true;
        return 0;
    }
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | static_cast<quint8>(m_bytes.at(m_at + i));
    m_at += size;
    return value;
}

quint8 WsjtxReader::u8()
{
    return quint8(bigEndian(1));
}

quint32 WsjtxReader::u32()
{
    return quint32(bigEndian(4));
}

quint64 WsjtxReader::u64()
{
    return bigEndian(8);
}

QString WsjtxReader::utf8(bool *wasNull)
{
    const quint32 length = u32();
    if (wasNull)
        *wasNull = length == 0xffffffffu;
    if (length == 0xffffffffu)
        return {};
    if (m_at + qsizetype(length) > m_bytes.size()) {
        m_failed = true;
        return {};
    }
    const QString text = QString::fromUtf8(m_bytes.mid(m_at, length));
    m_at += length;
    return text;
}

QDateTime WsjtxReader::dateTime(quint8 *timeKind)
{
    const qint64 julianDay = qint64(u64());
    const quint32 ms = u32();
    const quint8 kind = u8();
    if (timeKind)
        *timeKind = kind;
    return QDateTime(QDate::fromJulianDay(julianDay), QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
}
