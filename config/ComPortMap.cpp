#include "config/ComPortMap.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace {

// Natural order: runs of digits compare by value, the rest character by character.
bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).isDigit())
                ++ej;
            const qulonglong na = a.mid(i, ei - i).toULongLong();
            const qulonglong nb = b.mid(j, ej - j).toULongLong();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
        } else {
            if (a.at(i) != b.at(j))
                return a.at(i) < b.at(j);
            ++i;
            ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j);
    return a < b;   // equal by value ("ttyS01" vs "ttyS1"): fall back to plain order
}

} // namespace

QStringList comPortOrder(QStringList devices)
{
    devices.removeDuplicates();
    std::sort(devices.begin(), devices.end(), naturalLess);
    if (devices.size() > kComPortCount)
        devices.resize(kComPortCount);
    return devices;
}

// Only the kinds of device the engine keys (on-board UARTs, USB adapters, USB modems),
// so that COM n names the same device here and in the engine.
QStringList presentSerialDevices()
{
    static const QRegularExpression keyable(QStringLiteral("^tty(S|USB|ACM)\\d+$"));
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (keyable.match(info.portName()).hasMatch())
            devices << info.systemLocation();
    return devices;
}
