#include "editor/spelling/WordSplitter.h"

#include "editor/spelling/SpellingDictionary.h"
#include "rtf/KeptRtfParts.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

namespace WordSplitter {
namespace {

constexpr int kSymbolCharset = 2; // \fcharset2

bool isApostrophe(QChar c) { return c == u'\'' || c == u'\u2019'; }

// What a word is made of, and what glues to a word and keeps it from being judged.
bool disqualifies(QChar c)
{
    return c.isNumber() || c == u'_' || c.isSurrogate() || c.category() == QChar::Other_PrivateUse;
}

bool isWordCharacter(QChar c) { return c.isLetter() || c.isMark() || disqualifies(c); }

// Pieces of text between spaces; a picture or an object is a space here.
bool separates(QChar c) { return c.isSpace() || c == QChar::ObjectReplacementCharacter || c.category() == QChar::Other_Control; }

bool isAddress(QStringView chunk)
{
    return chunk.contains(u'@') || chunk.contains(u"://")
        || chunk.startsWith(u"www.", Qt::CaseInsensitive);
}

// An apostrophe joins a word only between two of its characters.
bool joins(QStringView text, int index, int runStart, int end)
{
    return index > runStart && index + 1 < end && isApostrophe(text[index]) && isWordCharacter(text[index + 1]);
}

} // namespace

QList<Word> words(QStringView text, int from, int to)
{
    QList<Word> found;
    const int end = to < 0 ? int(text.size()) : std::min(to, int(text.size()));
    int i = std::max(0, from);
    // A piece cut at the start of the range may be an address or a word cut in two: skipped.
    if (i > 0)
        while (i < end && !separates(text[i]))
            ++i;
    while (i < end) {
        while (i < end && separates(text[i]))
            ++i;
        const int chunkStart = i;
        while (i < end && !separates(text[i]))
            ++i;
        if (i == end && end < text.size() && !separates(text[end]))
            break; // cut at the end of the range
        const QStringView chunk = text.mid(chunkStart, i - chunkStart);
        if (chunk.isEmpty() || isAddress(chunk))
            continue;
        for (int j = chunkStart; j < i;) {
            if (!isWordCharacter(text[j])) {
                ++j;
                continue;
            }
            const int runStart = j;
            bool judged = true;
            bool hasLetter = false;
            while (j < i && (isWordCharacter(text[j]) || joins(text, j, runStart, i))) {
                judged = judged && !disqualifies(text[j]);
                hasLetter = hasLetter || text[j].isLetter();
                ++j;
            }
            if (judged && hasLetter && j - runStart <= SpellingDictionary::kLongestWord)
                found.append({runStart, j - runStart});
        }
    }
    return found;
}

Word runAt(QStringView text, int position)
{
    const int size = int(text.size());
    const auto joinsAt = [&](int k) {
        return k > 0 && k + 1 < size && isApostrophe(text[k]) && isWordCharacter(text[k - 1])
            && isWordCharacter(text[k + 1]);
    };
    int start = std::clamp(position, 0, size);
    int end = start;
    while (start > 0 && (isWordCharacter(text[start - 1]) || joinsAt(start - 1)))
        --start;
    while (end < size && (isWordCharacter(text[end]) || joinsAt(end)))
        ++end;
    return {start, end - start};
}

bool isSymbolFont(const QTextCharFormat &format, const QStringList &symbolFamilies)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (families.isEmpty())
        return false;
    const QString &family = families.first();
    static const QStringList named{QStringLiteral("Symbol"), QStringLiteral("Webdings"),
                                   QStringLiteral("OpenSymbol"), QStringLiteral("Marlett"),
                                   QStringLiteral("MT Extra"), QStringLiteral("Zapf Dingbats"),
                                   QStringLiteral("ZapfDingbats")};
    return family.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive)
        || named.contains(family, Qt::CaseInsensitive) || symbolFamilies.contains(family, Qt::CaseInsensitive);
}

QStringList symbolFamilies(const QTextDocument &document)
{
    QStringList families;
    const KeptRtfParts parts = keptRtfParts(document);
    for (auto it = parts.fontCharsets.cbegin(); it != parts.fontCharsets.cend(); ++it)
        if (it.value() == kSymbolCharset)
            families << it.key();
    return families;
}

QList<Word> wordsOfBlock(const QTextBlock &block, QStringView text, int from, int to, const QStringList &symbolFamilies)
{
    QList<Word> found = words(text, from, to);
    if (found.isEmpty())
        return found;
    const int blockStart = block.position();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!isSymbolFont(fragment.charFormat(), symbolFamilies))
            continue;
        const int start = fragment.position() - blockStart;
        const int end = start + fragment.length();
        found.removeIf([&](const Word &word) { return word.start < end && word.start + word.length > start; });
    }
    return found;
}

} // namespace WordSplitter
