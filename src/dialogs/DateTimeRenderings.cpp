#include "dialogs/DateTimeRenderings.h"

#include <algorithm>

namespace {

// The characters between the first field of a locale's format and the next one, without
// quotes and spaces: "/" in "M/d/yy", "." in "dd.MM.yyyy" and in "yy. M. d.".
QString separatorAfterFirstField(const QString &format, QStringView fieldLetters, const QString &fallback)
{
    qsizetype i = 0;
    while (i < format.size() && !fieldLetters.contains(format.at(i)))
        ++i;
    while (i < format.size() && fieldLetters.contains(format.at(i)))
        ++i;
    QString separator;
    while (i < format.size() && !fieldLetters.contains(format.at(i)))
        separator.append(format.at(i++));
    separator.remove(QLatin1Char('\''));
    separator = separator.trimmed();
    return separator.isEmpty() ? fallback : separator;
}

QString padded(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// How many times the letter at `at` repeats, in either case.
qsizetype runLength(const QString &pattern, qsizetype at)
{
    const QChar letter = pattern.at(at).toUpper();
    qsizetype end = at;
    while (end < pattern.size() && pattern.at(end).toUpper() == letter)
        ++end;
    return end - at;
}

} // namespace

namespace DateTimeRenderings {

QString DateSeparator(const QLocale &locale)
{
    return separatorAfterFirstField(locale.dateFormat(QLocale::ShortFormat), u"dMy", QStringLiteral("/"));
}

QString TimeSeparator(const QLocale &locale)
{
    return separatorAfterFirstField(locale.timeFormat(QLocale::ShortFormat), u"hHm", QStringLiteral(":"));
}

QString Render(const QDateTime &value, const QString &pattern, const QLocale &locale)
{
    static const QString ampm = QStringLiteral("AMPM");
    const QDate date = value.date();
    const QTime time = value.time();
    const bool twelveHour = pattern.contains(ampm, Qt::CaseInsensitive);
    const QString dateSeparator = DateSeparator(locale);
    const QString timeSeparator = TimeSeparator(locale);

    QString out;
    bool afterHour = false; // an hour code, then nothing but time separators
    for (qsizetype i = 0; i < pattern.size();) {
        if (QStringView(pattern).mid(i, ampm.size()).compare(ampm, Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? locale.amText() : locale.pmText();
            i += ampm.size();
            afterHour = false;
            continue;
        }
        const QChar c = pattern.at(i).toUpper();
        const qsizetype run = c.isLetter() ? runLength(pattern, i) : 1;
        qsizetype used = 1;
        bool hour = false;
        switch (c.unicode()) {
        case 'D':
            used = std::min<qsizetype>(run, 4);
            if (used == 1)
                out += QString::number(date.day());
            else if (used == 2)
                out += padded(date.day());
            else
                out += locale.dayName(date.dayOfWeek(), used == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'M':
            used = std::min<qsizetype>(run, 4);
            if (afterHour && used <= 2)
                out += padded(time.minute());
            else if (used == 1)
                out += QString::number(date.month());
            else if (used == 2)
                out += padded(date.month());
            else
                out += locale.monthName(date.month(), used == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'Y':
            used = std::min<qsizetype>(run, 4);
            if (used == 1)
                out += QString::number(date.dayOfYear());
            else if (used == 2)
                out += padded(date.year() % 100);
            else
                out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            break;
        case 'H': {
            used = std::min<qsizetype>(run, 2);
            int h = time.hour();
            if (twelveHour)
                h = h % 12 == 0 ? 12 : h % 12;
            out += used == 1 ? QString::number(h) : padded(h);
            hour = true;
            break;
        }
        case 'S':
            used = std::min<qsizetype>(run, 2);
            out += used == 1 ? QString::number(time.second()) : padded(time.second());
            break;
        case '/':
            out += dateSeparator;
            break;
        case ':':
            out += timeSeparator;
            hour = afterHour;
            break;
        default:
            out += pattern.at(i);
            break;
        }
        afterHour = hour;
        i += used;
    }
    return out;
}

} // namespace DateTimeRenderings
