#include "dialogs/DateTimeRenderings.h"

#include <gtest/gtest.h>

namespace {

using DateTimeRenderings::Render;

const QLocale usEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany); // dates with ".", times with ":"

QDateTime at(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

QStringList allEntries(const QDateTime &value, const QLocale &locale)
{
    QStringList texts;
    for (const auto &entry : DateTimeRenderings::kEntries)
        texts << Render(value, QString::fromLatin1(entry.pattern), locale);
    return texts;
}

TEST(DateTimeRenderings, TheFifteenEntriesInUsEnglish)
{
    const struct {
        QDateTime value;
        QStringList texts;
    } cases[] = {
        {at(2026, 3, 5, 14, 5, 9),
         {"05/03/2026", "05/03/26", "05/3/26", "05.3.26", "2026-03-05", "3/05/2026", "3/05/26", "03/05/26",
          "03/05/2026", "05 March 2026", "Thursday, March 05, 2026", "02:05:09 PM", "02:05 PM", "14:05:09",
          "14:05"}},
        {at(2026, 12, 1, 9, 7, 3),
         {"01/12/2026", "01/12/26", "01/12/26", "01.12.26", "2026-12-01", "12/01/2026", "12/01/26", "12/01/26",
          "12/01/2026", "01 December 2026", "Tuesday, December 01, 2026", "09:07:03 AM", "09:07 AM", "09:07:03",
          "09:07"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(allEntries(c.value, usEnglish), c.texts) << c.value.toString().toStdString();
}

TEST(DateTimeRenderings, MidnightAndNoonOnTheTwelveHourClock)
{
    const struct {
        int hour;
        const char *pattern, *expected;
    } cases[] = {
        {0, "HH:MM:SS AMPM", "12:30:00 AM"}, {0, "HH:MM AMPM", "12:30 AM"}, {0, "HH:MM", "00:30"},
        {12, "HH:MM:SS AMPM", "12:30:00 PM"}, {12, "HH:MM AMPM", "12:30 PM"}, {12, "HH:MM", "12:30"},
        {23, "hh:mm ampm", "11:30 PM"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Render(at(2026, 3, 5, c.hour, 30, 0), QString::fromLatin1(c.pattern), usEnglish),
                  QString::fromLatin1(c.expected))
            << c.pattern << " at " << c.hour;
}

TEST(DateTimeRenderings, TheLocaleGivesSeparatorsNamesAndDesignators)
{
    const QDateTime value = at(2026, 3, 5, 14, 5, 9);
    const struct {
        const char *pattern, *expected;
    } cases[] = {
        {"DD/MM/YYYY", "05.03.2026"},
        {"YYYY-MM-DD", "2026-03-05"},
        {"DD.M.YY", "05.3.26"},
        {"DDDD, MMMM DD, YYYY", "Donnerstag, März 05, 2026"},
        {"HH:MM:SS", "14:05:09"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Render(value, QString::fromLatin1(c.pattern), german), QString::fromUtf8(c.expected)) << c.pattern;

    const QLocale finnish(QLocale::Finnish, QLocale::Finland); // times with "."
    EXPECT_EQ(Render(value, QStringLiteral("HH:MM"), finnish), QStringLiteral("14.05"));
}

TEST(DateTimeRenderings, MinutesOnlyRightAfterAnHourCode)
{
    const QDateTime value = at(2026, 3, 5, 14, 5, 9);
    const struct {
        const char *pattern, *expected;
    } cases[] = {
        {"HH:MM", "14:05"}, {"H:M", "14:05"}, {"HH MM", "14 03"}, {"MM:SS", "03:09"}, {"d/m/yy", "5/3/26"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Render(value, QString::fromLatin1(c.pattern), usEnglish), QString::fromLatin1(c.expected)) << c.pattern;
}

} // namespace
