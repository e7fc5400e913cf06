#pragma once

#include "rtf/files/FileForReading.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

class QTextDocument;

// The two file types of the editing area's LoadFile and SaveFile, with their own values.
enum RichTextFileType { rtfRTF = 0, rtfText = 1 };

// Reads a whole file into a new document. Nothing is changed anywhere until the file has been
// read completely, so a caller that swaps the result in only on success never loses its
// current document. Throws Failure with a description that names the reason.
std::unique_ptr<QTextDocument> loadDocument(const QString &path, RichTextFileType type,
                                            ReadableKinds kinds = ReadableKinds::FilesOnly);

// Writes the document to a temporary file beside `path` and moves it into place only when
// every byte is written: a failed save leaves an existing file as it was. Throws Failure.
void saveDocument(const QTextDocument &document, const QString &path, RichTextFileType type);

// Writes bytes as saveDocument writes a document: the old file is replaced only when every
// byte is written. Throws Failure.
void writeWholeFile(const QString &path, const QByteArray &bytes);
// The same, for bytes that `produce` hands to the function it is given, a piece at a time.
void writeFileInPieces(const QString &path,
                       const std::function<void(const std::function<void(QByteArrayView)> &)> &produce);

// The same conversions on bytes in memory, for the clipboard, tests and tools (the way back from
// RTF is `documentFromRtf`, beside the reader).
QByteArray rtfFromDocument(const QTextDocument &document);
// The characters from `from` to `to` as RtfWriter's range writes them; no table may cross an end.
QByteArray rtfFromRange(const QTextDocument &document, int from, int to);
// The same bytes in two parts, written once, none of them held longer than a piece: the body
// handed to `body` a piece at a time, and what goes in front of it returned at the end.
QByteArray rtfBodyFirst(const QTextDocument &document, const std::function<void(QByteArrayView)> &body);
QByteArray rtfBodyFirst(const QTextDocument &document, int from, int to, const std::function<void(QByteArrayView)> &body);
QByteArray plainTextFromDocument(const QTextDocument &document);        // UTF-8
