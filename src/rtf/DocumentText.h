#pragma once

#include <QString>

class QTextDocument;

// A document's characters as the editing area counts them (`Text`, `SelText`, searching, plain
// text): one character per position of the document. A paragraph break and each mark of a
// table's structure is one position; the end of a table cell that another cell of its row
// follows shows as a tab, every other break as "\n", so a table reads as rows of
// tab-separated cells, one row a line. The end of a table that a seam continues
// (TableContinuation.h) is U+FFFC, which plain text leaves out, so that a long table read in
// pieces reads as the one table it is.
namespace DocumentText {

// Qt's own characters for a paragraph's end and a table's (or other frame's) start and end.
// None of them is text: a file writes them as control words.
constexpr bool isStructureMark(char32_t c)
{
    return c == 0x2029 || c == 0xFDD0 || c == 0xFDD1;
}

// Whether the document holds a table (or another frame) at all: without one, every break is
// a line break and the raw text can be used as it is.
bool hasFrames(const QTextDocument &document);

// Turns every break in `text`, the raw characters of `document` from position `from` on,
// into the tab or line break it shows as. Tables are looked up only at their own marks.
void countBreaks(const QTextDocument &document, QString &text, int from);

// The characters between two positions, breaks already counted. Unlike a cursor's selection,
// this is the plain range even across table cells.
QString between(const QTextDocument &document, int from, int to);

} // namespace DocumentText
