#include "config/DatePattern.h"

namespace {

// The separator the locale's short date uses ("/" in French, "." in German).
QString dateSeparator(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    for (const QChar ch : format)
        if (!ch.isLetter() && ch != QLatin1Char('\''))
            return QString(ch);
    return QStringLiteral("/");
}

// The long time without its time-zone part: a line sent on the air carries the
// clock, not the zone name.
QString longTime(const QTime &time, const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.trimmed());
}

QString platformDateTime(const QDateTime &when, const QLocale &locale)
{
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0))
        text += QLatin1Char(' ') + longTime(when.time(), locale);
    return text;
}

int runLength(const QString &pattern, int from)
{
    const QChar ch = pattern.at(from).toLower();
    int end = from;
    while (end < pattern.size() && pattern.at(end).toLower() == ch)
        ++end;
    return end - from;
}

} // namespace

QString formatDatePattern(const QString &pattern, const QDateTime &when, const QLocale &locale)
{
    if (pattern.isEmpty() || pattern.compare(QLatin1String("c"), Qt::CaseInsensitive) == 0)
        return platformDateTime(when, locale);

    const QDate date = when.date();
    QString out;
    int i = 0;
    while (i < pattern.size()) {
        const QChar ch = pattern.at(i);
        const QChar lower = ch.toLower();
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            const int close = pattern.indexOf(ch, i + 1);
            const int end = close < 0 ? pattern.size() : close;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (ch == QLatin1Char('/')) {
            out += dateSeparator(locale);
            ++i;
            continue;
        }
        if (lower != QLatin1Char('d') && lower != QLatin1Char('m') && lower != QLatin1Char('y')) {
            out += ch;
            ++i;
            continue;
        }
        const int n = runLength(pattern, i);
        i += n;
        if (lower == QLatin1Char('d')) {
            if (n == 1)
                out += QString::number(date.day());
            else if (n == 2)
                out += QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
            else if (n == 3)
                out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else
                out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
        } else if (lower == QLatin1Char('m')) {
            if (n == 1)
                out += QString::number(date.month());
            else if (n == 2)
                out += QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
            else if (n == 3)
                out += locale.monthName(date.month(), QLocale::ShortFormat);
            else
                out += locale.monthName(date.month(), QLocale::LongFormat);
        } else {
            if (n <= 2)
                out += QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
            else
                out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
        }
    }
    return out;
}
