#include "rtf/write/RtfListWriter.h"

#include "rtf/lists/RtfListNumbering.h"

#include "rtf/write/RtfOutput.h"
#include "rtf/write/RtfWriterUnits.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace {

constexpr int markerRoomTwips = 360;   // between a marker's start and its item's text
constexpr int listIdBase = 1000;

int levelOfList(const QTextList &list)
{
    const QTextListFormat format = list.format();
    if (format.hasProperty(RtfListProperties::level))
        return std::clamp(format.intProperty(RtfListProperties::level), 0, 8);
    return std::clamp(format.indent() - 1, 0, 8);
}

} // namespace

// Lists read from RTF go back into the RTF list they came from. Other lists join the family of
// the list they are nested in (the nearest item before them with a smaller indent); a list of
// the top level starts a family of its own, so it numbers on its own as it does here.
RtfListWriter::RtfListWriter(const QTextDocument &document, int from, int to) : m_document(document)
{
    QHash<int, int> familyOfRtfList;   // the file's \ls -> family
    struct Open { int indent; int family; int level; };
    QList<Open> open;
    const QTextBlock last = to < 0 ? document.lastBlock() : document.findBlock(to);
    for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
        if (block.blockNumber() > last.blockNumber())
            break;
        const QTextList *list = block.textList();
        if (!list)
            continue;
        const QTextListFormat format = list->format();
        if (!m_items.contains(list)) {
            const Level shown = levelOf(format);
            int family = -1;
            int level = levelOfList(*list);
            if (format.hasProperty(RtfListProperties::family)) {
                family = familyOfRtfList.value(format.intProperty(RtfListProperties::family), -1);
            } else {
                level = 0;
                for (qsizetype i = open.size(); i-- > 0;) {
                    if (open[i].indent < format.indent()) {
                        family = open[i].family;
                        level = std::min(open[i].level + 1, 8);
                        break;
                    }
                }
            }
            if (family >= 0) {
                const Level &defined = m_families[family][level];
                if (defined.defined && !defined.sameAs(shown))
                    family = -1;   // a family's level has one style
            }
            if (family < 0) {
                family = int(m_families.size());
                m_families.append(Levels{});
                if (format.hasProperty(RtfListProperties::family))
                    familyOfRtfList.insert(format.intProperty(RtfListProperties::family), family);
            }
            Level &definition = m_families[family][level];
            if (!definition.defined)
                definition = shown;
            m_items.insert(list, {family + 1, level});
        }
        const Item item = m_items.value(list);
        while (!open.isEmpty() && open.last().indent >= format.indent())
            open.removeLast();
        open.append({format.indent(), item.list - 1, item.level});
    }
}

std::optional<RtfListWriter::Item> RtfListWriter::itemOf(const QTextList *list) const
{
    const auto it = m_items.constFind(list);
    return it == m_items.constEnd() ? std::nullopt : std::optional(*it);
}

QTextBlockFormat RtfListWriter::paragraphFormat(const QTextBlock &block) const
{
    QTextBlockFormat format = block.blockFormat();
    const QTextList *list = block.textList();
    if (!list)
        return format;
    if (list->format().hasProperty(RtfListProperties::levelText))
        return format;   // its own indents place its marker, which is text
    const double listIndent = list->format().indent() * m_document.indentWidth();
    const double left = format.leftMargin() + format.indent() * m_document.indentWidth() + listIndent;
    format.setIndent(0);
    if (format.hasProperty(RtfListProperties::textStart)
        && qFuzzyCompare(1.0 + format.doubleProperty(RtfListProperties::textStart), 1.0 + left)) {
        format.setLeftMargin(format.doubleProperty(RtfListProperties::leftIndent));
        format.setTextIndent(format.doubleProperty(RtfListProperties::firstIndent));
        return format;
    }
    format.setLeftMargin(left);
    format.setTextIndent(-std::min(double(markerRoomTwips) / RtfWriterUnits::twipsPerPixel, left));
    return format;
}

QString RtfListWriter::markerOf(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
    if (list->format().hasProperty(RtfListProperties::levelText))
        return {};   // the list draws none: the marker is the text's start
    const QTextListFormat::Style style = list->format().style();
    if (RtfListStyle::isBulletStyle(style) || style == QTextListFormat::ListStyleUndefined)
        return RtfListStyle::bulletCharacter(style);
    // The editing area shows a right-to-left item's marker the other way round (".1"); the
    // file holds it in reading order, as the list's level text has it, so that it reads back
    // as the same list.
    if (block.blockFormat().layoutDirection() == Qt::RightToLeft) {
        const RtfListStyle shown = RtfListStyle::of(list->format());
        const QString number = RtfListStyle::numberText(list->itemNumber(block) + 1, style);
        if (!number.isEmpty())
            return shown.prefix + number + shown.suffix;
    }
    return list->itemText(block);
}

