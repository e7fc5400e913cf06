// Tables as RTF rows: each row's definition (\trowd ... \cellx), then its cells' paragraphs,
// each cell ended by \cell. A table inside a cell is written as Word writes one: its
// paragraphs carry \itap with their depth, its cells end with \nestcell and its rows with the
// definition in {\*\nesttableprops ... \nestrow}; after each, {\nonesttables\par} ends a
// paragraph for readers that know no nesting, so they read its cells as paragraphs.
#include "rtf/write/RtfFormatWords.h"
#include "rtf/write/RtfWriter.h"
#include "rtf/write/RtfWriterUnits.h"

#include <QTextTable>

#include <utility>

namespace {

// The width a table is spread over when its columns ask for shares rather than lengths:
// the text width of a Letter or A4 page with one-inch margins, in twips.
constexpr int tableWidthTwips = 9360;
constexpr int defaultGap = 108;

std::vector<int> columnRightEdges(const QTextTable &table)
{
    const int columns = table.columns();
    const QList<QTextLength> constraints = table.format().columnWidthConstraints();
    std::vector<int> edges;
    edges.reserve(columns);
    int edge = 0;
    for (int column = 0; column < columns; ++column) {
        int width = tableWidthTwips / columns;
        if (column < constraints.size()) {
            const QTextLength &length = constraints[column];
            if (length.type() == QTextLength::FixedLength)
                width = RtfWriterUnits::twipsFromPixels(length.rawValue());
            else if (length.type() == QTextLength::PercentageLength)
                width = int(tableWidthTwips * length.rawValue() / 100);
        }
        edge += std::max(width, 1);
        edges.push_back(edge);
    }
    return edges;
}

struct BorderSide
{
    QTextFormat::Property width, style, brush;
    const char *word;
};

constexpr BorderSide borderSides[] = {
    {QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderStyle, QTextFormat::TableCellTopBorderBrush, "clbrdrt"},
    {QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderStyle, QTextFormat::TableCellLeftBorderBrush, "clbrdrl"},
    {QTextFormat::TableCellBottomBorder, QTextFormat::TableCellBottomBorderStyle, QTextFormat::TableCellBottomBorderBrush, "clbrdrb"},
    {QTextFormat::TableCellRightBorder, QTextFormat::TableCellRightBorderStyle, QTextFormat::TableCellRightBorderBrush, "clbrdrr"},
};

const char *borderStyleWord(int style)
{
    switch (style) {
    case QTextFrameFormat::BorderStyle_Double: return "brdrdb";
    case QTextFrameFormat::BorderStyle_Dotted: return "brdrdot";
    case QTextFrameFormat::BorderStyle_Dashed:
    case QTextFrameFormat::BorderStyle_DotDash:
    case QTextFrameFormat::BorderStyle_DotDotDash: return "brdrdash";
    default: return "brdrs";
    }
}

} // namespace

void RtfWriter::writeTableLevel(int level)
{
    if (level <= 0)
        return;
    m_body.controlWord("intbl");
    if (level > 1)
        m_body.controlWord("itap", level);
}

