#pragma once

#include "rtf/lists/RtfListStyle.h"

#include <QHash>

#include <optional>

class QTextDocument;
class QTextList;

// The lists that a document's list paragraphs join as they are read. One list per RTF list
// and level: its paragraphs go on counting across other paragraphs, a level starts again after
// an item of a higher level, and a marker that shows 1 where the list would go on starts a new
// list there, so every item shows the number it had.
class RtfListItems
{
public:
    // The editing area renumbers a whole list each time an item is added to it, so a list of n
    // items costs n * n / 2 steps to build: beyond this many items, a numbered list's items show
    // their markers as text, and a bulleted list goes on as another list (which looks the same).
    static constexpr int maxItems = 1000;

    explicit RtfListItems(QTextDocument &document) : m_document(document) {}

    // Whether an item of `style` can still join the list of `family` at `level`.
    bool accepts(int family, int level, const RtfListStyle &style) const;

    // The list the paragraph being read joins as an item of `family` at `level`, by its block
    // format's object index. `number` is the number its marker shows, when the file wrote one.
    // None when no list shows that number there: the editing area's lists count from 1,
    // without gaps. A table cell's paragraph reaches the document only when its table is
    // complete, so the lists count their items themselves.
    QTextList *join(int family, int level, const RtfListStyle &style, std::optional<int> number);

private:
    struct OpenList
    {
        // By object index: the document drops a list that has no paragraph yet and makes it
        // again, of the same index and format, when it is asked for.
        int list = -1;
        RtfListStyle style;
        int items = 0;
    };
    QTextDocument &m_document;
    QHash<std::pair<int, int>, OpenList> m_open;   // by family and level
};
