#include "platform/richtextbox/printing/PaperFit.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace PaperFit {

// As the editing area breaks lines when they wrap: at a word's end, or inside a word longer
// than the line.
void breakLinesAtPageWidth(QTextDocument &document)
{
    QTextOption option = document.defaultTextOption();
    if (option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere)
        return;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
}

// Picture sizes are in pixels of the screen's nominal 96 dots an inch, which the layout scales
// to the printer's resolution.
void fitPictures(QTextDocument &document, QSizeF area, QPaintDevice &printer)
{
    // A picture stands on its line's baseline, above the descent of the line's text.
    const qreal margins = 2 * document.documentMargin();
    const qreal below = QFontMetricsF(document.defaultFont(), &printer).height() + margins;
    const QSizeF room((area.width() - margins) * 96 / printer.logicalDpiX(),
                      (area.height() - below) * 96 / printer.logicalDpiY());
    struct Resized
    {
        int position;
        QTextImageFormat format;
    };
    std::vector<Resized> resized; // changed after the walk, which a change would disturb
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            QSizeF size(picture.width(), picture.height());
            if (size.width() <= 0 || size.height() <= 0)
                size = document.resource(QTextDocument::ImageResource, QUrl(picture.name())).value<QImage>().size();
            const qreal scale = std::min({1.0, room.width() / std::max(size.width(), 1.0),
                                          room.height() / std::max(size.height(), 1.0)});
            if (scale >= 1.0)
                continue;
            picture.setWidth(size.width() * scale);
            picture.setHeight(size.height() * scale);
            // A fragment of pictures holds one each: each is the same picture.
            for (int i = 0; i < fragment.length(); ++i)
                resized.push_back({fragment.position() + i, picture});
        }
    }
    QTextCursor cursor(&document);
    for (const Resized &picture : resized) {
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
}

namespace {

struct Side
{
    qreal width;
    QBrush brush;
};

// The border of a cell's side as the cell or, without one of its own, the table gives it.
Side side(const QTextTableCellFormat &cell, const QTextTableFormat &table, bool top)
{
    const QTextFormat::Property widthProperty = top ? QTextFormat::TableCellTopBorder : QTextFormat::TableCellBottomBorder;
    if (cell.hasProperty(widthProperty))
        return top ? Side{cell.topBorder(), cell.topBorderBrush()} : Side{cell.bottomBorder(), cell.bottomBorderBrush()};
    return {table.border(), table.borderBrush()};
}

void drawTable(QPainter &painter, QTextDocument &document, QTextTable &table, qreal pageTop, qreal pageBottom)
{
    QAbstractTextDocumentLayout &layout = *document.documentLayout();
    const QRectF whole = layout.frameBoundingRect(&table);
    if (whole.bottom() <= pageTop || whole.top() >= pageBottom)
        return;
    const QTextTableFormat format = table.format();
    // Widths in formats are in pixels of the screen's nominal 96 dots an inch, as with pictures.
    const qreal scale = painter.device()->logicalDpiY() / 96.0;
    // The layout ends a page's content this far above the page's edge, and starts it this far
    // below.
    const qreal margin = document.documentMargin() * scale;
    for (int row = 0; row < table.rows(); ++row) {
        // The row's extent: from the top of its cells' first paragraphs to the bottom of their last.
        qreal top = whole.bottom(), bottom = whole.top();
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            top = std::min(top, layout.blockBoundingRect(cell.firstCursorPosition().block()).top());
            bottom = std::max(bottom, layout.blockBoundingRect(cell.lastCursorPosition().block()).bottom());
        }
        for (const bool atTop : {true, false}) {
            const qreal edge = atTop ? pageTop : pageBottom;
            if (!(top < edge && bottom > edge) || (atTop && pageTop <= 0))
                continue;
            for (int column = 0; column < table.columns(); ++column) {
                const QTextTableCell cell = table.cellAt(row, column);
                if (cell.column() != column)
                    continue; // a cell spanning columns is drawn once
                const QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
                const Side border = side(cellFormat, format, atTop);
                if (border.width <= 0 || border.brush.style() == Qt::NoBrush)
                    continue;
                const QRectF text = layout.blockBoundingRect(cell.firstCursorPosition().block());
                const auto padding = [&](QTextFormat::Property own, qreal value) {
                    return (cellFormat.hasProperty(own) ? value : format.cellPadding()) * scale;
                };
                const qreal left = text.left() - padding(QTextFormat::TableCellLeftPadding, cellFormat.leftPadding());
                const qreal right = text.right() + padding(QTextFormat::TableCellRightPadding, cellFormat.rightPadding());
                // Where the layout cuts the cell's side borders off.
                const qreal width = border.width * scale;
                const qreal y = atTop ? edge + margin : edge - margin - width;
                painter.fillRect(QRectF(left - width / 2, y, right - left + width, width), border.brush);
            }
        }
    }
}

void drawTables(QPainter &painter, QTextDocument &document, QTextFrame &frame, qreal pageTop, qreal pageBottom)
{
    for (QTextFrame *child : frame.childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            drawTable(painter, document, *table, pageTop, pageBottom);
        drawTables(painter, document, *child, pageTop, pageBottom);
    }
}

} // namespace

void drawSplitRowBorders(QPainter &painter, QTextDocument &document, qreal pageTop, qreal pageBottom)
{
    drawTables(painter, document, *document.rootFrame(), pageTop, pageBottom);
}

} // namespace PaperFit
