#pragma once

#include <QList>
#include <QString>
#include <QStringView>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;

// Finds the words of a text that spelling judges. Words are runs of letters (with their marks
// and inner apostrophes: "don't"); a hyphen or any other sign ends one. Left out are runs that
// hold a digit, an underscore, a private-use character or half of a surrogate pair (serial
// numbers, names in code, symbols, broken text), runs longer than a word can be, and every word
// of a web or e-mail address (a piece of text between spaces with "@" or "://" in it, or one
// that starts "www.").
namespace WordSplitter {

struct Word
{
    int start = 0; // in the text given
    int length = 0;
    bool operator==(const Word &) const = default;
};

// The words of `text`, in order. `from` and `to` limit where words may start and end (a piece
// of a long paragraph); a word cut by them is left out.
QList<Word> words(QStringView text, int from = 0, int to = -1);

// The run of word characters (letters, marks, digits, inner apostrophes) that holds `position`
// or ends at it, as a range of `text`; length 0 when there is none.
Word runAt(QStringView text, int position);

// Whether a run of text in this format is in a symbol font: one declared with the symbol
// character set in the file it came from (`symbolFamilies`), or one of the symbol fonts known by
// name (Symbol, Wingdings, Webdings, ...). Its "words" are pictures.
bool isSymbolFont(const QTextCharFormat &format, const QStringList &symbolFamilies);

// The families the document's file declared with the symbol character set.
QStringList symbolFamilies(const QTextDocument &document);

// The words of a paragraph (`text` is its text) between its offsets `from` and `to`, runs in
// symbol fonts left out.
QList<Word> wordsOfBlock(const QTextBlock &block, QStringView text, int from, int to, const QStringList &symbolFamilies);

} // namespace WordSplitter
