#pragma once

#include <QStringView>

#include <functional>

class QTextDocument;

namespace TextRuns {

// Calls `run` for each stretch of the document's text in one character format, in the
// document's order: its text (with the block separators, or without them where it is read block by block), its position in the document and the
// index of its format in QTextDocument::allFormats(). Where QtPrivateState::usable(), it reads
// Qt's own pieces of the text in place; otherwise block by block, each piece copied.
void forEach(const QTextDocument &document,
             const std::function<void(QStringView text, int position, int formatIndex)> &run);

} // namespace TextRuns
