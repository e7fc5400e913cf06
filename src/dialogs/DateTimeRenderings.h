#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The date and time as the Date and Time dialog offers them: a pattern of codes, rendered with
// the day and month names, separators and morning and afternoon designators of a locale.
//
// Codes, in either case: D, DD, DDDD (day, padded day, weekday name); M, MM, MMMM (month,
// padded month, month name; M and MM right after an hour code, with only time separators
// between, are the padded minutes); YY, YYYY; H, HH (the hour, on a 12-hour clock when the
// pattern holds AMPM); SS; AMPM (the morning or afternoon designator). "/" becomes the date
// separator and ":" the time separator; every other character is copied as it is.
namespace DateTimeRenderings {

QString Render(const QDateTime &value, const QString &pattern, const QLocale &locale);

// The separators a locale writes between the parts of a short date and of a short time.
QString DateSeparator(const QLocale &locale);
QString TimeSeparator(const QLocale &locale);

// The dialog's entries, in the order it lists them, each with the line an error report names.
struct Entry {
    int line;
    const char *pattern;
};

inline constexpr Entry kEntries[] = {
    {102, "DD/MM/YYYY"},
    {104, "DD/MM/YY"},
    {106, "DD/M/YY"},
    {108, "DD.M.YY"},
    {110, "YYYY-MM-DD"},
    {112, "M/DD/YYYY"},
    {114, "M/DD/YY"},
    {116, "MM/DD/YY"},
    {118, "MM/DD/YYYY"},
    {120, "DD MMMM YYYY"},
    {122, "DDDD, MMMM DD, YYYY"},
    {124, "HH:MM:SS AMPM"},
    {126, "HH:MM AMPM"},
    {128, "HH:MM:SS"},
    {130, "HH:MM"},
};

} // namespace DateTimeRenderings
