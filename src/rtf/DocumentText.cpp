#include "rtf/DocumentText.h"

#include "rtf/TableContinuation.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

constexpr char16_t cellStart = 0xFDD0;   // also the start of any other frame
constexpr char16_t frameEnd = 0xFDD1;

bool isBreak(char16_t c)
{
    return c == 0x2028 || DocumentText::isStructureMark(c);
}

// The mark at `position` begins a table cell; it ends the cell before it, which shows as a
// tab when both cells start in the same row.
bool endsCellInRow(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1);
    const QTextTable *table = cursor.currentTable();
    if (!table || position + 1 <= table->firstPosition())
        return false;
    const QTextTableCell next = table->cellAt(position + 1);
    const QTextTableCell previous = table->cellAt(position);
    return next.isValid() && previous.isValid() && next.firstPosition() == position + 1
           && previous.row() == next.row();
}

} // namespace

namespace DocumentText {

bool hasFrames(const QTextDocument &document)
{
    return !document.rootFrame()->childFrames().isEmpty();
}

void countBreaks(const QTextDocument &document, QString &text, int from)
{
    char16_t *p = reinterpret_cast<char16_t *>(text.data());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = p[i];
        if (c < 0x2028 || !isBreak(c))
            continue;
        if (c == frameEnd && TableContinuation::endsContinuedTable(document, from + int(i)))
            p[i] = u'\uFFFC';   // the seam of a long table, no line (TableContinuation.h)
        else
            p[i] = c == cellStart && endsCellInRow(document, from + int(i)) ? u'\t' : u'\n';
    }
}

QString between(const QTextDocument &document, int from, int to)
{
    from = std::max(from, 0);
    to = std::min(to, document.characterCount() - 1);
    if (from >= to)
        return {};
    QString text;
    if (!hasFrames(document)) {
        QTextCursor cursor(const_cast<QTextDocument *>(&document));
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        text = cursor.selectedText();
    } else {
        // Block by block: a cursor would read a range across cells as a block of whole cells.
        text.reserve(to - from);
        for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
             block = block.next()) {
            const int start = block.position();
            const int end = start + block.length() - 1;   // the break after the block
            const int first = std::max(from, start);
            text += QStringView(block.text()).mid(first - start, std::min(to, end) - first);
            if (end < to)
                text += document.characterAt(end);
        }
    }
    countBreaks(document, text, from);
    return text;
}

} // namespace DocumentText