RtfListWriter::Level RtfListWriter::levelOf(const QTextListFormat &format)
{
    Level level{RtfListStyle::of(format), true};
    if (format.hasProperty(RtfListProperties::levelText)) {
        level.style = RtfListStyle{QTextListFormat::ListStyleUndefined, {}, {}};
        level.levelText = format.stringProperty(RtfListProperties::levelText);
        level.numberFormat = format.intProperty(RtfListProperties::numberFormat);
        level.startAt = format.intProperty(RtfListProperties::startAt);
    }
    return level;
}

void RtfListWriter::writeLevel(const Level &level, int depth, RtfOutput &out) const
{
    // levels a family does not use count as decimal numbers, as word processors make them
    Level shown = level.defined ? level : Level{{QTextListFormat::ListDecimal, {}, QStringLiteral(".")}, true};
    if (shown.levelText.isEmpty()) {
        // a list style's marker as a level's text: characters below U+0009 stand for numbers
        shown.numberFormat = RtfListStyle::rtfNumberFormat(shown.style.style);
        shown.levelText = shown.style.isBullet() ? QString(RtfListStyle::bulletCharacter(shown.style.style))
                                                 : shown.style.prefix + QChar(char16_t(depth)) + shown.style.suffix;
    }
    // A control character has no place in a level's text (the output leaves it out), so it
    // must not count in the length written before the text either.
    shown.levelText.removeIf([](QChar c) {
        return (c.unicode() > u'\t' && c.unicode() < 0x20) || c.unicode() == 0x7f || c.unicode() == 0xfffc;
    });
    out.raw("{");
    out.controlWord("listlevel");
    out.controlWord("levelnfc", shown.numberFormat);
    out.controlWord("levelnfcn", shown.numberFormat);
    out.controlWord("leveljc", 0);
    out.controlWord("leveljcn", 0);
    out.controlWord("levelfollow", 0);
    out.controlWord("levelstartat", shown.startAt);
    out.raw("{");
    out.controlWord("leveltext");
    // the text's length comes first, as a character, then the text, where \'0N stands for the
    // number of level N; \levelnumbers says where in the text each number is
    const auto byte = [](qsizetype value) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\'%02x", int(std::clamp<qsizetype>(value, 0, 255)));
        return QByteArray(escape);
    };
    out.raw(byte(shown.levelText.size()));
    QByteArray numbers;
    for (qsizetype i = 0; i < shown.levelText.size(); ++i) {
        const QChar ch = shown.levelText[i];
        if (ch.unicode() < 9) {
            out.raw(byte(ch.unicode()));
            numbers += byte(i + 1);
        } else {
            out.text(QString(ch));
        }
    }
    out.raw(";}{");
    out.controlWord("levelnumbers");
    out.raw(numbers);
    out.raw(";}");
    if (shown.numberFormat == RtfListNumbering::Bullet)
        out.controlWord("f", 0);   // the bullet is a Unicode character of the document's font
    const int left = RtfWriterUnits::twipsFromPixels((depth + 1) * m_document.indentWidth());
    out.controlWord("fi", -std::min(markerRoomTwips, left));
    out.controlWord("li", left);
    out.controlWord("lin", left);
    out.raw("}");
}

int RtfListWriter::markerLengthInText(const QTextBlock &block)
{
    const QString marker = block.blockFormat().stringProperty(RtfListProperties::marker);
    return !marker.isEmpty() && block.textList() && block.text().startsWith(marker) ? int(marker.size()) : 0;
}

void RtfListWriter::writeTables(RtfOutput &out) const
{
    if (m_families.isEmpty())
        return;
    out.raw("{\\*\\listtable");
    for (qsizetype family = 0; family < m_families.size(); ++family) {
        out.raw("\r\n{");
        out.controlWord("list");
        out.controlWord("listtemplateid", listIdBase + int(family));
        for (int depth = 0; depth < 9; ++depth) {
            out.raw("\r\n");
            writeLevel(m_families[family][depth], depth, out);
        }
        out.raw("{");
        out.controlWord("listname");
        out.raw(";}");
        out.controlWord("listid", listIdBase + int(family));
        out.raw("}");
    }
    out.raw("}\r\n{\\*\\listoverridetable");
    for (qsizetype family = 0; family < m_families.size(); ++family) {
        out.raw("{");
        out.controlWord("listoverride");
        out.controlWord("listid", listIdBase + int(family));
        out.controlWord("listoverridecount", 0);
        out.controlWord("ls", int(family) + 1);
        out.raw("}");
    }
    out.raw("}\r\n");
}
