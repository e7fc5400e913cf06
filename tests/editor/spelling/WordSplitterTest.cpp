// Which pieces of a text spelling judges, and what the dictionary makes of hostile words.
#include "editor/spelling/SpellingDictionary.h"
#include "editor/spelling/WordSplitter.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char16_t *text;
    QStringList words;
};

QStringList wordsOf(const QString &text)
{
    QStringList found;
    for (const WordSplitter::Word &word : WordSplitter::words(text))
        found << text.mid(word.start, word.length);
    return found;
}

class WordSplitterTest : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(WordSplitterTest, FindsTheWordsSpellingJudges)
{
    EXPECT_EQ(wordsOf(QString::fromUtf16(GetParam().text)), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WordSplitterTest,
    ::testing::Values(
        SplitCase{u"This sentense is rong.", {"This", "sentense", "is", "rong"}},
        SplitCase{u"don't 'quoted' O\u2019Brien", {"don't", "quoted", "O\u2019Brien"}},
        SplitCase{u"well-known, e.g. x", {"well", "known", "e", "g", "x"}},
        // Words with digits, underscores and codes are not judged.
        SplitCase{u"A4 2nd file_name 1998 word", {"word"}},
        // Addresses are left out whole.
        SplitCase{u"see https://exmaple.org/pathh or www.exmaple.com, mail bob@exmaple.org now",
                  {"see", "or", "mail", "now"}},
        // A private-use character or half a surrogate pair makes its run no word.
        SplitCase{u"ab\uE000cd ok \xD800zz \xDC00yy pair\U0001F600", {"ok"}},
        SplitCase{u"naïve Über \u0436\u0443\u043A", {"naïve", "Über", "\u0436\u0443\u043A"}},
        SplitCase{u"picture\uFFFCtext\ttab", {"picture", "text", "tab"}}));

TEST(WordSplitterTest, RangesLeaveOutTheWordsTheyCut)
{
    const QString text = QStringLiteral("alpha beta gamma delta");
    QStringList found;
    for (const WordSplitter::Word &word : WordSplitter::words(text, 2, 16))
        found << text.mid(word.start, word.length);
    EXPECT_EQ(found, (QStringList{"beta", "gamma"}));
}

TEST(WordSplitterTest, RunAtFindsTheWordAroundAPosition)
{
    const QString text = QStringLiteral("say don't go");
    EXPECT_EQ(WordSplitter::runAt(text, 6), (WordSplitter::Word{4, 5}));
    EXPECT_EQ(WordSplitter::runAt(text, 9), (WordSplitter::Word{4, 5})); // at its end
    EXPECT_EQ(WordSplitter::runAt(QStringLiteral("a. "), 3).length, 0);
}

TEST(WordSplitterTest, AMegabyteWordIsSplitQuicklyAndNotJudged)
{
    const QString text = QStringLiteral("start ") + QString(1 << 20, QLatin1Char('x')) + QStringLiteral(" end");
    EXPECT_EQ(wordsOf(text), (QStringList{"start", "end"}));
}

// The dictionary of English as Debian installs it; the cases below need it.
std::unique_ptr<SpellingDictionary> english()
{
    return SpellingDictionary::load(QStringLiteral("en_US"), SpellingDictionary::systemFolders());
}

TEST(SpellingDictionaryTest, SuggestsCorrectionsForAKnownMisspelling)
{
    const auto dictionary = english();
    if (!dictionary)
        GTEST_SKIP() << "no English dictionary installed (Debian's hunspell-en-us)";
    EXPECT_TRUE(dictionary->check(u"sentence"));
    EXPECT_FALSE(dictionary->check(u"sentense"));
    const QStringList suggestions = dictionary->suggest(u"sentense", 5);
    EXPECT_LE(suggestions.size(), 5);
    EXPECT_EQ(suggestions.value(0), QStringLiteral("sentence"));
}

TEST(SpellingDictionaryTest, HostileWordsAreNotGivenToHunspell)
{
    const auto dictionary = english();
    if (!dictionary)
        GTEST_SKIP() << "no English dictionary installed (Debian's hunspell-en-us)";
    const QString huge(1 << 20, QLatin1Char('q'));
    const QString brokenPair = QStringLiteral("ab") + QChar(0xD800) + QStringLiteral("cd");
    const QString privateUse = QString(3, QChar(0xE000));
    for (const QString &word : {huge, brokenPair, privateUse}) {
        EXPECT_FALSE(dictionary->judges(word));
        EXPECT_TRUE(dictionary->check(word));
        EXPECT_TRUE(dictionary->suggest(word, 5).isEmpty());
    }
    // An English dictionary has nothing to say of Russian.
    EXPECT_FALSE(dictionary->judges(u"\u0436\u0443\u043A"));
}

TEST(SpellingDictionaryTest, TheLocaleNamesTheLanguageAndEnglishIsTheFallback)
{
    qputenv("LC_ALL", "de_CH.UTF-8@euro");
    EXPECT_EQ(SpellingDictionary::userLanguage(), QStringLiteral("de_CH"));
    qputenv("LC_ALL", "C");
    EXPECT_EQ(SpellingDictionary::userLanguage(), QString());
    qunsetenv("LC_ALL");
    const auto dictionary = SpellingDictionary::load(QStringLiteral("xx_YY"), SpellingDictionary::systemFolders());
    if (!dictionary)
        GTEST_SKIP() << "no English dictionary installed (Debian's hunspell-en-us)";
    EXPECT_EQ(dictionary->name(), QStringLiteral("en_US"));
}

} // namespace
