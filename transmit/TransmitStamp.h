#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The dated line written into the receive pane when a transmission starts or ends:
// "<Transmission débutée: jeudi 5 mars 2026, 14h05 09s>", names in the locale's language.
enum class StampKind { Start, End };

QString transmitStamp(StampKind kind, const QDateTime &local, const QLocale &locale);
