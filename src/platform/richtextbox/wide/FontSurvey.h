#pragma once

#include <QList>

class QFont;
class QTextDocument;

// One pass over a document just put in place, before its first paint:
//
// - It meets every font the layout will meet: each character format's font, and the fallback
//   fonts its text needs (Cyrillic, CJK). Meeting a font the first time (fontconfig's matching,
//   loading the font, shaping with it) made the first steps of the background layout after Open
//   take 9 to 26 ms instead of 3, and a key arriving during one waited for it; paid here, it is
//   part of Open.
// - It estimates the widest paragraph of the body (not in a table), unbroken, from the widths of
//   its characters in their fonts: lines that don't wrap are laid out at that width from the
//   first layout (WideContent), not at the window's until the layout reaches the widest
//   paragraph and then all over again.
namespace FontSurvey {

struct Survey
{
    // The estimated width of the widest paragraph of the body, margins included, as
    // WideContent measures it once laid out; 0 when the body has no text.
    qreal widestParagraph = 0;
    // The fonts met, to be kept while the document is shown: Qt's font cache lets go of a font
    // (and of its fallback fonts) that nothing holds, and the layout would meet it afresh.
    QList<QFont> fonts;
};

Survey survey(const QTextDocument &document);

} // namespace FontSurvey
