#include "config/StationSettings.h"

#include <QHostAddress>
#include <QStandardPaths>

QString StationSettings::defaultLogFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/korvo/korvo.adi");
}

bool operator==(const StationSettings &a, const StationSettings &b)
{
    return a.LogFile == b.LogFile && a.MyGrid == b.MyGrid && a.UDPEnabled == b.UDPEnabled
           && a.UDPHost == b.UDPHost && a.UDPPort == b.UDPPort && a.ClearAfterLog == b.ClearAfterLog
           && a.Language == b.Language && a.Keying == b.Keying && a.RigModel == b.RigModel && a.RigDevice == b.RigDevice
           && a.RigSpeed == b.RigSpeed && a.RigctldAddress == b.RigctldAddress && a.Cm108Device == b.Cm108Device
           && a.TxTimeLimitMin == b.TxTimeLimitMin && a.InputDevice == b.InputDevice
           && a.OutputDevice == b.OutputDevice && a.AlertDevice == b.AlertDevice;
}

PskRigConfig StationSettings::rigConfig() const
{
    PskRigConfig c;
    c.keying = Keying;
    c.model = RigModel;
    c.device = (Keying == pskkey::Cm108 ? Cm108Device : RigDevice).toStdString();
    c.speed = RigSpeed;
    c.address = RigctldAddress.toStdString();
    return c;
}

namespace {

bool inRange(QChar c, char first, char last)
{
    const QChar upper = c.toUpper();
    return upper >= QLatin1Char(first) && upper <= QLatin1Char(last);
}

} // namespace

bool isMaidenheadLocator(const QString &text)
{
    const qsizetype n = text.size();
    if (n != 2 && n != 4 && n != 6 && n != 8)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        // Pairs: field A-R, square 0-9, subsquare A-X, extended square 0-9.
        const bool ok = (i / 2 == 0)   ? inRange(c, 'A', 'R')
                        : (i / 2 == 2) ? inRange(c, 'A', 'X')
                                       : (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        if (!ok)
            return false;
    }
    return true;
}

QString normalisedLocator(const QString &text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = i < 2 ? out.at(i).toUpper() : out.at(i).toLower();
    return out;
}

bool isUdpAddress(const QString &text)
{
    QHostAddress address;
    return address.setAddress(text.trimmed()) && !address.isNull();
}
