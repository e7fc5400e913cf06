#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

#include <array>

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
inline const char *rtfFontFamilyWord(QByteArrayView word)
{
    static const std::array<const char *, 8> families{"fnil", "froman", "fswiss", "fmodern",
                                                      "fscript", "fdecor", "ftech", "fbidi"};
    for (const char *family : families) {
        if (word == family)
            return family;
    }
    return nullptr;
}
