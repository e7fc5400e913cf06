#pragma once

#include <QString>
#include <QTextListFormat>

#include <optional>

// A list marker as the editing area's lists draw it: a bullet shape, or a way of counting from 1
// with the text before and after the number ("(", "iv", ")"). RTF describes markers more freely
// (several levels' numbers in one, any character as a bullet, pictures); only what a
// QTextListFormat shows exactly becomes a list style.
struct RtfListStyle
{
    QTextListFormat::Style style = QTextListFormat::ListDisc;
    QString prefix;
    QString suffix;

    bool isBullet() const { return isBulletStyle(style); }
    bool operator==(const RtfListStyle &) const = default;

    // The editing area's lists count from 1, always.
    QTextListFormat listFormat() const;
    static RtfListStyle of(const QTextListFormat &format);
    static bool isBulletStyle(QTextListFormat::Style style);

    // RTF's number formats (\levelnfc) for the styles and back; -1 for a format that no style
    // draws (ordinals, zero-padded numbers, ...)
    static int rtfNumberFormat(QTextListFormat::Style style);
    static std::optional<QTextListFormat::Style> fromRtfNumberFormat(int format);
    // The bullet character a bullet style stands for in RTF, and the style a character draws.
    static QChar bulletCharacter(QTextListFormat::Style style);
    static std::optional<QTextListFormat::Style> bulletStyleOf(QChar ch);
    // The number as the editing area's list shows it ("27" is "aa" in letters).
    static QString numberText(int number, QTextListFormat::Style style);
};

// A marker a file wrote out (\listtext, \pntext), read as a style and the number it shows.
struct RtfListMarker
{
    RtfListStyle style;
    int number = 0;   // 0 for bullets

    // `expected` is the style the paragraph's list level defines; a marker of that form is
    // read in its way of counting ("i" is then a letter or a roman one as the level says).
    // None when no list style draws the marker as written: "1.2.", "-", a picture.
    static std::optional<RtfListMarker> parse(QString marker, const std::optional<RtfListStyle> &expected);
};

// What a list read from RTF remembers of its origin, so that Save As writes the lists of one
// RTF list (\ls) as the levels of one list again.
namespace RtfListProperties {
constexpr int family = QTextFormat::UserProperty + 0x4c10;   // the file's \ls, or -1 for \pn
constexpr int level = QTextFormat::UserProperty + 0x4c11;    // \ilvl
// A list paragraph's own indents as read (\li, \fi, in pixels), and the left edge of its text
// they gave: while the paragraph's text starts there, they are what is written back, though
// the list's indent took more room than the file's (\li360 is less than a list's 600).
constexpr int leftIndent = QTextFormat::UserProperty + 0x4c12;
constexpr int firstIndent = QTextFormat::UserProperty + 0x4c13;
constexpr int textStart = QTextFormat::UserProperty + 0x4c14;
// A list level whose markers no list style draws (a start at another number than 1, other
// levels' numbers, a bullet such as "-"): its list draws nothing, each item's marker is text
// at the start of its paragraph (`marker`, on the paragraph), and the list keeps the level's
// own definition for Save As: its number format (\levelnfc), first number and level text,
// where characters below U+0009 stand for the levels' numbers.
constexpr int levelText = QTextFormat::UserProperty + 0x4c15;
constexpr int numberFormat = QTextFormat::UserProperty + 0x4c16;
constexpr int startAt = QTextFormat::UserProperty + 0x4c17;
constexpr int marker = QTextFormat::UserProperty + 0x4c18;
} // namespace RtfListProperties
