#pragma once

#include <QByteArray>
#include <QString>

// Plain-text files in a code page, as the facade loads and saves them.
namespace PlainTextFile {

// Text read from a file, and the code page its bytes were read in.
struct Decoded
{
    QString text;
    int codePage;
};

// Text from a file's bytes: UTF-16 when the bytes begin with its byte-order mark (FF FE for
// little-endian, FE FF for big-endian, the mark itself dropped), the code page otherwise.
// Bytes the code page can't give back as they were (a Latin-1 file under a UTF-8 locale) are
// read as Windows-1252, which gives every byte a character of its own.
Decoded decode(const QByteArray &bytes, int codePage);

// Reads the whole file; a path that names no file gets an empty file and gives empty text.
// Throws Failure when the file can't be created or read.
Decoded read(const QString &path, int codePage);

// The code page to write text in that was read in `readCodePage`: that one while it holds
// every character, so that nothing turns into '?', `codePage` otherwise.
int codePageToWrite(const QString &text, int readCodePage, int codePage);

// Writes the text in the code page, creating or replacing the file. The old file stays as it
// was unless every byte is written. Throws Failure.
void write(const QString &path, const QString &text, int codePage);

} // namespace PlainTextFile
