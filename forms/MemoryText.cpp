#include "forms/MemoryText.h"

#include <QCoreApplication>
#include <sys/sysinfo.h>

QString formatHashPattern(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(value, 'f', 3);
    const QString point = plain.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    // "#" forces no digit: a zero integer part is left out ("0,5" reads ",5", 0 reads "").
    if (text == QLatin1String("0") || text == QLatin1String("-0"))
        return {};
    if (text.startsWith(QLatin1String("0") + point))
        text.remove(0, 1);
    return text;
}

QString memoryReadOut(std::uint64_t totalBytes, const QLocale &locale)
{
    return QCoreApplication::translate("Korvo", "Memoire RAM: ") + formatHashPattern(double(totalBytes) / 1024.0, locale)
           + QStringLiteral(" Ko");
}

std::uint64_t totalPhysicalMemory()
{
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return 0;
    return std::uint64_t(info.totalram) * info.mem_unit;
}
