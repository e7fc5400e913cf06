#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Conversions between text and the bytes of Windows code pages (1252, 1251, 932, 936, 950,
// 10000, 65001 for UTF-8, ...), as RTF files and the facade's plain-text files need them.
namespace CodePages {

// Decodes bytes of the code page; an unknown code page is read as Windows-1252.
QString toUnicode(QByteArrayView bytes, int codePage);

// Encodes text in the code page; characters it cannot hold become '?'. `lossless`, when given,
// tells whether every character could be encoded.
QByteArray fromUnicode(QStringView text, int codePage, bool *lossless = nullptr);

bool isSupported(int codePage);

// The code page of an RTF \fcharset value (0 ANSI -> 1252, 204 Cyrillic -> 1251, ...), or 0
// when the character set implies none (symbol fonts, the default character set).
int codePageForCharset(int charset);

// The code page of the user's locale: 65001 on a UTF-8 system, as nearly every Linux system is.
int systemCodePage();

// The 256 characters of a single-byte code page, indexed by byte, or nullptr for a multi-byte
// page (932, 936, 949, 950, 65001, ...). Built once per page, so a reader can decode a byte
// with one lookup.
const char16_t *singleByteTable(int codePage);

// Whether the code page needs a second byte after `byte` (a lead byte of 932, 936, 949, 950).
bool isLeadByte(int codePage, unsigned char byte);

} // namespace CodePages
