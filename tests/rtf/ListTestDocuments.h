#pragma once

#include <QStringList>

#include <memory>

class QTextDocument;

// Each paragraph as "<level>:<marker>|<text>" for a list item (level 0 the outermost, a bullet
// shown as "disc", "circle" or "square"), as "|<text>" outside lists: "1:a)|Sub".
QStringList describeLists(const QTextDocument &document);

// The document's text with "\n" between paragraphs and each list item's marker and a tab
// before its text, as word processors export lists to text.
QString textWithListMarkers(const QTextDocument &document);

// A numbered and a bulleted list of two levels each, with a paragraph between them:
//   1. One / a) One-a / b) One-b / 2. Two // Between // • Dot / ◦ Circle / • Dot again
std::unique_ptr<QTextDocument> makeListDocument();
