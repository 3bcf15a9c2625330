#include "controls/AlertDevice.h"

#include <QMediaDevices>

QAudioDevice alertDevice(const QString &name, const QList<QAudioDevice> &outputs)
{
    // An absent device falls back to the desktop's default: an alert is not the
    // transmission, so playing it elsewhere only changes where the operator hears it.
    QAudioDevice fallback;
    for (const QAudioDevice &device : outputs) {
        if (!name.isEmpty() && device.description() == name)
            return device;
        if (device.isDefault())
            fallback = device;
    }
    return fallback;
}

QStringList alertDeviceNames()
{
    QStringList names;
    for (const QAudioDevice &device : QMediaDevices::audioOutputs())
        names << device.description();
    return names;
}
