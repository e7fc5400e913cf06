#pragma once

class QTextTable;

// Rows added to a table while editing.
namespace TableRows {

// Adds a row at the end of `table` that goes on as its last row does, as word processors add
// one for Tab in the last cell: the same cells (merged across the same columns, so of the same
// widths), each with the borders, padding, shading and vertical alignment of the cell above,
// the paragraph format of that cell's first paragraph and the character format its text
// starts with. Qt's own new row has cells of one format, without borders or shading, in the
// editing area's font.
void appendLikeLast(QTextTable &table);

} // namespace TableRows
