#include "rtf/read/RtfTableBuilder.h"

#include "base/CheckedArithmetic.h"
#include "rtf/TableContinuation.h"

#include <QTextTable>

#include <algorithm>

namespace {

constexpr double twipsPerPixel = 15.0;
constexpr int defaultCellWidth = 1440;   // an inch, for cells whose file gives no edge
// No page is wider than 22 inches, so no cell of a real file is; and a row of the most columns
// a table gets is no wider than that many such cells. Edges beyond are a damaged file's.
constexpr int maxCellWidth = 22 * 1440;
constexpr int maxRowWidth = RtfTableBuilder::maxColumns * maxCellWidth;
constexpr int defaultGap = 108;          // Word's \trgaph

bool holdsContent(const RtfRecording &cell)
{
    return std::any_of(cell.begin(), cell.end(), [](const RtfRecordedItem &item) {
        return item.kind != RtfRecordedItem::Kind::Paragraph && item.kind != RtfRecordedItem::Kind::CellEnd;
    });
}

QTextFrameFormat::BorderStyle borderStyle(std::uint8_t style)
{
    switch (style) {
    case 2: return QTextFrameFormat::BorderStyle_Double;
    case 3: return QTextFrameFormat::BorderStyle_Dotted;
    case 4: return QTextFrameFormat::BorderStyle_Dashed;
    default: return QTextFrameFormat::BorderStyle_Solid;
    }
}

QTextTableCellFormat cellFormat(const RtfCellDefinition &definition)
{
    QTextTableCellFormat format;
    const QColor fill = definition.fill();
    if (fill.isValid())
        format.setBackground(fill);
    if (definition.verticalAlignment == 1)
        format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    else if (definition.verticalAlignment == 2)
        format.setVerticalAlignment(QTextCharFormat::AlignBottom);
    using Border = RtfCellDefinition::Border;
    const auto side = [&](const Border &border, auto setWidth, auto setStyle, auto setBrush) {
        if (border.style == 0) {
            (format.*setWidth)(0);
            return;
        }
        (format.*setWidth)(std::max(border.width / twipsPerPixel, 1.0));
        (format.*setStyle)(borderStyle(border.style));
        (format.*setBrush)(QBrush(border.color.isValid() ? border.color : QColor(Qt::black)));
    };
    const Border *b = definition.borders;
    side(b[RtfCellDefinition::Top], &QTextTableCellFormat::setTopBorder, &QTextTableCellFormat::setTopBorderStyle,
         &QTextTableCellFormat::setTopBorderBrush);
    side(b[RtfCellDefinition::Left], &QTextTableCellFormat::setLeftBorder,
         &QTextTableCellFormat::setLeftBorderStyle, &QTextTableCellFormat::setLeftBorderBrush);
    side(b[RtfCellDefinition::Bottom], &QTextTableCellFormat::setBottomBorder,
         &QTextTableCellFormat::setBottomBorderStyle, &QTextTableCellFormat::setBottomBorderBrush);
    side(b[RtfCellDefinition::Right], &QTextTableCellFormat::setRightBorder,
         &QTextTableCellFormat::setRightBorderStyle, &QTextTableCellFormat::setRightBorderBrush);
    return format;
}

} // namespace

// \clshdng lays that share of the pattern colour (black unless \clcfpat says) over the
// background (white unless \clcbpat says).
QColor RtfCellDefinition::fill() const
{
    const int share = std::clamp(shading, 0, 10000);
    if (share == 0)
        return background;
    const QColor over = pattern.isValid() ? pattern : QColor(Qt::black);
    const QColor under = background.isValid() ? background : QColor(Qt::white);
    const auto mix = [share](int a, int b) { return (a * share + b * (10000 - share)) / 10000; };
    return QColor(mix(over.red(), under.red()), mix(over.green(), under.green()), mix(over.blue(), under.blue()));
}

void RtfTableBuilder::setLevel(int level)
{
    level = std::clamp(level, 0, maxDepth);
    while (int(m_open.size()) > level)
        close();
    while (int(m_open.size()) < level)
        open();
}

