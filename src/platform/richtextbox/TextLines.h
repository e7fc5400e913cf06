#pragma once

#include <QString>

class QTextDocument;

// Lines as the document's layout shows them: a paragraph is as many lines as its text wraps
// to (one when wrapping is off), counted across all paragraphs from 0. Positions are document
// positions, with one position per paragraph break and per picture.
namespace TextLines {

int count(const QTextDocument &document);

// The line that holds `position` (clamped to the document).
int lineFromPosition(const QTextDocument &document, int position);

// The position where `line` begins, or -1 when the document has no such line.
int lineStart(const QTextDocument &document, int line);

// The characters of `line`, without the break that ends it (empty for a missing line).
QString lineText(const QTextDocument &document, int line);

// The first line whose bottom lies below `top` (document coordinates, e.g. the scroll offset).
int firstVisibleLine(const QTextDocument &document, double top);

} // namespace TextLines
