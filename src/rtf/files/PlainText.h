#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QTextBlock;
class QTextDocument;

// Plain-text files as Linux keeps them: UTF-8, "\n" between paragraphs.

// Plain text is a conversion, not the document's characters: it carries what a reader needs
// that plain text can't hold. Each list item starts with its marker as the list draws it and a
// tab ("1.\t", "\u2022\t"), which `Text` and positions never count; pictures leave nothing
// behind, a line break inside a paragraph becomes "\n" too, and no-break spaces stay.
QString plainCharactersOf(const QTextDocument &document);
// The same for the characters of `document` from position `from` on, one a position as
// `Text` counts them (breaks already counted): what a selection copies as plain text.
QString plainTextOfRange(const QTextDocument &document, QString characters, int from);
// The marker and tab a list item's paragraph starts with in plain text; empty for another
// paragraph, and for an item whose marker is already text at its start.
QString listMarkerOf(const QTextBlock &block);
// The same, as the bytes of a file.
QByteArray plainTextOf(const QTextDocument &document);

// A document holding the text of a file: UTF-8, with or without a byte-order mark, or UTF-16
// with one; bytes that are not UTF-8 are read as Windows-1252, the likeliest older encoding.
// "\r\n", "\r" and "\n" all end a paragraph.
std::unique_ptr<QTextDocument> documentFromPlainText(const QByteArray &bytes);
