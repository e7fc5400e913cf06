// What the reader does with tables: the words of a row's definition, and where cells and rows
// end. The tables themselves are built by RtfTableBuilder.
#include "rtf/read/RtfReader.h"

#include <algorithm>

using namespace RtfControlWords;

// A paragraph with \intbl is in a table, at the depth \itap gives (1 when it gives none).
int RtfReader::fileTableLevel() const
{
    if (m_stack.empty())
        return 0;
    const RtfParaProps &para = m_stack.back().para;
    return para.inTable ? std::max<int>(para.tableLevel, 1) : 0;
}

// Tables deeper than the builder nests are read into the deepest table it makes.
int RtfReader::tableLevel() const
{
    return std::min(fileTableLevel(), RtfTableBuilder::maxDepth);
}

// A cell or row of a table nested deeper than the builder's tables go: its text stays text in
// the deepest cell, a cell's end a tab and a row's a line break, as outside any table.
bool RtfReader::beyondNesting(bool nested) const
{
    return nested && fileTableLevel() > RtfTableBuilder::maxDepth;
}

void RtfReader::enterTableLevel(int level)
{
    if (level == m_tables.level())
        return;
    flushBytes();
    keepGroupsAfterForgottenMarker();
    m_tables.setLevel(level);
    forgetListText();
    // Cells and rows read as text belong to the paragraph they ended in, not to another table's.
    m_pendingCells = 0;
    m_pendingRowBreak = false;
}

void RtfReader::applyTableProperty(int property, const RtfTokenizer::Token &token)
{
    const int parameter = token.parameter;
    if (property == NestingLevel) {
        top().para.tableLevel = std::uint8_t(std::clamp(parameter, 0, 255));
        return;
    }
    RtfRowDefinition &row = m_rowDefinitions[top().nestedRowDefinition ? 1 : 0];
    RtfCellDefinition &cell = row.next;
    RtfCellDefinition::Border *border = row.borderSide >= 0 ? &cell.borders[row.borderSide] : nullptr;
    const auto color = [this, parameter] {
        return parameter >= 0 && parameter < m_colors.size() ? m_colors[parameter] : QColor();
    };
    switch (TableProperty(property)) {
    case RowDefaults:
        row = RtfRowDefinition{};
        break;
    case RowGap:
        row.gap = std::max(parameter, 0);
        break;
    case CellRight:
        cell.right = parameter;
        if (row.cells.size() < RtfRowDefinition::maxCells)
            row.cells.push_back(cell);
        cell = RtfCellDefinition{};
        row.borderSide = -1;
        break;
    case CellMergeFirst: cell.horizontalMerge = 1; break;
    case CellMerged: cell.horizontalMerge = 2; break;
    case CellVerticalMergeFirst: cell.verticalMerge = 1; break;
    case CellVerticalMerged: cell.verticalMerge = 2; break;
    case CellAlignTop: cell.verticalAlignment = 0; break;
    case CellAlignCentre: cell.verticalAlignment = 1; break;
    case CellAlignBottom: cell.verticalAlignment = 2; break;
    case CellBorderTop: row.borderSide = RtfCellDefinition::Top; break;
    case CellBorderLeft: row.borderSide = RtfCellDefinition::Left; break;
    case CellBorderBottom: row.borderSide = RtfCellDefinition::Bottom; break;
    case CellBorderRight: row.borderSide = RtfCellDefinition::Right; break;
    case OtherBorder: row.borderSide = -1; break;
    case BorderNone:
        if (border)
            border->style = 0;
        break;
    case BorderSolid:
    case BorderDouble:
    case BorderDotted:
    case BorderDashed:
        if (border)
            border->style = std::uint8_t(1 + property - BorderSolid);
        break;
    case BorderWidth:
        if (border)
            border->width = std::clamp(parameter, 0, 1440);
        break;
    case BorderColor:
        if (border)
            border->color = color();
        break;
    case CellPatternColor: cell.pattern = color(); break;
    case CellBackground: cell.background = color(); break;
    case CellShading: cell.shading = parameter; break;
    case NestingLevel: break;
    }
}

// \cell ends a cell of the outermost table, \nestcell one of the nested table the paragraph
// is in. Outside any table they are read as tabs, so that a file that never says \intbl keeps
// its cells apart.
void RtfReader::endCell(bool nested)
{
    int level = tableLevel() > 0 ? tableLevel() : m_tables.level();
    if (level > 1 && !nested)
        level = 1;
    if (level == 0 || beyondNesting(nested)) {
        emitCellSeparator();
        return;
    }
    resolveDanglingSurrogate();
    flushBytes();
    enterTableLevel(level);
    m_pendingCells = 0;
    m_pendingRowBreak = false;
    useMarkCharProps();
    QTextBlockFormat format = blockFormat(top().para);
    placeInList(format, top().para);   // the cell's last paragraph
    m_tables.endCell(format);
}

// \row ends a row of the outermost table, \nestrow one of the table the paragraph is in.
void RtfReader::endTableRow(bool nested)
{
    const int level = !nested ? 1 : tableLevel() > 0 ? tableLevel() : m_tables.level();
    if ((m_tables.level() == 0 && tableLevel() == 0) || beyondNesting(nested)) {
        endRow(nested);
        return;
    }
    resolveDanglingSurrogate();
    flushBytes();
    enterTableLevel(level);
    m_tables.endRow(level, m_rowDefinitions[nested ? 1 : 0]);
    forgetListText();
}
