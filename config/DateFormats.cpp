#include "config/DateFormats.h"

const std::array<DateFormatEntry, kDateFormatCount> &dateFormatTable()
{
    static const std::array<DateFormatEntry, kDateFormatCount> table{{
        {"Défaut Windows", "c"},
        {"23/10/99", "dd/mm/yy"},
        {"23/10/1999", "dd/mm/yyyy"},
        {"23 oct 1999", "dd mmm yyyy"},
        {"23 octobre 1999", "dd mmmm yyyy"},
        {"Jeudi 23 octobre 1999", "dddd d mmmm yyyy"},
    }};
    return table;
}

QString datePatternFor(int dateFormat)
{
    if (dateFormat < 0 || dateFormat >= kDateFormatCount)
        return {};
    return QString::fromLatin1(dateFormatTable()[dateFormat].pattern);
}

QString dateFormatShownAs(int dateFormat)
{
    if (dateFormat < 0 || dateFormat >= kDateFormatCount)
        return {};
    return QString::fromUtf8(dateFormatTable()[dateFormat].shownAs);
}
