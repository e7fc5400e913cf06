#include "platform/richtextbox/qtstate/PageWidening.h"

#ifdef CORVALA_HAS_QT_LAYOUT_STATE

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <QtGui/private/qtextdocument_p.h>
#include <QtGui/private/qtextengine_p.h>

namespace PageWidening {
namespace {

// A table Qt lays out alike at any page width at least `width`: every column at a fixed width,
// in the flow, not centred or right-aligned, and no wider than `width` (else Qt lays it out again breaking words
// anywhere, by the page's width).
bool tableKeepsItsLayout(QTextFrame *frame, QFixed width)
{
    const auto *table = qobject_cast<QTextTable *>(frame);
    const auto *layout = static_cast<const QtLayoutState::Frame *>(frame->layoutData());
    if (!table || !layout || layout->sizeDirty || layout->size.width > width)
        return false;
    const QTextTableFormat format = table->format();
    if (format.position() != QTextFrameFormat::InFlow || format.width().type() == QTextLength::PercentageLength
        || (format.alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignLeft))
        return false;
    const QList<QTextLength> columns = format.columnWidthConstraints();
    if (columns.size() != table->columns())
        return false;
    for (const QTextLength &column : columns) {
        if (column.type() != QTextLength::FixedLength)
            return false;
    }
    return true;
}

// The document's characters, read in place from Qt's pieces of its text at positions that only
// grow: a document has tens of thousands of paragraphs, and finding each character or copying
// each paragraph's text would cost a lot more.
class Characters
{
public:
    explicit Characters(const QTextDocument &document)
        : m_document(*QTextDocumentPrivate::get(&document))
        , m_text(m_document.buffer())
        , m_piece(m_document.begin())
    {
    }

