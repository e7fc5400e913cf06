#include "rtf/write/RtfListWriter.h"

#include "rtf/write/RtfOutput.h"
#include "rtf/write/RtfWriterUnits.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

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
            const RtfListStyle style = RtfListStyle::of(format);
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
                if (defined.defined && !(defined.style == style))
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
                definition = {style, true};
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
    const double listIndent = list->format().indent() * m_document.indentWidth();
    const double left = format.leftMargin() + format.indent() * m_document.indentWidth() + listIndent;
    format.setIndent(0);
    format.setLeftMargin(left);
    format.setTextIndent(-std::min(double(markerRoomTwips) / RtfWriterUnits::twipsPerPixel, left));
    return format;
}

QString RtfListWriter::markerOf(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
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

void RtfListWriter::writeLevel(const Level &level, int depth, RtfOutput &out) const
{
    // levels a family does not use count as decimal numbers, as word processors make them
    const Level shown = level.defined ? level : Level{{QTextListFormat::ListDecimal, {}, QStringLiteral(".")}, true};
    out.raw("{");
    out.controlWord("listlevel");
    const int format = RtfListStyle::rtfNumberFormat(shown.style.style);
    out.controlWord("levelnfc", format);
    out.controlWord("levelnfcn", format);
    out.controlWord("leveljc", 0);
    out.controlWord("leveljcn", 0);
    out.controlWord("levelfollow", 0);
    out.controlWord("levelstartat", 1);
    out.raw("{");
    out.controlWord("leveltext");
    // the text's length comes first, as a character; \'0N stands for this level's number
    const auto lengthByte = [&out](qsizetype length) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\'%02x", int(std::min<qsizetype>(length, 255)));
        out.raw(escape);
    };
    QByteArray numbers;
    if (shown.style.isBullet()) {
        lengthByte(1);
        out.text(QString(RtfListStyle::bulletCharacter(shown.style.style)));
    } else {
        lengthByte(shown.style.prefix.size() + 1 + shown.style.suffix.size());
        out.text(shown.style.prefix);
        char placeholder[5];
        std::snprintf(placeholder, sizeof placeholder, "\\'%02x", depth);
        out.raw(placeholder);
        out.text(shown.style.suffix);
        char position[5];
        std::snprintf(position, sizeof position, "\\'%02x", int(std::min<qsizetype>(shown.style.prefix.size() + 1, 255)));
        numbers = position;
    }
    out.raw(";}{");
    out.controlWord("levelnumbers");
    out.raw(numbers);
    out.raw(";}");
    if (shown.style.isBullet())
        out.controlWord("f", 0);   // the bullet is a Unicode character of the document's font
    const int left = RtfWriterUnits::twipsFromPixels((depth + 1) * m_document.indentWidth());
    out.controlWord("fi", -std::min(markerRoomTwips, left));
    out.controlWord("li", left);
    out.controlWord("lin", left);
    out.raw("}");
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
