#pragma once

#include "rtf/KeptRtfNumbers.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextFormat>

class QTextDocument;

// What an RTF file holds that the editing area does not show, kept with the document from
// opening to saving so that Save As loses none of it:
//
// - document parts: the document information (\info) and the headers and footers, each as
//   the file's own group, byte for byte (but for its font and colour numbers), written back
//   after the font and colour tables;
// - the character set, class and pitch each font was declared with, so a font is written as
//   the file had it;
// - groups anchored in the text (footnotes, comments) live in the character format of the
//   character they follow (see AnchoredGroups), so they move with the text, stay out of the
//   text itself, of Find and of plain-text files, and go wherever the text is written;
// - what the font and colour numbers inside the kept groups meant in their file, so that the
//   writer can number them as its own tables do.
struct KeptRtfParts
{
    QList<QByteArray> documentGroups;   // in the order the file had them
    // The headers and footers of the sections after the first. The editing area has no
    // sections, and readers given several headers of a kind for one section mix them (LibreOffice
    // may run them all together into one). So they
    // are written in a destination of their own, {\*\corvalasections ...}, which other readers
    // skip and this one keeps: the saved file shows the first section's headers on every page,
    // as the one section that the editing area makes of the document.
    QList<QByteArray> laterSectionGroups;
    // \titlepg (the first page has a header of its own, \headerf) and \facingp (left and right
    // pages have theirs), as the first section had them: without them a reader shows the
    // other headers on those pages.
    QByteArray documentWords;
    QHash<QString, int> fontCharsets;   // family -> \fcharset as declared
    // family -> its class (froman, fswiss, ...) and pitch (\fprq) as declared: a reader that
    // lacks the font picks its stand-in by them, which a guess from the name gets wrong
    QHash<QString, QByteArray> fontClasses;
    QHash<QString, int> fontPitches;
    // The code page the kept groups' bytes are in (\ansicpg), 0 when no group was kept. The
    // writer's own text is 7-bit, so the saved file can declare it for the groups' sake.
    int codePage = 0;
    // What the font and colour numbers in the kept groups meant (KeptRtfNumbers.h).
    KeptRtfTables tables;

    bool isEmpty() const
    {
        return documentGroups.isEmpty() && laterSectionGroups.isEmpty() && documentWords.isEmpty()
            && fontCharsets.isEmpty() && fontClasses.isEmpty() && fontPitches.isEmpty() && tables.isEmpty();
    }
};

KeptRtfParts keptRtfParts(const QTextDocument &document);
void keepRtfParts(QTextDocument &document, const KeptRtfParts &parts);

// Character format properties of a character with anchored groups: the raw groups written
// after it (or before it, for groups at the start of a paragraph), and a number that this
// anchor alone has, so that the groups are written once even when text typed next to the
// character takes its format too.
namespace AnchoredGroups {
constexpr int after = QTextFormat::UserProperty + 0x4b50;
constexpr int before = after + 1;
constexpr int anchor = after + 2;
// the KeptRtfTables of the file the groups came from: pasted text brings its own
constexpr int tables = after + 3;
}

// A file may declare one family twice with different character sets (a symbol font as symbols
// in one entry and as letters in another). The font table kept per family (fontCharsets) holds
// the first; text in another of them carries its own, with the family it belongs to, so that it
// is written in an entry of its own and reads back as the same characters (-1: an entry that
// declares none, written with the one its name implies). A family chosen later for the text
// leaves the character set behind.
namespace DeclaredFontCharset {
constexpr int family = QTextFormat::UserProperty + 0x4b58;
constexpr int charset = family + 1;
}

// A paragraph that ends a section: the words that set up the section after it (its orientation,
// page size, columns, kind of break) as the file had them, and a number that this break alone
// has, so that the paragraphs Enter makes of it end the section once, after the last of them.
namespace SectionBreak {
constexpr int settings = QTextFormat::UserProperty + 0x4c48;
constexpr int number = settings + 1;
}