void RtfTableBuilder::open()
{
    const int index = int(m_tables.size());
    m_tables.emplace_back();
    if (!m_open.empty())
        m_builder.recordTable(index);   // into the enclosing table's cell
    m_open.push_back(index);
    recordIntoCurrentCell();
}

void RtfTableBuilder::recordIntoCurrentCell()
{
    m_builder.setRecording(m_open.empty() ? nullptr : &m_tables[m_open.back()].cell);
}

// A table ends with the paragraph after it. A cell or row that the file never ended is
// kept as the table's last, so its text stays.
void RtfTableBuilder::close()
{
    Table &table = m_tables[m_open.back()];
    if (!m_builder.paragraphIsEmpty()) {
        m_builder.endCell(QTextBlockFormat());
    } else if (!table.cell.empty() && table.cell.back().kind == RtfRecordedItem::Kind::Paragraph) {
        table.cell.back().kind = RtfRecordedItem::Kind::CellEnd;
    }
    if (!table.cell.empty())
        table.open.cells.push_back(std::move(table.cell));
    table.cell.clear();
    if (!table.open.cells.empty()) {
        if (!table.rows.empty() && table.open.definition.cells.empty())
            table.open.definition = table.rows.back().definition;
        table.rows.push_back(std::move(table.open));
    }
    table.open = {};
    const int index = m_open.back();
    m_open.pop_back();
    recordIntoCurrentCell();
    if (m_open.empty()) {
        write(index, true);
        m_tables.clear();
    }
}

void RtfTableBuilder::endCell(const QTextBlockFormat &format)
{
    if (m_open.empty())
        return;
    Table &table = m_tables[m_open.back()];
    m_builder.endCell(format);
    table.open.cells.push_back(std::move(table.cell));
    table.cell.clear();
}

void RtfTableBuilder::endRow(int level, const RtfRowDefinition &definition)
{
    if (level <= 0 || int(m_open.size()) != std::min(level, maxDepth))
        return;
    Table &table = m_tables[m_open.back()];
    // Text after the row's last \cell is a cell of its own.
    if (!m_builder.paragraphIsEmpty() || holdsContent(table.cell))
        endCell(QTextBlockFormat());
    if (table.open.cells.empty())
        return;
    table.open.definition = definition;
    table.rows.push_back(std::move(table.open));
    table.open = {};
}