// A cell merged with its neighbours is written as one cell per column and row it covers:
// \clmgf and \clmrg join columns, \clvmgf and \clvmrg rows, so every row keeps every column
// edge and the grid reads back as it was.
void RtfWriter::writeRowDefinition(const QTextTable &table, int row, const std::vector<int> &edges)
{
    const QTextTableFormat format = table.format();
    m_body.controlWord("trowd");
    m_body.controlWord("trgaph", format.hasProperty(QTextFormat::TableCellPadding)
                                     ? RtfWriterUnits::twipsFromPixels(format.cellPadding())
                                     : defaultGap);
    // A table's own border is written as each cell's, the way the reader gives it back.
    const bool bordered = format.border() > 0;
    const int tableBorder = RtfWriterUnits::twipsFromPixels(std::max(format.border(), 1.0));
    const int tableBorderColor = m_colors.indexOf(format.borderBrush().style() != Qt::NoBrush
                                                      ? format.borderBrush().color() : QColor(Qt::black));
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        if (cell.row() < row)
            m_body.controlWord("clvmrg");
        else if (cell.rowSpan() > 1)
            m_body.controlWord("clvmgf");
        if (cell.column() < column)
            m_body.controlWord("clmrg");
        else if (cell.columnSpan() > 1)
            m_body.controlWord("clmgf");
        const QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
        if (cellFormat.verticalAlignment() == QTextCharFormat::AlignMiddle)
            m_body.controlWord("clvertalc");
        else if (cellFormat.verticalAlignment() == QTextCharFormat::AlignBottom)
            m_body.controlWord("clvertalb");
        for (const BorderSide &side : borderSides) {
            if (!cellFormat.hasProperty(side.width)) {
                if (bordered) {
                    m_body.controlWord(side.word);
                    m_body.controlWord("brdrs");
                    m_body.controlWord("brdrw", tableBorder);
                    m_body.controlWord("brdrcf", tableBorderColor);
                }
                continue;
            }
            const double width = cellFormat.doubleProperty(side.width);
            if (width <= 0)
                continue;
            m_body.controlWord(side.word);
            m_body.controlWord(borderStyleWord(cellFormat.intProperty(side.style)));
            m_body.controlWord("brdrw", std::clamp(RtfWriterUnits::twipsFromPixels(width), 1, 255));
            if (cellFormat.hasProperty(side.brush))
                m_body.controlWord("brdrcf", m_colors.indexOf(cellFormat.brushProperty(side.brush).color()));
        }
        if (cellFormat.hasProperty(QTextFormat::BackgroundBrush) && cellFormat.background().style() != Qt::NoBrush)
            m_body.controlWord("clcbpat", m_colors.indexOf(cellFormat.background().color()));
        m_body.controlWord("cellx", edges[column]);
    }
}

void RtfWriter::writeTable(const QTextTable &table, int level)
{
    endParagraph("par");
    const std::vector<int> edges = columnRightEdges(table);
    const char *cellEnd = level > 1 ? "nestcell" : "cell";
    // The rows of a table that continues the one before it (TableContinuation.h) follow that
    // one's rows as rows of the same table, as the file had them.
    const bool continues = level == 1 && std::exchange(m_rowsContinue, false);
    for (int row = 0; row < table.rows(); ++row) {
        if (level == 1 && continues && row == 0) {
            writeRowDefinition(table, row, edges);
        } else if (level == 1) {
            m_body.raw("\r\n");
            writeRowDefinition(table, row, edges);
        }
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() == row && cell.column() == column) {
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (const QTextFrame *child = it.currentFrame()) {
                        const auto *nested = qobject_cast<const QTextTable *>(child);
                        if (nested && level < maxTableLevel)
                            writeTable(*nested, level + 1);
                        else
                            writeFrameContents(*child, level);
                    } else {
                        writeBlock(it.currentBlock(), level);
                    }
                }
            } else {
                // The rest of a merged cell: an empty cell that the reader joins to it.
                m_body.raw("\r\n");
                writeRtfParagraphFormat(QTextBlockFormat(), m_document.indentWidth(), m_body);
                writeTableLevel(level);
                m_paragraphOpen = true;
            }
            endParagraph(cellEnd);
            if (level > 1)
                m_body.raw("{\\nonesttables\\par}");
        }
        if (level == 1) {
            m_body.controlWord("row");
            continue;
        }
        m_body.raw("\r\n");
        writeRtfParagraphFormat(QTextBlockFormat(), m_document.indentWidth(), m_body);
        writeTableLevel(level);
        m_body.raw("{\\*\\nesttableprops");
        writeRowDefinition(table, row, edges);
        m_body.controlWord("nestrow");
        m_body.raw("}{\\nonesttables\\par}");
    }
    m_body.raw("\r\n");
}
