#pragma once

#include <QByteArray>
#include <QString>

// Plain-text files in a code page, as the facade loads and saves them.
namespace PlainTextFile {

// Text from a file's bytes: UTF-16 when the bytes begin with its byte-order mark (FF FE for
// little-endian, FE FF for big-endian, the mark itself dropped), the code page otherwise.
QString decode(const QByteArray &bytes, int codePage);

// Reads the whole file; a path that names no file gets an empty file and gives empty text.
// Throws Failure when the file can't be created or read.
QString read(const QString &path, int codePage);

// Writes the text in the code page, creating or replacing the file. The old file stays as it
// was unless every byte is written. Throws Failure.
void write(const QString &path, const QString &text, int codePage);

} // namespace PlainTextFile
