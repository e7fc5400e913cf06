#include "rtf/lists/RtfListStyle.h"

#include "rtf/lists/RtfListNumbering.h"

#include <QTextList>

namespace {

using Style = QTextListFormat::Style;

constexpr struct { Style style; int rtf; } numberFormats[] = {
    {QTextListFormat::ListDecimal, RtfListNumbering::Decimal},
    {QTextListFormat::ListUpperRoman, RtfListNumbering::UpperRoman},
    {QTextListFormat::ListLowerRoman, RtfListNumbering::LowerRoman},
    {QTextListFormat::ListUpperAlpha, RtfListNumbering::UpperLetter},
    {QTextListFormat::ListLowerAlpha, RtfListNumbering::LowerLetter},
    {QTextListFormat::ListDisc, RtfListNumbering::Bullet},
    {QTextListFormat::ListCircle, RtfListNumbering::Bullet},
    {QTextListFormat::ListSquare, RtfListNumbering::Bullet},
};

bool isDigits(QStringView text)
{
    return !text.isEmpty() && text.size() <= 9
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isLetters(QStringView text, bool upper)
{
    return !text.isEmpty() && text.size() <= 4 && std::all_of(text.begin(), text.end(), [upper](QChar c) {
        return upper ? (c >= u'A' && c <= u'Z') : (c >= u'a' && c <= u'z');
    });
}

// The number a token shows in a style, when the style shows that number exactly so.
std::optional<int> numberOf(QStringView token, Style style)
{
    int number = 0;
    switch (style) {
    case QTextListFormat::ListDecimal:
        if (!isDigits(token))
            return std::nullopt;
        number = token.toInt();
        break;
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha:
        // "zzzzzz" is the longest run of letters whose number an int holds
        if (token.size() > 6 || !isLetters(token, style == QTextListFormat::ListUpperAlpha))
            return std::nullopt;
        for (QChar c : token)
            number = number * 26 + (c.toLower().unicode() - u'a' + 1);
        break;
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman: {
        if (token.size() > 15)
            return std::nullopt;
        static const QString digits = QStringLiteral("ivxlcdm");
        static const int values[] = {1, 5, 10, 50, 100, 500, 1000};
        int previous = 0;
        for (qsizetype i = token.size(); i-- > 0;) {
            const qsizetype at = digits.indexOf(token[i].toLower());
            if (at < 0)
                return std::nullopt;
            const int value = values[at];
            number += value < previous ? -value : value;
            previous = std::max(previous, value);
        }
        break;
    }
    default:
        return std::nullopt;
    }
    // "iiii" or "0" would come back as something else
    if (number <= 0 || RtfListStyle::numberText(number, style) != token)
        return std::nullopt;
    return number;
}

} // namespace

QTextListFormat RtfListStyle::listFormat() const
{
    QTextListFormat format;
    format.setStyle(style);
    if (!isBullet()) {
        format.setNumberPrefix(prefix);
        format.setNumberSuffix(suffix);
    }
    return format;
}

RtfListStyle RtfListStyle::of(const QTextListFormat &format)
{
    RtfListStyle style;
    style.style = format.style() == QTextListFormat::ListStyleUndefined ? QTextListFormat::ListDisc : format.style();
    if (!style.isBullet()) {
        style.prefix = format.numberPrefix();
        // a list without a suffix of its own shows a full stop after its numbers
        style.suffix = format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral(".");
    }
    return style;
}

bool RtfListStyle::isBulletStyle(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

int RtfListStyle::rtfNumberFormat(QTextListFormat::Style style)
{
    for (const auto &entry : numberFormats) {
        if (entry.style == style)
            return entry.rtf;
    }
    return RtfListNumbering::Bullet;
}

std::optional<QTextListFormat::Style> RtfListStyle::fromRtfNumberFormat(int format)
{
    for (const auto &entry : numberFormats) {
        if (entry.rtf == format && entry.rtf != RtfListNumbering::Bullet)
            return entry.style;
    }
    return std::nullopt;
}

QChar RtfListStyle::bulletCharacter(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle: return QChar(u'\u25E6');
    case QTextListFormat::ListSquare: return QChar(u'\u25AA');
    default: return QChar(u'\u2022');
    }
}

std::optional<QTextListFormat::Style> RtfListStyle::bulletStyleOf(QChar ch)
{
    switch (ch.unicode()) {
    case u'\u2022': case u'\u25CF': case u'\u00B7': case u'\u26AB': case u'\u2219':
        return QTextListFormat::ListDisc;
    case u'o': case u'\u25E6': case u'\u25CB': case u'\u26AA':
        return QTextListFormat::ListCircle;
    case u'\u25AA': case u'\u25A0': case u'\u25FC': case u'\u25FE':
        return QTextListFormat::ListSquare;
    default:
        return std::nullopt;
    }
}

QString RtfListStyle::numberText(int number, QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha: {
        // a ... z, aa, ab, ... as the editing area's lists count
        QString text;
        for (int n = number; n > 0 && text.size() < 8; n = (n - 1) / 26)
            text.prepend(QChar(u'a' + (n - 1) % 26));
        return style == QTextListFormat::ListUpperAlpha ? text.toUpper() : text;
    }
    case QTextListFormat::ListLowerRoman:
        return RtfListNumbering::formatNumber(number, RtfListNumbering::LowerRoman);
    case QTextListFormat::ListUpperRoman:
        return RtfListNumbering::formatNumber(number, RtfListNumbering::UpperRoman);
    case QTextListFormat::ListDecimal:
        return QString::number(number);
    default:
        return {};
    }
}

