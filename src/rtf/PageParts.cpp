#include "rtf/PageParts.h"

#include "rtf/RtfTokenizer.h"

#include <QByteArrayList>
#include <QRegularExpression>

namespace PageParts {

namespace {

// A mark as RTF: \u takes a signed 16-bit number, and its own group keeps the skip count.
QByteArray markRtf(QChar mark)
{
    return "{\\uc1\\u" + QByteArray::number(int(mark.unicode()) - 65536) + "?}";
}

// What a field's instruction makes it, by its first word: a mark, or nothing for other fields.
QChar fieldMark(const QByteArray &instruction)
{
    static const QRegularExpression firstWord(QStringLiteral("^\\s*([A-Za-z]+)"));
    const QString word = firstWord.match(QString::fromLatin1(instruction)).captured(1).toUpper();
    if (word == QStringLiteral("PAGE"))
        return pageNumberMark;
    if (word == QStringLiteral("NUMPAGES") || word == QStringLiteral("SECTIONPAGES"))
        return pageCountMark;
    return QChar();
}

// The control word a kept part starts with ({\headerr ...}), and the rest of the group.
struct Group
{
    QByteArray word;
    QByteArrayView content;
};

Group splitGroup(const QByteArray &group)
{
    RtfTokenizer tokens(group);
    RtfTokenizer::Token token = tokens.next();
    if (token.kind != RtfTokenizer::Kind::GroupStart)
        return {};
    token = tokens.next();
    if (token.kind == RtfTokenizer::Kind::ControlSymbol && token.symbol == '*')
        token = tokens.next();
    if (token.kind != RtfTokenizer::Kind::ControlWord)
        return {};
    const qsizetype start = tokens.position();
    const qsizetype end = group.lastIndexOf('}');
    if (end < start)
        return {};
    return {token.text.toByteArray(), QByteArrayView(group).sliced(start, end - start)};
}

QByteArray fontTable(const KeptRtfTables &tables)
{
    QByteArray table = "{\\fonttbl";
    for (auto font = tables.fonts.cbegin(); font != tables.fonts.cend(); ++font) {
        table += "{\\f" + QByteArray::number(font.key());
        if (!font->family.isEmpty())
            table += '\\' + font->family;
        if (font->charset >= 0)
            table += "\\fcharset" + QByteArray::number(font->charset);
        // The name goes as \u characters, so that no code page is needed to read it back.
        table += ' ';
        for (const QChar ch : font->name) {
            if (ch.unicode() < 128 && ch != QLatin1Char('\\') && ch != QLatin1Char('{') && ch != QLatin1Char('}')
                && ch != QLatin1Char(';'))
                table += char(ch.unicode());
            else
                table += "\\u" + QByteArray::number(int(qint16(ch.unicode()))) + '?';
        }
        table += ";}";
    }
    return table + '}';
}

QByteArray colourTable(const KeptRtfTables &tables)
{
    QByteArray table = "{\\colortbl";
    for (const QColor &colour : tables.colors) {
        if (colour.isValid())
            table += "\\red" + QByteArray::number(colour.red()) + "\\green" + QByteArray::number(colour.green())
                + "\\blue" + QByteArray::number(colour.blue());
        table += ';';
    }
    return table + '}';
}

} // namespace

QByteArray markPageFields(QByteArrayView content)
{
    QByteArray out;
    out.reserve(content.size());
    RtfTokenizer tokens(content);
    qsizetype copied = 0;   // content before this is in `out`
    int depth = 0;
    int fieldDepth = -1;     // the depth inside the field being read, -1 outside fields
    qsizetype fieldStart = 0;
    int instructionDepth = -1;
    QByteArray instruction;
    qsizetype groupStart = 0;
    bool groupJustStarted = false;
    for (;;) {
        const qsizetype before = tokens.position();
        const RtfTokenizer::Token token = tokens.next();
        const bool startedGroup = groupJustStarted;
        groupJustStarted = false;
        switch (token.kind) {
        case RtfTokenizer::Kind::End:
            out += content.sliced(copied);
            return out;
        case RtfTokenizer::Kind::GroupStart:
            ++depth;
            groupStart = before;
            groupJustStarted = true;
            break;
        case RtfTokenizer::Kind::GroupEnd:
            if (depth == instructionDepth)
                instructionDepth = -1;
            if (depth == fieldDepth) {
                const QChar mark = fieldMark(instruction);
                if (!mark.isNull()) {
                    out += content.sliced(copied, fieldStart - copied);
                    out += markRtf(mark);
                    copied = tokens.position();
                }
                fieldDepth = -1;
            }
            --depth;
            break;
        case RtfTokenizer::Kind::ControlWord:
            if (token.text == "bin" && token.hasParameter && token.parameter > 0) {
                tokens.takeBinary(token.parameter);
            } else if (token.text == "field" && startedGroup && fieldDepth < 0) {
                fieldDepth = depth;
                fieldStart = groupStart;
                instruction.clear();
            } else if (token.text == "fldinst" && fieldDepth >= 0 && instructionDepth < 0) {
                instructionDepth = depth;
            } else if (token.text == "chpgn" && fieldDepth < 0) {
                out += content.sliced(copied, before - copied);
                out += markRtf(pageNumberMark);
                copied = tokens.position();
            }
            break;
        case RtfTokenizer::Kind::Text:
            if (instructionDepth >= 0)
                instruction += token.text.toByteArray();
            break;
        default:
            break;
        }
    }
}

const QByteArray &Set::part(Kind kind, int page) const
{
    const bool isHeader = kind == Kind::Header;
    const QByteArray &plain = isHeader ? header : footer;
    const QByteArray &left = isHeader ? headerLeft : footerLeft;
    const QByteArray &right = isHeader ? headerRight : footerRight;
    if (titlePage && page == 1)
        return isHeader ? headerFirst : footerFirst;
    if (facingPages) {
        const QByteArray &own = page % 2 == 0 ? left : right;
        return own.isEmpty() ? plain : own;
    }
    // Without facing pages every page shows the one part; files often give it as the right
    // pages' (\headerr), as for the odd pages of a book.
    if (!plain.isEmpty())
        return plain;
    return right.isEmpty() ? left : right;
}

Set pageParts(const KeptRtfParts &kept)
{
    Set set;
    set.titlePage = kept.documentWords.contains("\\titlepg");
    set.facingPages = kept.documentWords.contains("\\facingp");
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg" + QByteArray::number(kept.codePage > 0 ? kept.codePage : 1252)
        + (kept.tables.defaultFont >= 0 ? "\\deff" + QByteArray::number(kept.tables.defaultFont) : QByteArray())
        + fontTable(kept.tables) + colourTable(kept.tables);
    for (const QByteArray &group : kept.documentGroups) {
        const Group split = splitGroup(group);
        QByteArray *part = nullptr;
        if (split.word == "header") part = &set.header;
        else if (split.word == "headerf") part = &set.headerFirst;
        else if (split.word == "headerl") part = &set.headerLeft;
        else if (split.word == "headerr") part = &set.headerRight;
        else if (split.word == "footer") part = &set.footer;
        else if (split.word == "footerf") part = &set.footerFirst;
        else if (split.word == "footerl") part = &set.footerLeft;
        else if (split.word == "footerr") part = &set.footerRight;
        if (part && part->isEmpty())
            *part = head + "\\pard\\plain " + markPageFields(split.content) + '}';
    }
    return set;
}

} // namespace PageParts
