#include "rtf/lists/RtfListItems.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

// Items whose markers are text are lists of their own beside the drawn ones of their level, so
// that a drawn list goes on counting across them.
constexpr int markedSlots = 16;

int slotOf(int level, const RtfListStyle &style)
{
    return style.style == QTextListFormat::ListStyleUndefined ? level + markedSlots : level;
}

} // namespace

bool RtfListItems::accepts(int family, int level, const RtfListStyle &style) const
{
    const auto open = m_open.constFind({family, slotOf(level, style)});
    return style.isBullet() || open == m_open.constEnd() || !(open->style == style)
        || open->items < maxItems;
}

QTextList *RtfListItems::join(int family, int level, const RtfListStyle &style, std::optional<int> number)
{
    for (auto it = m_open.begin(); it != m_open.end();) {
        if (it.key().first == family && it.key().second % markedSlots > level)
            it = m_open.erase(it);
        else
            ++it;
    }
    OpenList &open = m_open[{family, slotOf(level, style)}];
    const bool continues = open.list >= 0 && open.style == style;
    if (continues && open.items >= maxItems && !style.isBullet() && number != 1)
        return nullptr;
    if (continues && open.items < maxItems && (style.isBullet() || !number || *number == open.items + 1)) {
        ++open.items;
        return qobject_cast<QTextList *>(m_document.object(open.list));
    }
    if (number && *number != 1 && !style.isBullet())
        return nullptr;
    QTextListFormat format = style.listFormat();
    format.setIndent(level + 1);
    format.setProperty(RtfListProperties::family, family);
    format.setProperty(RtfListProperties::level, level);
    // A list is made on a paragraph: on the document's last one, which then gets its own
    // format back. The paragraph being read joins the list by its format where it is written.
    QTextCursor last(&m_document);
    last.movePosition(QTextCursor::End);
    const QTextBlockFormat lastFormat = last.blockFormat();
    open = {last.createList(format)->objectIndex(), style, 1};
    last.setBlockFormat(lastFormat);
    return qobject_cast<QTextList *>(m_document.object(open.list));
}
