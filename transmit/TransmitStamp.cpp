#include "transmit/TransmitStamp.h"

#include <QCoreApplication>

QString transmitStamp(StampKind kind, const QDateTime &local, const QLocale &locale)
{
    const QDate date = local.date();
    const QTime time = local.time();
    const QString head = kind == StampKind::Start ? QCoreApplication::translate("Korvo", "<Transmission débutée:")
                                                  : QCoreApplication::translate("Korvo", "<Transmission stoppée:");
    const auto twoDigits = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return head + QLatin1Char(' ') + locale.dayName(date.dayOfWeek(), QLocale::LongFormat)
        + QLatin1Char(' ') + QString::number(date.day())
        + QLatin1Char(' ') + locale.monthName(date.month(), QLocale::LongFormat)
        + QLatin1Char(' ') + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'))
        + QStringLiteral(", ") + twoDigits(time.hour()) + QLatin1Char('h') + twoDigits(time.minute())
        + QLatin1Char(' ') + twoDigits(time.second()) + QStringLiteral("s>");
}
