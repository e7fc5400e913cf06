#include "platform/richtextbox/TextLines.h"

#include "rtf/DocumentText.h"
#include "rtf/TableContinuation.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

namespace {

// The layout works lazily on long documents; asking for the last block's rectangle makes it
// lay out everything, so that line numbers below the visible part are right too.
void ensureLaidOut(const QTextDocument &document)
{
    if (QAbstractTextDocumentLayout *layout = document.documentLayout())
        layout->blockBoundingRect(document.lastBlock());
}

bool inTable(const QTextBlock &block)
{
    return block.document()->rootFrame()->childFrames().size() > 0 && QTextCursor(block).currentTable();
}

// A table row is a line, as the paragraph of tab-separated cells it stands for: a cell's
// paragraph that another cell of the row follows (a tab in Text) continues the line; a
// row's last paragraph or a cell's inner paragraph ends it. Wrapping inside a cell makes no
// lines.
int tableLinesOf(const QTextBlock &block)
{
    const int end = block.position() + block.length() - 1;
    const QString mark = DocumentText::between(*block.document(), end, end + 1);
    return mark == QLatin1String("\t") ? 0 : 1;
}

// A hidden paragraph, or the seam between two tables of one long table: no line of its own.
bool noLine(const QTextBlock &block)
{
    return !block.isVisible() || TableContinuation::isSeam(block);
}

int linesOf(const QTextBlock &block)
{
    if (noLine(block))
        return 0;
    if (inTable(block))
        return tableLinesOf(block);
    const int lines = block.layout() ? block.layout()->lineCount() : 0;
    return std::max(lines, 1);
}

struct LineInBlock
{
    QTextBlock block;
    int number = -1; // within the block
    QTextBlock first; // where the line begins: an earlier cell of the same row, or `block`
};

LineInBlock locate(const QTextDocument &document, int line)
{
    if (line < 0)
        return {};
    ensureLaidOut(document);
    QTextBlock first;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!first.isValid())
            first = block;
        const int lines = linesOf(block);
        if (line < lines)
            return {block, line, first};
        line -= lines;
        if (lines > 0 || noLine(block))
            first = QTextBlock();
    }
    return {};
}

// A soft line break (Shift+Enter) ends a line inside its paragraph; like a paragraph break,
// it is not part of the line's text.
QString withoutBreak(QString text)
{
    if (text.endsWith(QChar(0x2028)))
        text.chop(1);
    return text;
}

} // namespace

namespace TextLines {

int count(const QTextDocument &document)
{
    ensureLaidOut(document);
    int total = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        total += linesOf(block);
    return std::max(total, 1);
}

int lineFromPosition(const QTextDocument &document, int position)
{
    ensureLaidOut(document);
    position = std::clamp(position, 0, document.characterCount() - 1);
    const QTextBlock target = document.findBlock(position);
    int line = 0;
    for (QTextBlock block = document.begin(); block.isValid() && block != target; block = block.next())
        line += linesOf(block);
    if (inTable(target))
        return line;
    if (TableContinuation::isSeam(target))
        return std::max(line - 1, 0);   // the seam's position is the end of the row above
    if (const QTextLayout *layout = target.layout(); layout && layout->lineCount() > 0) {
        const QTextLine hit = layout->lineForTextPosition(position - target.position());
        line += hit.isValid() ? hit.lineNumber() : layout->lineCount() - 1;
    }
    return line;
}

int lineStart(const QTextDocument &document, int line)
{
    const LineInBlock found = locate(document, line);
    if (!found.block.isValid())
        return -1;
    if (inTable(found.block))
        return found.first.position();
    const QTextLayout *layout = found.block.layout();
    if (!layout || layout->lineCount() == 0)
        return found.block.position();
    return found.block.position() + layout->lineAt(found.number).textStart();
}

QString lineText(const QTextDocument &document, int line)
{
    const LineInBlock found = locate(document, line);
    if (!found.block.isValid())
        return {};
    if (inTable(found.block)) {
        const int end = found.block.position() + found.block.length() - 1;
        return withoutBreak(DocumentText::between(document, found.first.position(), end));
    }
    const QTextLayout *layout = found.block.layout();
    if (!layout || layout->lineCount() == 0)
        return withoutBreak(found.block.text());
    const QTextLine textLine = layout->lineAt(found.number);
    return withoutBreak(found.block.text().mid(textLine.textStart(), textLine.textLength()));
}

int firstVisibleLine(const QTextDocument &document, double top)
{
    ensureLaidOut(document);
    const QAbstractTextDocumentLayout *documentLayout = document.documentLayout();
    int line = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (noLine(block) || !layout || layout->lineCount() == 0) {
            line += linesOf(block);
            continue;
        }
        if (inTable(block)) {
            if (linesOf(block) == 0)
                continue;
            if (documentLayout->blockBoundingRect(block).bottom() > top)
                return line;
            ++line;
            continue;
        }
        const double blockTop = documentLayout->blockBoundingRect(block).top();
        for (int i = 0; i < layout->lineCount(); ++i, ++line) {
            const QTextLine textLine = layout->lineAt(i);
            if (blockTop + textLine.y() + textLine.height() > top)
                return line;
        }
    }
    return std::max(line - 1, 0);
}

} // namespace TextLines
