#include "platform/richtextbox/qtstate/PageWidening.h"

#ifdef CORVALA_HAS_QT_LAYOUT_STATE

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QtGui/private/qtextengine_p.h>

namespace PageWidening {
namespace {

// A table Qt lays out alike at any page width at least `width`: every column at a fixed width,
// in the flow, left-aligned, and no wider than `width` (else Qt lays it out again breaking words
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

// Whether the paragraph broke a line at the width: a line other than its last ends otherwise
// than at a line break of its own. A line Qt gave no width (an indent wider than the page) is
// laid out again too.
bool brokeAtWidth(const QTextBlock &block, const QTextLayout &lines)
{
    const int count = lines.lineCount();
    for (int i = 0; i < count; ++i) {
        if (lines.lineAt(i).width() <= 0)
            return true;
    }
    if (count < 2)
        return false;
    const QString text = block.text();
    for (int i = 0; i + 1 < count; ++i) {
        const QTextLine line = lines.lineAt(i);
        const int last = line.textStart() + line.textLength() - 1;
        if (last < 0 || last >= text.size() || text.at(last) != QChar::LineSeparator)
            return true;
    }
    return false;
}

} // namespace

std::optional<QList<int>> widen(QtLayoutState::Layout &layout, QtLayoutState::Frame &root,
                                const QTextDocument &document)
{
    QTextFrame *frame = document.rootFrame();
    const QTextFrameFormat format = frame->frameFormat();
    const QFixed margins = 2 * (root.border + root.padding) + root.leftMargin + root.rightMargin;
    // Qt lays the document out afresh when its margins changed too.
    if (layout.contentHasAlignment || !root.floats.isEmpty() || format.width().type() != QTextLength::VariableLength
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
    for (QTextFrame *table : frame->childFrames()) {
        if (!tableKeepsItsLayout(table, oldWidth))
            return std::nullopt;
    }

    // First what must be laid out again, as nothing may change when the widening is not taken over.
    QList<int> broken;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        if (!block.isValid())
            continue; // a table
        // A horizontal rule is as wide as Qt makes it from the page's width.
        if (block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
            return std::nullopt;
        if (brokeAtWidth(block, *block.layout()))
            broken.append(block.position());
    }
    const QFixed growth = newWidth - oldWidth;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        if (!block.isValid())
            continue;
        // Every line is as wide as the room between the page's margins and the paragraph's.
        QTextEngine *engine = block.layout()->engine();
        for (QScriptLine &line : engine->lines)
            line.width += growth;
    }
    // As Qt's layout of the root frame works it out: the room, or what is wider than it.
    root.oldContentsWidth = newWidth;
    root.contentsWidth = qMax(root.contentsWidth, newWidth);
    root.size.width = root.contentsWidth + margins;
    return broken;
}

} // namespace PageWidening

#endif
