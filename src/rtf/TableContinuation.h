#pragma once

#include <QTextFormat>

class QTextBlock;
class QTextDocument;
class QTextTable;

// A long table is read as consecutive tables of at most `rowsPerTable` rows each, because Qt lays
// out a table whole, and again after any change in any of its cells: one table of 150,000 rows
// took 20 s to show and 17 s a key. Between two tables Qt always keeps a paragraph; that paragraph
// carries `property`, takes no room on the screen and is no paragraph of the document: it is
// a seam, and the tables on both sides of it are one table to the writer, to plain text, to
// lines and to the caret. A seam still takes a position (Text shows it as U+FFFC, as it shows
// a picture, just before the "\n" that ends the row above it; plain text leaves it out).
// Should text ever get into it, or a table beside it go, it is an ordinary paragraph again.
//
// Qt also keeps a paragraph in front of a table that starts the document. When the file itself
// starts with the table, the reader makes that paragraph a seam too: it is no line on the
// screen nor in plain text, and the writer writes the file starting with its table.
namespace TableContinuation {

constexpr int property = QTextFormat::UserProperty + 0x4c30;

// How many rows each table of a long table holds at most: few enough that laying out one
// costs about what a key costs elsewhere.
constexpr int rowsPerTable = 50;

// The format of the paragraph between two tables of one long table.
QTextBlockFormat seamFormat();

// `format` without what makes a seam: the format of an ordinary paragraph.
QTextBlockFormat withoutSeam(QTextBlockFormat format);

// Whether `block` is an empty paragraph with the seam's property between two tables, or in
// front of a table at the document's start.
bool isSeam(const QTextBlock &block);

// Whether `block` is the seam in front of a table at the document's start.
bool leadsDocument(const QTextBlock &block);

// The seam that continues `table` in the table after it; an invalid block if there is none.
QTextBlock seamAfter(const QTextTable &table);

// The seam that `table` continues the table before across; an invalid block if there is none.
QTextBlock seamBefore(const QTextTable &table);

// The tables on both sides of a seam (none before one that leads the document).
QTextTable *tableBefore(const QTextBlock &seam);
QTextTable *tableAfter(const QTextBlock &seam);

// Whether the mark at `position` ends a table that a seam continues.
bool endsContinuedTable(const QTextDocument &document, int position);

} // namespace TableContinuation
