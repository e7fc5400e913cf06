#include "editor/TextSearch.h"

#include "rtf/DocumentText.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// The text is read and searched in pieces: the first is small, since the next match is often
// near (Replace All), and each further one twice as big up to the largest; a search that goes
// on past them all reads the rest of the text at once.
constexpr int kFirstPieceSize = 256;
constexpr int kLargestPieceSize = 64 * 1024;

// Breaks read by DocumentText are already "\n" or a tab; only the search text may hold others.
bool isBreak(char16_t c) { return c == 0x2028 || DocumentText::isStructureMark(c); }

bool isTurkic(const QLocale &locale)
{
    return locale.language() == QLocale::Turkish || locale.language() == QLocale::Azerbaijani;
}

// Turns the text from `from` on into what the comparison sees, in place: every break a "\n",
// as Text shows it, and, when case is ignored, every letter folded to one case, so that one
// exact scan does the comparison. Folding goes letter for letter (positions stay those of
// Text); where the locale pairs I with ı and İ with i, those two capitals take their own small
// forms first, since Unicode's folding pairs I with i.
void makeComparable(QString &text, const TextSearch::CaseRule &rule, qsizetype from = 0)
{
    const bool fold = !rule.matchCase;
    const bool turkic = fold && isTurkic(rule.locale);
    char16_t *p = reinterpret_cast<char16_t *>(text.data()) + from;
    char16_t *const end = reinterpret_cast<char16_t *>(text.data()) + text.size();
    for (; p != end; ++p) {
        const char16_t c = *p;
        if (c < 0x80) {
            if (fold && c >= u'A' && c <= u'Z')
                *p = turkic && c == u'I' ? char16_t(0x0131) : char16_t(c + (u'a' - u'A'));
        } else if (isBreak(c)) {
            *p = u'\n';
        } else if (!fold) {
        } else if (turkic && c == 0x0130) {
            *p = u'i';
        } else if (QChar::isHighSurrogate(c) && p + 1 != end && QChar::isLowSurrogate(p[1])) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, p[1]));
            p[0] = QChar::highSurrogate(folded);
            p[1] = QChar::lowSurrogate(folded);
            ++p;
        } else {
            *p = char16_t(QChar::toCaseFolded(char32_t(c)));
        }
    }
}

// Whether pieces of the document must pass through makeComparable: not when case matters and
// the search text holds no break, since a break in the document then matches nothing anyway.
bool piecesNeedComparing(const QString &needle, const TextSearch::CaseRule &rule)
{
    return !rule.matchCase || needle.contains(QLatin1Char('\n'));
}

int textLength(const QTextDocument &document) { return document.characterCount() - 1; }

// The text between two positions as Text shows it; each break is one character.
QString textBetween(const QTextDocument &document, int from, int to)
{
    return DocumentText::between(document, from, to);
}

// A match from one table cell into another cannot be selected: the editing area selects whole
// cells then, and replacing would take the cells' other text with it.
bool selectable(const QTextDocument &document, int position, int length)
{
    if (!DocumentText::hasFrames(document))
        return true;
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    return cursor.selectionStart() == position && cursor.selectionEnd() == position + length;
}

// The first match in `text` (which starts at document position `offset`) at or after index
// `from` that can be selected; -1 when none.
qsizetype firstSelectable(const QTextDocument &document, const QString &text, const QString &needle,
                          qsizetype from, int offset)
{
    for (qsizetype at = text.indexOf(needle, from); at >= 0; at = text.indexOf(needle, at + 1)) {
        if (selectable(document, offset + int(at), int(needle.size())))
            return at;
    }
    return -1;
}

} // namespace

namespace TextSearch {

int Find(const QTextDocument &document, const QString &what, int from, const CaseRule &rule)
{
    const int length = textLength(document);
    from = std::max(from, 0);
    if (from >= length)
        return -1;
    if (what.isEmpty())
        return from;

    QString needle = what;
    makeComparable(needle, rule);
    const bool comparing = piecesNeedComparing(needle, rule);
    // Each piece starts again this many characters before the end of the last, so that a
    // match across the seam is found.
    const int overlap = int(needle.size()) - 1;
    int end = from;
    for (int pieceSize = kFirstPieceSize; end < length && pieceSize <= kLargestPieceSize; pieceSize *= 2) {
        const int start = std::max(from, end - overlap);
        end = std::min(length, end + pieceSize);
        QString piece = textBetween(document, start, end);
        if (comparing)
            makeComparable(piece, rule);
        const qsizetype at = firstSelectable(document, piece, needle, 0, start);
        if (at >= 0)
            return start + int(at);
    }
    if (end >= length)
        return -1;

    // Far from where it started, the search reads the rest of the text at once: one copy of
    // the whole text costs less than reading on piece by piece.
    QString text = document.toRawText();
    const int start = std::max(from, end - overlap);
    if (DocumentText::hasFrames(document))
        DocumentText::countBreaks(document, text, 0);
    if (comparing)
        makeComparable(text, rule, start);
    return int(firstSelectable(document, text, needle, start, 0));
}

bool HoldsAt(const QTextDocument &document, int position, const QString &what, const CaseRule &rule)
{
    if (position < 0 || position + what.size() > textLength(document))
        return false;
    QString held = textBetween(document, position, position + int(what.size()));
    QString wanted = what;
    makeComparable(held, rule);
    makeComparable(wanted, rule);
    return held == wanted && selectable(document, position, int(what.size()));
}

} // namespace TextSearch
