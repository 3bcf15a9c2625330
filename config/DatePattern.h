#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Formats a date-time with a date pattern of the configuration's date format table
// ("c", "dd/mm/yy", "dddd d mmmm yyyy", ...): d, dd, ddd (short day name), dddd (full
// day name), m, mm, mmm (short month name), mmmm (full month name), yy, yyyy, "/" the
// locale's date separator, text in single or double quotes as it stands, anything
// else as it stands. "c" (and an empty pattern) is the locale's short date, a space
// and its long time, the time left out at midnight exactly. Names are the locale's.
QString formatDatePattern(const QString &pattern, const QDateTime &when, const QLocale &locale);
