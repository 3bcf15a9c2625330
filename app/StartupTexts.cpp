#include "app/StartupTexts.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>

namespace {
constexpr int kLowestHz = 1;
constexpr int kHighestHz = 3996;
constexpr int kChannelOffsetHz = 250;
constexpr double kBlockSeconds = 0.256;   // 2048 samples at 8000 Hz
}

QString mainWindowCaption(const QString &myCall, const QString &standInNote)
{
    const QString caption = kProductBanner + QStringLiteral(" - ") + myCall.toUpper();
    return standInNote.isEmpty() ? caption : caption + QStringLiteral(" [") + standInNote + QLatin1Char(']');
}

QString engineVersionCaption(int version)
{
    QString digits = QString::number(version);
    digits.insert(1, QLatin1Char('.'));
    return QStringLiteral("pskcore.dll version ") + digits + QStringLiteral("  ");
}

QString replayHint(int blocks, const QLocale &locale)
{
    QLocale numbers = locale;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    return QCoreApplication::translate("Korvo", "Replay ") + numbers.toString(blocks * kBlockSeconds, 'g', 15)
           + QCoreApplication::translate("Korvo", " secondes");
}

std::pair<int, int> channelPlacement(int wfMin, int wfMax)
{
    // In 64 bits: whatever the edges, their difference cannot overflow.
    const int64_t centre = wfMin + (int64_t(wfMax) - wfMin) / 2;
    return {int(std::clamp<int64_t>(centre - kChannelOffsetHz, kLowestHz, kHighestHz)),
            int(std::clamp<int64_t>(centre + kChannelOffsetHz, kLowestHz, kHighestHz))};
}

QString portIndicatorHint(int pttControl, int comPort)
{
    if (pttControl < 1 || pttControl > 3)
        return {};
    return QCoreApplication::translate("Korvo", "Le port COM ") + QString::number(comPort) + QCoreApplication::translate("Korvo", " est ouvert");
}
