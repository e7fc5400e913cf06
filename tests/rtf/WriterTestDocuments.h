#pragma once

#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <memory>
#include <ostream>

class QTextCursor;
class QTextDocument;

// Documents for the writer's tests, built as a user would, through a cursor.
struct TestRun
{
    QString text;
    QTextCharFormat format = {};
};

struct TestParagraph
{
    QList<TestRun> runs;
    QTextBlockFormat format = {};
};

std::unique_ptr<QTextDocument> makeDocument(const QList<TestParagraph> &paragraphs);

// Adds an image resource of the given size and colour and returns its format, drawn at `drawn`
// pixels (or the image's own size when empty).
QTextCharFormat pictureFormat(QTextDocument &document, const QString &name, QSize pixels,
                              QSizeF drawn = {});

// One document with a bit of everything the writer knows: each character format, each
// alignment, Cyrillic, CJK, an emoji, no-break space, tab, line break, escapes, a picture drawn
// at twice its size and, when asked, a table.
enum class SampleTable { Without, With };
// Inserts the sample's 2 by 2 table (cells a1, b1 / a2, b2) at the cursor and leaves the cursor
// after it.
void insertSampleTable(QTextCursor &cursor);
std::unique_ptr<QTextDocument> makeSampleDocument(SampleTable table = SampleTable::With);
// "before", a 3 by 4 table, "after". Row 0: a cell over two columns; column 2: a cell over
// rows 1 and 2, shaded and with a red top border; the cell at row 1, column 0 holds a 2 by 2
// table; the last cell has two paragraphs. 10 cells, and 4 in the nested table.
std::unique_ptr<QTextDocument> makeTableDocument();

QTextCharFormat charFormat(std::initializer_list<std::pair<QTextFormat::Property, QVariant>> properties);

// What a run looks like to the user: its text and the format it is drawn with, with unset
// properties resolved to the document's defaults, so documents built differently compare equal
// when they look the same.
struct RunLook
{
    QString text;
    QString family;
    double pointSize = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    QString foreground, background;   // "#rrggbb", empty when not set
    int verticalAlignment = 0;
    QString picture;                  // "WxH" drawn size, for a picture
    QString link;                     // the address a hyperlink leads to

    bool operator==(const RunLook &) const = default;
};

struct ParagraphLook
{
    QList<RunLook> runs;
    RunLook emptyLook;   // for an empty paragraph, the format its line is drawn in
    int alignment = 0;
    bool operator==(const ParagraphLook &) const = default;
};

QList<ParagraphLook> lookOf(const QTextDocument &document);

void PrintTo(const RunLook &run, std::ostream *os);
void PrintTo(const ParagraphLook &paragraph, std::ostream *os);
