#pragma once

#include <QColor>
#include <QTextCharFormat>

// Tracked changes: text that an author inserted (\revised) or deleted (\deleted), with the
// author's number in the file's \revtbl (kept with the document's parts) and the time of the
// change as the file packs it (\revdttm). Deleted text stays in the document, struck through,
// and inserted text is underlined, each in its author's colour, so that the reader sees what
// changed; Save As writes both back as revisions, never as the strike-out, underline and colour
// they are shown in: the text's own look is kept beside the change's.
namespace RtfRevision {
constexpr int insertedBy = QTextFormat::UserProperty + 0x4c40;   // \revauth
constexpr int insertedAt = insertedBy + 1;                       // \revdttm
constexpr int deletedBy = insertedBy + 2;                        // \revauthdel
constexpr int deletedAt = insertedBy + 3;                        // \revdttmdel
constexpr int ownLook = insertedBy + 4;    // OwnLook flags: the text's own underline, strike-out
constexpr int ownColor = insertedBy + 5;   // the text's own colour; absent for the automatic one
enum OwnLook { OwnUnderline = 1, OwnStrikeOut = 2 };

inline bool isRevision(const QTextFormat &format)
{
    return format.hasProperty(insertedBy) || format.hasProperty(deletedBy);
}

// Shows the change that `format` carries over the text's own look that it holds.
void show(QTextCharFormat &format);

// The text's own look, without the change: what the writer writes under the revision's words,
// and what text typed inside a change gets, since new text is no part of an old change.
QTextCharFormat withoutRevision(QTextCharFormat format);
} // namespace RtfRevision
