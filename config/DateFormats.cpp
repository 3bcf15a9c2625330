#include "config/DateFormats.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

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

namespace {

QChar dateSeparator(const QLocale &locale)
{
    // Qt has no separator query: take the first non-letter of the short date format.
    for (QChar ch : locale.dateFormat(QLocale::ShortFormat))
        if (!ch.isLetter() && !ch.isSpace() && ch != QLatin1Char('\''))
            return ch;
    return QLatin1Char('/');
}

QString shortDateLongTime(const QDateTime &moment, const QLocale &locale)
{
    QString text = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() != QTime(0, 0)) {
        // The long time format without its time-zone part ("HH:mm:ss").
        QString format = locale.timeFormat(QLocale::LongFormat);
        format.remove(QRegularExpression(QStringLiteral("\\s*\\(?t+\\)?")));
        text += QLatin1Char(' ') + locale.toString(moment.time(), format.trimmed());
    }
    return text;
}

} // namespace

QString formatDatePattern(const QString &pattern, const QDateTime &moment, const QLocale &locale)
{
    if (pattern.isEmpty())
        return shortDateLongTime(moment, locale);

    const QDate date = moment.date();
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar ch = pattern.at(i).toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run).toLower() == ch)
            ++run;
        if (ch == QLatin1Char('d')) {
            if (run == 1)
                out += QString::number(date.day());
            else if (run == 2)
                out += QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
            else if (run == 3)
                out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else
                out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
        } else if (ch == QLatin1Char('m')) {
            if (run == 1)
                out += QString::number(date.month());
            else if (run == 2)
                out += QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
            else if (run == 3)
                out += locale.monthName(date.month(), QLocale::ShortFormat);
            else
                out += locale.monthName(date.month(), QLocale::LongFormat);
        } else if (ch == QLatin1Char('y')) {
            if (run <= 2)
                out += QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
            else
                out += QString::number(date.year());
        } else if (ch == QLatin1Char('c') && run == 1) {
            out += shortDateLongTime(moment, locale);
        } else if (ch == QLatin1Char('/')) {
            out += QString(run, dateSeparator(locale));
        } else {
            out += pattern.mid(i, run);
        }
        i += run;
    }
    return out;
}
