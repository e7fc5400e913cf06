#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

class RtfColorTable;
class RtfFontTable;

// A kept group (a header, a footnote, ...) names fonts and colours by the numbers of the file it
// came from, and the writer numbers its own tables afresh. So the reader keeps, beside the kept
// groups, what each number meant, and the writer adds those fonts and colours to the saved
// file's tables and writes the groups with the numbers they have there.
struct KeptFont
{
    QString name;
    int charset = -1;     // \fcharset, -1 when the file declared none
    QByteArray family;    // froman, fswiss, ... as declared; empty when none was

    bool operator==(const KeptFont &) const = default;
};

struct KeptRtfTables
{
    QHash<int, KeptFont> fonts;   // by the file's \f number
    QList<QColor> colors;         // by the file's colour number; an invalid colour is "automatic"
    int defaultFont = -1;         // \deff; text without \f (after \plain, say) is in this font

    bool isEmpty() const { return fonts.isEmpty() && colors.isEmpty(); }
    bool operator==(const KeptRtfTables &) const = default;
};
Q_DECLARE_METATYPE(KeptRtfTables)

// The family class word of a font table entry ("froman", ...) for `word`, or null when it is
// none.
const char *rtfFontFamilyWord(QByteArrayView word);

// The index in `fonts` of the font that `number` names in `tables`: the file's default font
// for a number the file's table lacks; -1 when the tables say nothing about it.
int savedFontIndex(const KeptRtfTables &tables, int number, RtfFontTable &fonts);

// `groups` with every font and colour number replaced by the number the same font or colour
// has in the saved file's tables, which gain what they lack. Only the number of a control word
// changes: text, \'hh, picture and object data (hex or \bin) and every other word stay byte for
// byte. Style numbers (\s, \cs, ...) stay as they are: the saved file has no style sheet, so a
// reader takes them for the default style, and the groups' own words carry their look. A font
// the file's table lacks becomes the file's default font, a colour it lacks "automatic".
// Without tables (a group kept before they were known) the bytes are returned unchanged.
QByteArray renumberKeptGroups(const QByteArray &groups, const KeptRtfTables &tables,
                              RtfFontTable &fonts, RtfColorTable &colors);
