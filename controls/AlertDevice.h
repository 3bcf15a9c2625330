#pragma once

#include <QAudioDevice>
#include <QList>
#include <QString>
#include <QStringList>

// The output the alert sounds play on: the one whose description is the name, else the
// desktop's default among the outputs (a null device when there is none).
QAudioDevice alertDevice(const QString &name, const QList<QAudioDevice> &outputs);

// The desktop's output devices by description, as Qt Multimedia lists them.
QStringList alertDeviceNames();
