#pragma once

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

class QTextDocument;
class QPainter;
class QTextEdit;
class SpellChecker;

// Spelling checked as the user types: misspelled words of an editing area get the red wavy
// underline. The underline is drawn over the text once it is painted (the RichTextBox's overlay
// painter), never put into the document: it is not saved, copied or printed, it does not change
// the document, its undo steps or its modified state. Only the underlines on the screen are
// drawn: Qt's extra selections would be compared with every paragraph its painting walks.
//
// Only what is on the screen, and a page above and below it, is checked; a paragraph's words are
// checked again only after it changed. The checks run on a timer after the text changes or the
// view moves, never inside a key press. The word being typed is left alone until the caret
// leaves it.
class InlineSpelling : public QObject
{
    Q_OBJECT

public:
    InlineSpelling(QTextEdit &area, SpellChecker &checker);
    ~InlineSpelling() override;

    bool isEnabled() const { return m_enabled; }
    // Off takes every underline away; on checks the view again.
    void setEnabled(bool enabled);

    struct Word
    {
        int start = -1; // position in the document
        QString text;
        bool isValid() const { return start >= 0; }
    };
    // The word at a point of the area's viewport when spelling is on and judges it wrong;
    // an invalid Word otherwise.
    Word misspelledWordAt(const QPoint &viewportPoint) const;
    // Puts `replacement` in place of the word, keeping its format, as one undo step. Nothing
    // happens when the document no longer holds the word there.
    void replace(const Word &word, const QString &replacement);

    // The document ranges now underlined, in order (for tests).
    QList<std::pair<int, int>> underlined() const;
    // Checks the view at once, instead of when the timer says (for tests and the benchmark).
    void checkNow();

Q_SIGNALS:
    // A check has run and the underlines show its outcome.
    void checked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchDocument();
    void documentChanged(int from, int removed, int added);
    void caretMoved();
    void schedule(int delay);
    void check();
    // The range of the word being typed, when there is one: empty otherwise.
    std::pair<int, int> typedWord() const;
    void show(const QList<std::pair<int, int>> &ranges);
    void paint(QPainter &painter, const QRect &exposed) const;

    QTextEdit &m_area;
    SpellChecker &m_checker;
    QPointer<QTextDocument> m_document;
    QTimer m_timer;
    bool m_enabled = true;
    // Raised whenever what was judged before may no longer hold (a word taken as right, a new
    // document, a change of many paragraphs): every paragraph's record is then out of date.
    quint64 m_generation = 1;
    // Where the last small edit ended, while the caret stays in the word there.
    bool m_typing = false;
    QTextCursor m_editPoint;
    // The band checked last (the screen and a page on each side, in the document's
    // coordinates) and its ends in the text, which move with it.
    QRectF band() const;
    QTextBlock firstBlockOfBand(const QRectF &band) const;
    // The misspelled words of a paragraph within the band, but the one being typed, checked
    // again when its record is out of date.
    QList<std::pair<int, int>> misspelledIn(QTextBlock block, const QRectF &band, const std::pair<int, int> &typed);
    QRectF m_band;
    bool m_bandHasLongParagraph = false;
    QTextCursor m_bandStart;
    QTextCursor m_bandEnd;
    // Set when the whole band must be checked again; else only the paragraphs touched.
    bool m_checkAll = true;
    QList<QTextCursor> m_touched;
    QStringList m_symbolFamilies;
    bool m_symbolFamiliesRead = false;
    // The underlines, as ranges of the text that move with it.
    QList<QTextCursor> m_underlines;
};