    QChar at(int position)
    {
        for (; m_piece != m_document.end(); ++m_piece) {
            const int size = int(m_piece->size_array[0]);
            if (position < m_start + size)
                return m_text.at(m_piece->stringPosition + position - m_start);
            m_start += size;
        }
        return {};
    }

private:
    const QTextDocumentPrivate &m_document;
    const QString m_text; // shared, not copied
    QTextDocumentPrivate::FragmentIterator m_piece;
    int m_start = 0; // where m_piece starts
};

// Widens the lines of the paragraph at `position` by `growth`, and answers whether the paragraph
// broke a line at the old width (a line other than its last ends otherwise than at a line break of
// its own), had a line Qt gave no width (an indent wider than the page), or ends in spaces that
// did not fit: it is laid out again.
bool widenLines(const QTextBlock &block, int position, QFixed growth, Characters &characters)
{
    QTextEngine &engine = *block.layout()->engine();
    bool broken = false;
    // Every line is as wide as the room between the page's margins and the paragraph's; a
    // centred or right-aligned line is placed in it by its width when it is drawn.
    for (QScriptLine &line : engine.lines) {
        broken = broken || line.width <= 0;
        line.width += growth;
    }
    // The spaces that end a paragraph count in its last line's width only when they fit in the
    // room; Qt keeps those that did not apart, as trailing spaces. At the new width they may fit,
    // and a centred or right-aligned line would be drawn elsewhere. (Spaces before a line break
    // count whenever the text before them fits, or the line broke earlier.)
    if (!engine.lines.isEmpty() && engine.lines.constLast().trailingSpaces > 0)
        broken = true;
    const qsizetype count = engine.lines.size();
    const QTextLayout &lines = *block.layout();
    for (int i = 0; !broken && i + 1 < count; ++i) {
        const QTextLine line = lines.lineAt(i);
        const int last = line.textStart() + line.textLength() - 1;
        broken = last < 0 || last >= block.length() - 1
            || characters.at(position + last) != QChar::LineSeparator;
    }
    return broken;
}

// Whether a paragraph has a horizontal rule, as wide as Qt makes it from the page's width: asked
// of the document's formats, far fewer than its paragraphs.
bool hasRule(const QTextDocument &document)
{
    const QList<QTextFormat> formats = document.allFormats();
    return std::any_of(formats.cbegin(), formats.cend(), [](const QTextFormat &format) {
        return format.isBlockFormat() && format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
    });
}

} // namespace

std::optional<QList<int>> widen(QtLayoutState::Frame &root, const QTextDocument &document, int laidOut,
                                int maxBroken)
{
    QTextFrame *frame = document.rootFrame();
    const QTextFrameFormat format = frame->frameFormat();
    const QFixed margins = 2 * (root.border + root.padding) + root.leftMargin + root.rightMargin;
    // Qt lays the document out afresh when its margins changed too.
    if (!root.floats.isEmpty() || format.width().type() != QTextLength::VariableLength
        || root.topMargin != QFixed::fromReal(format.topMargin())
        || root.bottomMargin != QFixed::fromReal(format.bottomMargin())
        || root.leftMargin != QFixed::fromReal(format.leftMargin())
        || root.rightMargin != QFixed::fromReal(format.rightMargin())
        || root.border != QFixed::fromReal(format.border()) || root.padding != QFixed::fromReal(format.padding()))
        return std::nullopt;
    const QFixed oldWidth = root.oldContentsWidth;
    const QFixed newWidth = QFixed::fromReal(qMax(qreal(0), document.pageSize().width())) - margins;
    if (oldWidth <= 0 || newWidth <= oldWidth || root.contentsWidth < oldWidth)
        return std::nullopt;
    // The paragraphs of each table of the top level, by number, to be passed over: a document has
    // tens of thousands of paragraphs, and asking each where it is would cost a lot more.
    QList<std::pair<int, int>> tables;
    for (QTextFrame *table : frame->childFrames()) {
        if (!tableKeepsItsLayout(table, oldWidth))
            return std::nullopt;
        tables.append({document.findBlock(table->firstPosition()).blockNumber(),
                       document.findBlock(table->lastPosition()).blockNumber()});
    }
    const QTextBlock end = document.findBlock(laidOut);
    const int endNumber = end.isValid() ? end.blockNumber() : document.blockCount();

    if (hasRule(document))
        return std::nullopt;

    // Calls `paragraph` with each paragraph of the top level laid out before the paragraph
    // numbered `endBefore`, and its position, until it answers false.
    const auto eachParagraph = [&](int endBefore, const auto &paragraph) {
        auto table = tables.cbegin();
        int number = 0;
        int position = 0;
        for (QTextBlock block = document.begin(); block.isValid() && number < endBefore;
             position += block.length(), block = block.next(), ++number) {
            while (table != tables.cend() && number > table->second)
                ++table;
            if (table != tables.cend() && number >= table->first)
                continue;
            if (!paragraph(block, position))
                return number;
        }
        return -1;
    };
    Characters characters(document);
    QList<int> broken;
    const QFixed growth = newWidth - oldWidth;
    const int stopped = eachParagraph(endNumber, [&](const QTextBlock &block, int position) {
        if (widenLines(block, position, growth, characters))
            broken.append(position);
        return broken.size() <= maxBroken;
    });
    if (stopped != -1) {
        // Wrapped text, the window made wider: Qt lays it out a page at a time, in the
        // background, faster than each paragraph laid out here. What was widened is put back.
        eachParagraph(stopped + 1, [&](const QTextBlock &block, int) {
            for (QScriptLine &line : block.layout()->engine()->lines)
                line.width -= growth;
            return true;
        });
        return std::nullopt;
    }
    // As Qt's layout of the root frame works it out: the room, or what is wider than it.
    root.oldContentsWidth = newWidth;
    root.contentsWidth = qMax(root.contentsWidth, newWidth);
    root.size.width = root.contentsWidth + margins;
    return broken;
}

} // namespace PageWidening

#endif
