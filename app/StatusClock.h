#pragma once

#include <QDateTime>
#include <QString>

// The local zone's offset to UTC as a fraction of a day at `local`, so that
// UTC = local time + UTCOffset (negative east of Greenwich).
double UTCOffset(const QDateTime &local = QDateTime::currentDateTime());

// Status panel 0: "hh:nn" of local time, or of local time + utcOffset followed by "TU".
QString clockPanelText(const QDateTime &local, bool showUtc, double utcOffset);

// The address shown on the message line between notices.
inline const QString kWebPageAddress = QStringLiteral("https://talmer.example.org");
