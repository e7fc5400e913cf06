#include "platform/TextLines.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// The layout works lazily on long documents; asking for the last block's rectangle makes it
// lay out everything, so that line numbers below the visible part are right too.
void ensureLaidOut(const QTextDocument &document)
{
    if (QAbstractTextDocumentLayout *layout = document.documentLayout())
        layout->blockBoundingRect(document.lastBlock());
}

int linesOf(const QTextBlock &block)
{
    if (!block.isVisible())
        return 0;
    const int lines = block.layout() ? block.layout()->lineCount() : 0;
    return std::max(lines, 1);
}

struct LineInBlock
{
    QTextBlock block;
    int number = -1; // within the block
};

LineInBlock locate(const QTextDocument &document, int line)
{
    if (line < 0)
        return {};
    ensureLaidOut(document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int lines = linesOf(block);
        if (line < lines)
            return {block, line};
        line -= lines;
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
        if (!block.isVisible() || !layout || layout->lineCount() == 0) {
            line += linesOf(block);
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
