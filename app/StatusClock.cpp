#include "app/StatusClock.h"

#include <cmath>

double UTCOffset(const QDateTime &local)
{
    return -local.offsetFromUtc() / 1440.0 / 60.0;
}

QString clockPanelText(const QDateTime &local, bool showUtc, double utcOffset)
{
    if (!showUtc)
        return local.time().toString(QStringLiteral("HH:mm"));
    const auto shift = static_cast<int>(std::lround(utcOffset * 86400.0));
    return local.time().addSecs(shift).toString(QStringLiteral("HH:mm")) + QStringLiteral("TU");
}
