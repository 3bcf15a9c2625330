#include "logbook/QsoRecord.h"

QString submodeName(PskSubmode submode)
{
    return submode == PskSubmode::QPSK31 ? QStringLiteral("QPSK31") : QStringLiteral("PSK31");
}

PskSubmode submodeForRxMode(int rxMode)
{
    return rxMode == 0 ? PskSubmode::PSK31 : PskSubmode::QPSK31;
}

std::optional<quint64> QsoRecord::frequencyHz() const
{
    if (!dial)
        return std::nullopt;
    const qint64 offsetHz = dial->lowerSideband ? -qint64(audioHz) : qint64(audioHz);
    return quint64(qint64(dial->frequencyHz) + offsetHz);
}
