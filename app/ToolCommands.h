#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The mixer of the sound server, opened on its input (recording) or output
// (playback) devices. The program does not wait for it; a missing mixer is ignored.
QStringList mixerArguments(bool recording);
void startMixer(bool recording);

// The help file looked for in the data folders at start-up.
inline const QString kHelpFileName = QStringLiteral("korvo.hlp");
inline const QString kHelpTopic = QStringLiteral("Sommaire");
// The sound played at start-up, looked for in the data folders.
inline const QString kStartupSoundName = QStringLiteral("Startup.Wav");

// Shows the help file (read as HTML) in a small viewer at the anchor `topic`.
void showHelpTopic(QWidget *parent, const QString &fileName, const QString &topic);
