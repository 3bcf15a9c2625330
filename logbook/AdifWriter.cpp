#include "logbook/AdifWriter.h"

#include "logbook/AdifBands.h"

namespace {

constexpr quint64 kHzPerMHz = 1000000;

QString adifDate(const QDateTime &utc)
{
    return utc.toUTC().toString(QStringLiteral("yyyyMMdd"));
}

QString adifTime(const QDateTime &utc)
{
    return utc.toUTC().toString(QStringLiteral("HHmmss"));
}

// MHz with the six decimals of a whole hertz, without going through floating point.
QString adifFrequencyMHz(quint64 hz)
{
    return QStringLiteral("%1.%2").arg(hz / kHzPerMHz).arg(hz % kHzPerMHz, 6, 10, QLatin1Char('0'));
}

} // namespace

QByteArray adifField(const char *name, const QString &value)
{
    if (value.isEmpty())
        return {};
    const QByteArray data = value.toUtf8();
    return '<' + QByteArray(name) + ':' + QByteArray::number(data.size()) + '>' + data + ' ';
}

QByteArray adifHeader(const QDateTime &createdUtc)
{
    return QByteArrayLiteral("Korvo ADIF log\n")
           + adifField("ADIF_VER", QString::fromLatin1(kAdifVersion))
           + adifField("PROGRAMID", QString::fromLatin1(kAdifProgramId))
           + adifField("PROGRAMVERSION", QString::fromLatin1(kAdifProgramVersion))
           + adifField("CREATED_TIMESTAMP", adifDate(createdUtc) + QLatin1Char(' ') + adifTime(createdUtc))
           + QByteArrayLiteral("<EOH>\n");
}

QByteArray adifRecord(const QsoRecord &qso)
{
    QByteArray out;
    out += adifField("CALL", qso.call.trimmed().toUpper());
    out += adifField("NAME", qso.name.trimmed());
    out += adifField("RST_SENT", qso.rstSent.trimmed());
    out += adifField("QSO_DATE", adifDate(qso.timeOn));
    out += adifField("TIME_ON", adifTime(qso.timeOn));
    out += adifField("QSO_DATE_OFF", adifDate(qso.timeOff));
    out += adifField("TIME_OFF", adifTime(qso.timeOff));
    out += adifField("MODE", QStringLiteral("PSK"));
    out += adifField("SUBMODE", submodeName(qso.submode));
    if (const std::optional<quint64> hz = qso.frequencyHz()) {
        out += adifField("FREQ", adifFrequencyMHz(*hz));
        out += adifField("BAND", adifBandFor(*hz));
    }
    out += adifField("STATION_CALLSIGN", qso.stationCallsign.trimmed().toUpper());
    out += adifField("MY_GRIDSQUARE", qso.myGrid.trimmed());
    out += QByteArrayLiteral("<EOR>\n");
    return out;
}
