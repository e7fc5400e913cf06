#include "editor/TextSearch.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace {

// Blocks are gathered into pieces of about this many characters before each look, so that a
// document of many short paragraphs costs one scan, not one call per paragraph.
constexpr int kPieceSize = 64 * 1024;

bool isBreak(QChar c)
{
    const ushort u = c.unicode();
    return u == 0x2029 || u == 0x2028 || u == 0xFDD0 || u == 0xFDD1;
}

bool isTurkic(const QLocale &locale)
{
    return locale.language() == QLocale::Turkish || locale.language() == QLocale::Azerbaijani;
}

// The text as the comparison sees it: every break a "\n", as Text shows it; and, where the
// locale pairs I with ı and İ with i, those two capitals already in their small form, since
// Unicode's own case folding pairs I with i.
void makeComparable(QString &text, const TextSearch::CaseRule &rule, qsizetype from = 0)
{
    const bool turkic = !rule.matchCase && isTurkic(rule.locale);
    QChar *const end = text.data() + text.size();
    for (QChar *p = text.data() + from; p != end; ++p) {
        QChar &c = *p;
        if (isBreak(c))
            c = QLatin1Char('\n');
        else if (turkic && c == QLatin1Char('I'))
            c = QChar(0x0131);
        else if (turkic && c.unicode() == 0x0130)
            c = QLatin1Char('i');
    }
}

Qt::CaseSensitivity sensitivity(const TextSearch::CaseRule &rule)
{
    return rule.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
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

    BlockReader reader(document, from);
    QString piece;
    int pieceStart = from;
    while (!reader.atEnd()) {
        const int unread = int(piece.size());
        while (!reader.atEnd() && piece.size() < kPieceSize)
            reader.appendNext(piece);
        makeComparable(piece, rule, unread);
        const qsizetype at = piece.indexOf(needle, 0, sensitivity(rule));
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
    return QString::compare(held, wanted, sensitivity(rule)) == 0;
}

} // namespace TextSearch
