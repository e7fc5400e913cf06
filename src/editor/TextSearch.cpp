#include "editor/TextSearch.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace {

// Blocks are gathered into pieces before each look: the first piece is small, since the next
// match is often near (Replace All), and each further one twice as big up to the largest, so
// that a document of many short paragraphs costs a few scans, not one call per paragraph.
constexpr int kFirstPieceSize = 256;
constexpr int kLargestPieceSize = 64 * 1024;

bool isBreak(char16_t c) { return c == 0x2029 || c == 0x2028 || c == 0xFDD0 || c == 0xFDD1; }

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

// Reads the document's text from `from` block by block, each block followed by the "\n" that
// separates it from the next.
class BlockReader
{
public:
    BlockReader(const QTextDocument &document, int from)
        : m_block(document.findBlock(from)), m_skip(from - m_block.position())
    {
    }

    bool atEnd() const { return !m_block.isValid(); }

    void appendNext(QString &to)
    {
        QString text = m_block.text();
        if (m_skip > 0) {
            text.remove(0, m_skip);
            m_skip = 0;
        }
        to += text;
        m_block = m_block.next();
        if (m_block.isValid())
            to += QLatin1Char('\n');
    }

private:
    QTextBlock m_block;
    int m_skip;
};

} // namespace

namespace TextSearch {

int Find(const QTextDocument &document, const QString &what, int from, const CaseRule &rule)
{
    from = std::max(from, 0);
    if (from >= textLength(document))
        return -1;
    if (what.isEmpty())
        return from;

    QString needle = what;
    makeComparable(needle, rule);
    // The last characters of one piece stay for the next, so a match across the seam is found.
    const int overlap = int(needle.size()) - 1;

    const bool comparing = piecesNeedComparing(needle, rule);
    BlockReader reader(document, from);
    QString piece;
    int pieceStart = from;
    int pieceSize = kFirstPieceSize;
    while (!reader.atEnd()) {
        const int unread = int(piece.size());
        while (!reader.atEnd() && piece.size() < pieceSize)
            reader.appendNext(piece);
        pieceSize = std::min(pieceSize * 2, kLargestPieceSize);
        if (comparing)
            makeComparable(piece, rule, unread);
        const qsizetype at = piece.indexOf(needle);
        if (at >= 0)
            return pieceStart + int(at);
        const int drop = std::max(0, int(piece.size()) - overlap);
        piece.remove(0, drop);
        pieceStart += drop;
    }
    return -1;
}

bool HoldsAt(const QTextDocument &document, int position, const QString &what, const CaseRule &rule)
{
    if (position < 0 || position + what.size() > textLength(document))
        return false;
    QString held;
    BlockReader reader(document, position);
    while (!reader.atEnd() && held.size() < what.size())
        reader.appendNext(held);
    held.truncate(what.size());
    QString wanted = what;
    makeComparable(held, rule);
    makeComparable(wanted, rule);
    return held == wanted;
}

} // namespace TextSearch