std::optional<RtfListMarker> RtfListMarker::parse(QString marker, const std::optional<RtfListStyle> &expected)
{
    // the blanks around a marker, which separate it from the margin and the text, are no part of it
    const auto blank = [](QChar c) { return c == u'\t' || c == u' ' || c == u'\u00A0'; };
    while (!marker.isEmpty() && blank(marker.back()))
        marker.chop(1);
    qsizetype leading = 0;
    while (leading < marker.size() && blank(marker[leading]))
        ++leading;
    marker.remove(0, leading);
    if (marker.size() == 1) {
        if (const auto bullet = RtfListStyle::bulletStyleOf(marker[0]))
            return RtfListMarker{RtfListStyle{*bullet, {}, {}}, 0};
    }
    if (marker.isEmpty() || marker.size() > 16)
        return std::nullopt;
    // the number is the one run of digits or letters; what is around it is its prefix and suffix
    qsizetype begin = 0;
    while (begin < marker.size() && !marker[begin].isLetterOrNumber())
        ++begin;
    qsizetype end = begin;
    while (end < marker.size() && marker[end].isLetterOrNumber())
        ++end;
    if (begin == end)
        return std::nullopt;
    for (qsizetype i = end; i < marker.size(); ++i) {
        if (marker[i].isLetterOrNumber())
            return std::nullopt;   // "1.2", "Chapter 1": more than one number or words
    }
    const QStringView token = QStringView(marker).sliced(begin, end - begin);
    const QString prefix = marker.left(begin);
    const QString suffix = marker.mid(end);
    QList<QTextListFormat::Style> candidates;
    if (expected && !expected->isBullet())
        candidates.append(expected->style);
    const bool upper = token[0].isUpper();
    const bool romanFirst = token.size() > 1 || token[0].toLower() == u'i';
    candidates.append(QTextListFormat::ListDecimal);
    candidates.append(romanFirst ? (upper ? QTextListFormat::ListUpperRoman : QTextListFormat::ListLowerRoman)
                                 : (upper ? QTextListFormat::ListUpperAlpha : QTextListFormat::ListLowerAlpha));
    candidates.append(romanFirst ? (upper ? QTextListFormat::ListUpperAlpha : QTextListFormat::ListLowerAlpha)
                                 : (upper ? QTextListFormat::ListUpperRoman : QTextListFormat::ListLowerRoman));
    for (QTextListFormat::Style style : candidates) {
        if (const auto number = numberOf(token, style))
            return RtfListMarker{RtfListStyle{style, prefix, suffix}, *number};
    }
    return std::nullopt;
}
