#pragma once

#include <QString>
#include <array>

// The six date formats offered for the macros' date, as the configuration dialog
// lists them. DateFormat (stored setting) indexes this table; the pattern becomes
// TSettings.DatePattern.
struct DateFormatEntry
{
    const char *shownAs;   // UTF-8 text of the dialog's radio item
    const char *pattern;   // Delphi-style date pattern ("c", "dd/mm/yy", ...)
};

inline constexpr int kDateFormatCount = 6;

const std::array<DateFormatEntry, kDateFormatCount> &dateFormatTable();

// Pattern of format index; an index outside 0-5 gives an empty pattern, which
// formats exactly like "c".
QString datePatternFor(int dateFormat);

// Text of the dialog's radio item for index (empty outside 0-5).
QString dateFormatShownAs(int dateFormat);
