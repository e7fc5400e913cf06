#pragma once

#include "rtf/read/RtfDocumentBuilder.h"

#include <QColor>

#include <cstdint>
#include <deque>
#include <vector>

class QTextTable;

// One cell of a row definition (\trowd ... \cellx): where its right edge is, how it merges,
// its borders and its shading.
struct RtfCellDefinition
{
    struct Border
    {
        int width = 0;              // twips; 0 is the hairline a word processor shows as 1 px
        std::uint8_t style = 0;     // 0 none, 1 solid, 2 double, 3 dotted, 4 dashed
        QColor color;
    };
    enum Side { Top, Left, Bottom, Right };

    int right = 0;                      // \cellx, twips from the row's left edge
    std::uint8_t horizontalMerge = 0;   // 1 \clmgf, 2 \clmrg
    std::uint8_t verticalMerge = 0;     // 1 \clvmgf, 2 \clvmrg
    std::uint8_t verticalAlignment = 0; // 0 top, 1 centre, 2 bottom
    Border borders[4];
    QColor pattern;                     // \clcfpat
    QColor background;                  // \clcbpat
    int shading = 0;                    // \clshdng, hundredths of a percent of the pattern colour

    QColor fill() const;
};

// A row's definition as the words before (or, for nested rows, after) its cells give it.
struct RtfRowDefinition
{
    static constexpr std::size_t maxCells = 1000;

    std::vector<RtfCellDefinition> cells;
    RtfCellDefinition next;   // the cell whose words are being read
    int gap = -1;             // \trgaph: half the space between two cells' text, twips
    int borderSide = -1;      // the cell side that \brdr... words describe now; -1 none
};

// Builds QTextTables from what the reader finds between \trowd and \row. A cell's contents
// are recorded while the row is read and written into the table once the table is complete,
// because only then are the grid's columns known: the union of every row's cell edges, over
// which a cell of a row with other widths spans several columns.
//
// A long table in the document itself is written as consecutive tables of at most 50 rows,
// one long table to everything else (TableContinuation.h).
//
// Tables nest: a cell's contents may hold a table of the next level. Levels beyond
// `maxDepth` are read as the deepest one, and rows beyond a sane width keep their text in the
// last cell, so no file's text is lost, however its tables are made.
class RtfTableBuilder
{
public:
    // Each level of nesting doubles what the editing area's layout does for the innermost
    // cell (8 levels take about 0.1 s to lay out, 16 about 30 s); no real document nests
    // tables half as deep.
    static constexpr int maxDepth = 8;
    static constexpr int maxColumns = 63;      // as many cells as a word processor's row holds
    static constexpr int maxGridColumns = 256;

    explicit RtfTableBuilder(RtfDocumentBuilder &builder) : m_builder(builder) {}

    // The nesting level of what the reader appends next (0 outside tables): tables deeper than
    // it are complete, and a table at level 0 is written into the document.
    void setLevel(int level);
    int level() const { return int(m_open.size()); }

    // The cell at the current level ends with a paragraph in `format`.
    void endCell(const QTextBlockFormat &format);
    // The row at `level` ends, with the cells `definition` gives.
    void endRow(int level, const RtfRowDefinition &definition);

private:
    struct Row
    {
        std::vector<RtfRecording> cells;
        RtfRowDefinition definition;
    };
    struct Table
    {
        std::vector<Row> rows;
        Row open;                 // cells ended, row not yet
        RtfRecording cell;        // the cell being read
    };
    struct PlacedCell
    {
        int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
        const RtfCellDefinition *definition = nullptr;
        std::vector<const RtfRecording *> contents;
    };

    void open();
    void close();
    void recordIntoCurrentCell();
    void write(int index, bool outermost);
    static std::vector<int> pieceStarts(const std::vector<PlacedCell> &cells, int rows);
    static double topBorder(std::vector<PlacedCell>::const_iterator begin,
                            std::vector<PlacedCell>::const_iterator end, int row);
    void writeCells(QTextTable &table, std::vector<PlacedCell>::const_iterator begin,
                    std::vector<PlacedCell>::const_iterator end, int firstRow);
    std::vector<PlacedCell> place(Table &table, std::vector<int> &gridEdges) const;

    RtfDocumentBuilder &m_builder;
    std::deque<Table> m_tables;   // every table of the outermost open one, nested ones by index
    std::vector<int> m_open;      // the open tables, outermost first
};
