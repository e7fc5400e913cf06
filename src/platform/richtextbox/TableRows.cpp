#include "platform/richtextbox/TableRows.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

namespace {

// What a cell's format says of the cell itself rather than of its text.
constexpr QTextFormat::Property kCellProperties[] = {
    QTextFormat::TableCellTopBorder,        QTextFormat::TableCellTopBorderStyle,
    QTextFormat::TableCellTopBorderBrush,   QTextFormat::TableCellBottomBorder,
    QTextFormat::TableCellBottomBorderStyle, QTextFormat::TableCellBottomBorderBrush,
    QTextFormat::TableCellLeftBorder,       QTextFormat::TableCellLeftBorderStyle,
    QTextFormat::TableCellLeftBorderBrush,  QTextFormat::TableCellRightBorder,
    QTextFormat::TableCellRightBorderStyle, QTextFormat::TableCellRightBorderBrush,
    QTextFormat::TableCellTopPadding,       QTextFormat::TableCellBottomPadding,
    QTextFormat::TableCellLeftPadding,      QTextFormat::TableCellRightPadding,
    QTextFormat::BackgroundBrush,           QTextFormat::TextVerticalAlignment,
};

// A new cell's format: the text format that `above` starts with, under that cell's own
// properties. A cell's format is also the character format of its first paragraph's mark,
// which is what text typed in the new, empty cell gets.
QTextCharFormat formatBelow(const QTextTableCell &above)
{
    const QTextCursor start = above.firstCursorPosition();
    QTextCharFormat format = start.charFormat();
    if (format.isImageFormat()) // a cell that starts with a picture: its paragraph's mark
        format = start.block().charFormat();
    const QTextCharFormat cell = above.format();
    for (QTextFormat::Property property : kCellProperties) {
        if (cell.hasProperty(property))
            format.setProperty(property, cell.property(property));
        else
            format.clearProperty(property);
    }
    return format;
}

} // namespace

namespace TableRows {

void appendLikeLast(QTextTable &table)
{
    const int above = table.rows() - 1;
    table.appendRows(1);
    const int row = above + 1;
    for (int column = 0; column < table.columns();) {
        const QTextTableCell source = table.cellAt(above, column);
        const int span = source.columnSpan();
        if (span > 1)
            table.mergeCells(row, column, 1, span);
        QTextTableCell cell = table.cellAt(row, column);
        cell.setFormat(formatBelow(source));
        cell.firstCursorPosition().setBlockFormat(source.firstCursorPosition().blockFormat());
        column += span;
    }
}

} // namespace TableRows
