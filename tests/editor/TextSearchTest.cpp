// The search over the editing area's document: positions as Text counts them, the case rule,
// and documents far longer than a 16-bit position or one piece of the reader.
#include "editor/TextSearch.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A document written in a shorthand: "\n" starts a paragraph, "|" is a line break inside one
// and "#" a picture; each is one character of Text, as is every other character. (Inserted
// text turns each "\n" into a new paragraph.)
std::unique_ptr<QTextDocument> document(const QString &shorthand)
{
    auto doc = std::make_unique<QTextDocument>();
    QTextCursor cursor(doc.get());
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QString run;
    for (const QChar c : shorthand) {
        if (c != QLatin1Char('|') && c != QLatin1Char('#')) {
            run += c;
            continue;
        }
        cursor.insertText(run);
        run.clear();
        if (c == QLatin1Char('|'))
            cursor.insertText(QString(QChar::LineSeparator));
        else
            cursor.insertImage(picture);
    }
    cursor.insertText(run);
    return doc;
}

TextSearch::CaseRule rule(bool matchCase, QLocale locale = QLocale(QLocale::English))
{
    return {matchCase, locale};
}

} // namespace

TEST(TextSearch, FindsAtPositionsAsTextCountsThem)
{
    struct Case { const char *text, *what; int from; bool matchCase; int expected; };
    const Case cases[] = {
        {"abc", "abc", 0, true, 0},
        {"ab\ncd", "cd", 0, true, 3},          // a paragraph break is one character
        {"ab|cd", "cd", 0, true, 3},           // so is a line break inside a paragraph
        {"a#b#c", "c", 0, true, 4},            // and a picture
        {"ab\ncd", "b\nc", 0, true, 1},        // a search text may span the break
        {"ab|cd", "b\nc", 0, true, 1},
        {"xab\nab", "ab", 2, true, 4},         // from a position inside a match: the next one
        {"ab\nab", "ab", 2, true, 3},          // from the break itself
        {"abab", "ab", 1, true, 2},
        {"abc", "abd", 0, true, -1},
        {"abc", "c", 3, true, -1},             // from past the end
        {"abc", "", 1, true, 1},               // an empty text is found where the search starts
        {"abc", "", 3, true, -1},              // but not past the end
        {"", "", 0, true, -1},
        {"ABC abc", "abc", 0, true, 4},
        {"ABC abc", "abc", 0, false, 0},
        {"xÉTÉ", "été", 0, false, 1},
        {"xÉTÉ", "été", 0, true, -1},
        {"Москва", "МОСКВА", 0, false, 0},
    };
    for (const Case &c : cases) {
        const auto doc = document(QString::fromUtf8(c.text));
        EXPECT_EQ(TextSearch::Find(*doc, QString::fromUtf8(c.what), c.from, rule(c.matchCase)), c.expected)
            << c.text << " / " << c.what << " from " << c.from << (c.matchCase ? " matching case" : "");
    }
}

TEST(TextSearch, IgnoringCaseFollowsTheLocale)
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    struct Case { const char *text, *what; QLocale locale; int expected; };
    const Case cases[] = {
        {"kIş", "kış", turkish, 0},
        {"İstanbul", "istanbul", turkish, 0},
        {"KIŞ", "kiş", turkish, -1},
        {"KIŞ", "kiş", english, 0},
    };
    for (const Case &c : cases) {
        const auto doc = document(QString::fromUtf8(c.text));
        EXPECT_EQ(TextSearch::Find(*doc, QString::fromUtf8(c.what), 0, rule(false, c.locale)), c.expected)
            << c.text << " / " << c.what << " in " << c.locale.name().toStdString();
    }
}

TEST(TextSearch, FindsFarIntoLongDocuments)
{
    // Past a 16-bit position, across the seams between the pieces the document is read in and
    // past the last piece, where the rest is read at once,
    // in one long paragraph and in many short ones.
    for (const int at : {40000, 65535, 131325, 200000}) {
        const QString before(at, QLatin1Char('x'));
        const auto longParagraph = document(before + QStringLiteral("needle"));
        EXPECT_EQ(TextSearch::Find(*longParagraph, QStringLiteral("needle"), 0, rule(true)), at) << at;

        QString lines = QString(QStringLiteral("xxxxxxxxx\n")).repeated(at / 10) + QString(at % 10, QLatin1Char('x'));
        const auto shortParagraphs = document(lines + QStringLiteral("ne\nedle"));
        EXPECT_EQ(TextSearch::Find(*shortParagraphs, QStringLiteral("ne\nedle"), 10, rule(true)), at) << at;
    }
}

TEST(TextSearch, HoldsAtComparesTheRangeUnderTheCaseRule)
{
    const auto doc = document(QStringLiteral("one Two\nthree#"));
    struct Case { int position; const char *what; bool matchCase; bool expected; };
    const Case cases[] = {
        {4, "Two", true, true},
        {4, "two", true, false},
        {4, "two", false, true},
        {5, "two", false, false},
        {6, "o\nt", true, true},
        {13, "\xEF\xBF\xBC", true, true},      // the picture
        {12, "e\xEF\xBF\xBC", true, true},
        {13, "#x", true, false},               // runs past the end
        {-1, "o", true, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TextSearch::HoldsAt(*doc, c.position, QString::fromUtf8(c.what), rule(c.matchCase)), c.expected)
            << c.position << " / " << c.what;
}

TEST(TextSearch, FindsInTablesAsTextShowsThemButNeverAcrossCells)
{
    // "x", a row of cells "ab" and "cd", "y": Text is "x\nab\tcd\ny".
    auto doc = document(QStringLiteral("x"));
    QTextCursor cursor(doc.get());
    cursor.movePosition(QTextCursor::End);
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("ab"));
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("cd"));
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("y"));
    struct Case { const char *what; int expected; };
    const Case cases[] = {
        {"cd", 5},
        {"x\nab", -1},   // into or out of a table, or from one cell into the next, the area
        {"d\ny", -1},    // selects whole cells or rows, and a replacement would take them
        {"b\tc", -1},
        {"\t", -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TextSearch::Find(*doc, QString::fromUtf8(c.what), 0, rule(true)), c.expected) << c.what;
    EXPECT_FALSE(TextSearch::HoldsAt(*doc, 3, QStringLiteral("b\tc"), rule(true)));
}