// Where each cell goes in the grid. Every row's cell edges together make the grid's columns;
// a cell spans the columns between its left and right edges, a cell merged into the one before
// it (\clmrg) or the one above it (\clvmrg) widens or lengthens that one, and each row's last
// cell reaches the table's right edge, so that a row holds a cell for every column.
std::vector<RtfTableBuilder::PlacedCell> RtfTableBuilder::place(Table &table, std::vector<int> &gridEdges) const
{
    struct RowCells
    {
        std::vector<int> edges;       // each placed cell's right edge
        std::vector<int> allEdges;    // merged cells' edges too: the columns they span
        std::vector<const RtfCellDefinition *> definitions;
        std::vector<std::vector<const RtfRecording *>> contents;
    };
    static const RtfCellDefinition plainCell;
    std::vector<RowCells> rows(table.rows.size());
    std::size_t widest = 0;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const Row &row = table.rows[r];
        const std::vector<RtfCellDefinition> &definitions = row.definition.cells;
        RowCells &placed = rows[r];
        int edge = 0;
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const RtfCellDefinition *definition = i < definitions.size() ? &definitions[i] : &plainCell;
            const bool mergedIntoPrevious = definition->horizontalMerge == 2 && !placed.edges.empty();
            int right = definition->right;
            if (i >= definitions.size() || (right <= edge && !mergedIntoPrevious))
                right = CheckedArithmetic::saturatingAdd(edge, defaultCellWidth);
            right = std::clamp(right, edge, std::min(CheckedArithmetic::saturatingAdd(edge, maxCellWidth), maxRowWidth));
            // A merged cell of no width adds no column, nor does a cell past the widest row.
            const bool noRoom = !placed.edges.empty() && right <= placed.edges.back();
            edge = right;
            placed.allEdges.push_back(right);
            if (mergedIntoPrevious || noRoom || placed.edges.size() >= std::size_t(maxColumns)) {
                placed.edges.back() = right;
                placed.contents.back().push_back(&row.cells[i]);
                continue;
            }
            placed.edges.push_back(right);
            placed.definitions.push_back(definition);
            placed.contents.push_back({&row.cells[i]});
        }
        widest = std::max(widest, placed.edges.size());
    }

    gridEdges.clear();
    for (const RowCells &row : rows)
        gridEdges.insert(gridEdges.end(), row.allEdges.begin(), row.allEdges.end());
    std::sort(gridEdges.begin(), gridEdges.end());
    gridEdges.erase(std::unique(gridEdges.begin(), gridEdges.end()), gridEdges.end());
    if (gridEdges.size() > std::size_t(maxGridColumns)) {
        // Rows whose edges all differ: each cell takes a column of its own instead.
        gridEdges.clear();
        for (std::size_t i = 1; i <= widest; ++i)
            gridEdges.push_back(int(i) * defaultCellWidth);
        for (RowCells &row : rows) {
            for (std::size_t i = 0; i < row.edges.size(); ++i)
                row.edges[i] = int(i + 1) * defaultCellWidth;
        }
    }
    if (gridEdges.empty())
        return {};
    const int columns = int(gridEdges.size());
    const auto columnEndingAt = [&](int edge) {
        return int(std::lower_bound(gridEdges.begin(), gridEdges.end(), edge) - gridEdges.begin());
    };

    std::vector<PlacedCell> cells;
    std::vector<int> mergeStart(columns, -1);   // per column, the cell a \clvmrg below joins
    for (std::size_t r = 0; r < rows.size(); ++r) {
        RowCells &row = rows[r];
        if (row.edges.empty())
            continue;
        row.edges.back() = gridEdges.back();
        int column = 0;
        for (std::size_t i = 0; i < row.edges.size(); ++i) {
            const int last = std::max(columnEndingAt(row.edges[i]), column);
            const int span = last - column + 1;
            const RtfCellDefinition *definition = row.definitions[i];
            const int above = mergeStart[column];
            if (definition->verticalMerge == 2 && above >= 0 && cells[above].columnSpan == span
                && cells[above].row + cells[above].rowSpan == int(r)) {
                ++cells[above].rowSpan;
                cells[above].contents.insert(cells[above].contents.end(), row.contents[i].begin(),
                                             row.contents[i].end());
            } else {
                PlacedCell cell;
                cell.row = int(r);
                cell.column = column;
                cell.columnSpan = span;
                cell.definition = definition;
                cell.contents = row.contents[i];
                cells.push_back(std::move(cell));
                std::fill(mergeStart.begin() + column, mergeStart.begin() + last + 1, -1);
                if (definition->verticalMerge != 0)
                    mergeStart[column] = int(cells.size() - 1);
            }
            column = last + 1;
        }
    }
    return cells;
}

// Where a long table is cut into tables of at most `TableContinuation::rowsPerTable` rows: the
// first row of each but the first. A cell merged down across a cut would be split, so a cut
// moves down past it.
std::vector<int> RtfTableBuilder::pieceStarts(const std::vector<PlacedCell> &cells, int rows)
{
    std::vector<int> starts{0};
    if (rows <= TableContinuation::rowsPerTable)
        return starts;
    std::vector<bool> spanned(std::size_t(rows) + 1, false);   // a merged cell goes on past the row
    for (const PlacedCell &cell : cells) {
        for (int row = cell.row + 1; row < cell.row + cell.rowSpan && row < rows; ++row)
            spanned[std::size_t(row)] = true;
    }
    for (int row = TableContinuation::rowsPerTable; row < rows; ++row) {
        if (!spanned[std::size_t(row)] && row - starts.back() >= TableContinuation::rowsPerTable)
            starts.push_back(row);
    }
    return starts;
}

// The widest top border of the cells of `row` among [begin, end), in pixels.
double RtfTableBuilder::topBorder(std::vector<PlacedCell>::const_iterator begin,
                                  std::vector<PlacedCell>::const_iterator end, int row)
{
    double widest = 0;
    for (auto cell = begin; cell != end && cell->row == row; ++cell) {
        const RtfCellDefinition::Border &top = cell->definition->borders[RtfCellDefinition::Top];
        if (top.style != 0)
            widest = std::max(widest, std::max(top.width / twipsPerPixel, 1.0));
    }
    return widest;
}

