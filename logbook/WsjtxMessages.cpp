#include "logbook/WsjtxMessages.h"

#include <QDataStream>
#include <QIODevice>

namespace Wsjtx {
namespace {

// A writer for one datagram: the stream's version fixes the QDateTime layout that
// schema 3 means (Julian day qint64, milliseconds quint32, timespec quint8).
class Datagram
{
public:
    Datagram(MessageType type, const QString &id) : m_stream(&m_bytes, QIODevice::WriteOnly)
    {
        m_stream.setVersion(QDataStream::Qt_5_4);
        m_stream.setByteOrder(QDataStream::BigEndian);
        m_stream << kMagic << kSchema << quint32(type);
        text(id);
    }

    Datagram &text(const QString &value)
    {
        QByteArray utf8 = value.toUtf8();
        if (utf8.isNull())
            utf8 = QByteArray("", 0);   // empty, not null: length 0 rather than 0xffffffff
        m_stream << utf8;
        return *this;
    }
    Datagram &bytes(const QByteArray &value)
    {
        m_stream << value;
        return *this;
    }
    Datagram &dateTime(const QDateTime &value)
    {
        m_stream << value.toUTC();
        return *this;
    }
    Datagram &number(quint32 value)
    {
        m_stream << value;
        return *this;
    }
    Datagram &number64(quint64 value)
    {
        m_stream << value;
        return *this;
    }

    QByteArray take() { return m_bytes; }

private:
    QByteArray m_bytes;
    QDataStream m_stream;
};

} // namespace

QByteArray heartbeat(const QString &id, const QString &version, const QString &revision)
{
    return Datagram(Heartbeat, id).number(kSchema).text(version).text(revision).take();
}

QByteArray qsoLogged(const QString &id, const QsoRecord &qso)
{
    return Datagram(QsoLogged, id)
        .dateTime(qso.timeOff)
        .text(qso.call.trimmed().toUpper())
        .text(QString())                       // DX grid: not known
        .number64(qso.frequencyHz().value_or(0))
        .text(submodeName(qso.submode))
        .text(qso.rstSent.trimmed())
        .text(QString())                       // report received
        .text(QString())                       // Tx power
        .text(QString())                       // comments
        .text(qso.name.trimmed())
        .dateTime(qso.timeOn)
        .text(QString())                       // operator call
        .text(qso.stationCallsign.trimmed().toUpper())
        .text(qso.myGrid.trimmed())
        .text(QString())                       // exchange sent
        .text(QString())                       // exchange received
        .take();
}

QByteArray loggedAdif(const QString &id, const QByteArray &adifText)
{
    return Datagram(LoggedAdif, id).bytes(adifText).take();
}

QByteArray close(const QString &id)
{
    return Datagram(Close, id).take();
}

} // namespace Wsjtx
