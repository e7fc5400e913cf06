#include "rtf/TableContinuation.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

constexpr char16_t frameStart = 0xFDD0;
constexpr char16_t frameEnd = 0xFDD1;

QTextTable *tableAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position);
    return cursor.currentTable();
}

} // namespace

namespace TableContinuation {

QTextBlockFormat seamFormat()
{
    QTextBlockFormat format;
    format.setProperty(property, true);
    format.setTopMargin(0);
    format.setBottomMargin(0);
    format.setLineHeight(0, QTextBlockFormat::FixedHeight);
    return format;
}

QTextBlockFormat withoutSeam(QTextBlockFormat format)
{
    format.clearProperty(property);
    format.clearProperty(QTextFormat::LineHeight);
    format.clearProperty(QTextFormat::LineHeightType);
    return format;
}

bool isSeam(const QTextBlock &block)
{
    if (!block.isValid() || block.length() != 1 || !block.blockFormat().boolProperty(property))
        return false;
    const QTextDocument &document = *block.document();
    const int position = block.position();
    if ((position > 0 && document.characterAt(position - 1) != QChar(frameEnd))
        || document.characterAt(position) != QChar(frameStart))
        return false;
    const QTextTable *next = tableAt(document, position + 1);
    return next && next->firstPosition() == position + 1;
}

bool leadsDocument(const QTextBlock &block)
{
    return block.isValid() && block.position() == 0 && isSeam(block);
}

QTextTable *tableBefore(const QTextBlock &seam)
{
    return seam.position() > 0 ? tableAt(*seam.document(), seam.position() - 1) : nullptr;
}

QTextTable *tableAfter(const QTextBlock &seam)
{
    return tableAt(*seam.document(), seam.position() + 1);
}

QTextBlock seamBefore(const QTextTable &table)
{
    if (table.firstPosition() < 2)
        return {};
    const QTextBlock block = table.document()->findBlock(table.firstPosition() - 1);
    return isSeam(block) ? block : QTextBlock();
}

QTextBlock seamAfter(const QTextTable &table)
{
    const QTextBlock block = table.document()->findBlock(table.lastPosition() + 1);
    return isSeam(block) ? block : QTextBlock();
}

bool endsContinuedTable(const QTextDocument &document, int position)
{
    if (document.characterAt(position) != QChar(frameEnd))
        return false;
    const QTextBlock next = document.findBlock(position + 1);
    return next.position() == position + 1 && isSeam(next);
}

} // namespace TableContinuation
