#pragma once

#include "rtf/write/RtfOutput.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

class RtfOutput;

// The font table: each family once, numbered in order of first use. Font 0 is the document's
// default font, which the header names with \deff0.
class RtfFontTable
{
public:
    explicit RtfFontTable(const QString &defaultFamily);

    int indexOf(const QString &family);
    // A font that a kept group names, as its file declared it (charset -1: none declared): the
    // entry of that family written with the same character set, else one of its own, so that
    // the group's bytes decode as they did.
    int indexOf(const QString &family, int charset, const QByteArray &familyClass);
    // An entry of `family` whose text reads as letters, never as a symbol font's symbols.
    int lettersIndexOf(const QString &family);
    void write(RtfOutput &out) const;
    // The printable ASCII characters that a reader reads as others from their bytes in font
    // `index`, as the table declares it: a symbol font's symbols, a code page's own characters
    // ('\\' is the yen sign in Japanese ones). Text in the font writes them as \uN.
    RtfOutput::AsciiSet asciiReadOtherwise(int index);
    // The character sets the fonts were declared with when the document was read; a font
    // keeps its own, so other readers decode its text as before.
    void setDeclaredCharsets(const QHash<QString, int> &charsets) { m_declaredCharsets = charsets; }
    // The classes (froman, ...) and pitches (\fprq) the fonts were declared with: a reader
    // that lacks a font picks its stand-in by them. Others get the class their name implies.
    void setDeclaredLooks(const QHash<QString, QByteArray> &classes, const QHash<QString, int> &pitches)
    {
        m_declaredClasses = classes;
        m_declaredPitches = pitches;
    }
    // The code page the file declares when it keeps groups of another file: a font whose
    // character set names no code page is read in it.
    void setKeptCodePage(int codePage) { m_keptCodePage = codePage; }

private:
    int charsetOf(int index) const;
    // The printable ASCII characters that the code page of font `index` reads as others.
    RtfOutput::AsciiSet codePageReadsOtherwise(int index) const;

    QHash<QString, int> m_declaredCharsets;
    QHash<QString, QByteArray> m_declaredClasses;
    QHash<QString, int> m_declaredPitches;
    int m_keptCodePage = 1252;
    QList<QString> m_families;
    QHash<QString, int> m_indexes;
    struct DeclaredFont
    {
        int charset;
        QByteArray familyClass;
    };
    QHash<int, DeclaredFont> m_keptFonts;   // by index: the entries added for kept groups
    QHash<int, RtfOutput::AsciiSet> m_asciiReadOtherwise;   // by index, as they are asked for
    mutable QHash<int, RtfOutput::AsciiSet> m_codePageReadsOtherwise;   // by code page
};

// The colour table: each colour once, numbered from 1 in order of first use; entry 0 is the
// "automatic" colour that RTF readers take for the default.
class RtfColorTable
{
public:
    int indexOf(QColor color);
    void write(RtfOutput &out) const;

private:
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_indexes;
};
