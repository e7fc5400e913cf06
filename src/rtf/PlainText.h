#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QTextDocument;

// Plain-text files as Linux keeps them: UTF-8, "\n" between paragraphs.

// The text of the document: pictures leave nothing behind, a line break inside a paragraph
// becomes "\n" too, and no-break spaces stay no-break spaces.
QString plainCharactersOf(const QTextDocument &document);
// The same, as the bytes of a file.
QByteArray plainTextOf(const QTextDocument &document);

// A document holding the text of a file: UTF-8, with or without a byte-order mark, or UTF-16
// with one; bytes that are not UTF-8 are read as Windows-1252, the likeliest older encoding.
// "\r\n", "\r" and "\n" all end a paragraph.
std::unique_ptr<QTextDocument> documentFromPlainText(const QByteArray &bytes);
