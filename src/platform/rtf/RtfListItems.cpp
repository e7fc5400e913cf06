#include "platform/rtf/RtfListItems.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

bool RtfListItems::accepts(int family, int level, const RtfListStyle &style) const
{
    const auto open = m_open.constFind({family, level});
    return style.isBullet() || open == m_open.constEnd() || !(open->style == style)
        || open->list->count() < maxItems;
}

QTextList *RtfListItems::join(int family, int level, const RtfListStyle &style, std::optional<int> number)
{
    for (auto it = m_open.begin(); it != m_open.end();) {
        if (it.key().first == family && it.key().second > level)
            it = m_open.erase(it);
        else
            ++it;
    }
    OpenList &open = m_open[{family, level}];
    const bool continues = open.list && open.style == style;
    if (continues && open.list->count() >= maxItems && !style.isBullet() && number != 1)
        return nullptr;
    if (continues && open.list->count() < maxItems && (style.isBullet() || !number || *number == open.list->count() + 1))
        return open.list;
    if (number && *number != 1 && !style.isBullet())
        return nullptr;
    QTextListFormat format = style.listFormat();
    format.setIndent(level + 1);
    format.setProperty(RtfListProperties::family, family);
    format.setProperty(RtfListProperties::level, level);
    QTextCursor last(&m_document);
    last.movePosition(QTextCursor::End);
    open = {last.createList(format), style};
    return open.list;
}