// `outermost`: a table in the document itself, not in a cell; only such a table is cut into
// pieces, as Qt lays out a table inside a cell with the cell anyway.
void RtfTableBuilder::write(int index, bool outermost)
{
    Table &table = m_tables[index];
    std::vector<int> edges;
    const std::vector<PlacedCell> cells = place(table, edges);
    if (cells.empty())
        return;
    QTextTableFormat format;
    QList<QTextLength> widths;
    int left = 0;
    for (int edge : edges) {
        widths.append(QTextLength(QTextLength::FixedLength, (edge - left) / twipsPerPixel));
        left = edge;
    }
    format.setColumnWidthConstraints(widths);
    // Rows start at the left margin. Said outright, so that the editing area's layout knows the
    // document holds nothing centred or right-aligned; otherwise, without wrapping, it lays
    // out the whole document again, every table at once, whenever the window's width changes.
    format.setAlignment(Qt::AlignLeft);
    format.setBorderCollapse(true);
    format.setBorder(0);
    format.setCellSpacing(0);
    const int gap = table.rows.front().definition.gap;
    format.setCellPadding((gap >= 0 ? std::min(gap, 1440) : defaultGap) / twipsPerPixel);
    const int rows = int(table.rows.size());
    const std::vector<int> starts = outermost ? pieceStarts(cells, rows) : std::vector<int>{0};
    auto cell = cells.begin();
    for (std::size_t piece = 0; piece < starts.size(); ++piece) {
        const int first = starts[piece];
        const int end = piece + 1 < starts.size() ? starts[piece + 1] : rows;
        auto pieceEnd = std::find_if(cell, cells.end(), [end](const PlacedCell &c) { return c.row >= end; });
        // A piece after the first moves up over the border its first row draws at its top, which
        // the row above draws at its bottom already: one line, as inside a table.
        QTextTableFormat pieceFormat = format;
        if (piece > 0)
            pieceFormat.setTopMargin(-2 * topBorder(cell, pieceEnd, first));
        QTextTable *qtTable = m_builder.insertTable(end - first, int(edges.size()), pieceFormat);
        for (auto c = cell; c != pieceEnd; ++c) {
            if (c->rowSpan > 1 || c->columnSpan > 1)
                qtTable->mergeCells(c->row - first, c->column, c->rowSpan, c->columnSpan);
        }
        writeCells(*qtTable, cell, pieceEnd, first);
        m_builder.continueAfter(*qtTable);
        if (piece + 1 < starts.size())
            m_builder.continueTable();
        cell = pieceEnd;
    }
}

void RtfTableBuilder::writeCells(QTextTable &table, std::vector<PlacedCell>::const_iterator begin,
                                 std::vector<PlacedCell>::const_iterator end, int firstRow)
{
    const auto insertNested = [this](int nested) { write(nested, false); };
    for (auto placed = begin; placed != end; ++placed) {
        const int row = placed->row - firstRow;
        QTextTableCell cell = table.cellAt(row, placed->column);
        m_builder.beginCell(cell);
        const RtfRecording *previous = nullptr;
        for (const RtfRecording *contents : placed->contents) {
            if (previous && !holdsContent(*contents))
                continue;   // the empty rest of a merged cell
            if (previous) {
                const bool ended = !previous->empty() && previous->back().kind == RtfRecordedItem::Kind::CellEnd;
                m_builder.endParagraph(ended ? previous->back().blockFormat : QTextBlockFormat());
            }
            m_builder.replay(*contents, insertNested);
            previous = contents;
        }
        // The cell's format is the character format of the mark that begins it, which is
        // also its first paragraph's: the cell's properties go on top of that paragraph's.
        cell = table.cellAt(row, placed->column);
        QTextCharFormat format = cell.format();
        format.clearProperty(QTextFormat::BackgroundBrush);   // only the file's shading shades it
        format.merge(cellFormat(*placed->definition));
        cell.setFormat(format);
    }
}
