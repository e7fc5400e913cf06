// A long table is read as consecutive tables with a seam between each two; to the writer and to
// plain text it stays the one table the file had.
#include "RtfReaderTestSupport.h"

#include "rtf/files/DocumentFiles.h"
#include "rtf/files/PlainText.h"
#include "rtf/TableContinuation.h"

#include <QTextCursor>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

constexpr int pieceRows = TableContinuation::rowsPerTable;

struct LongTable
{
    const char *name;
    int rows;
    int mergedFrom = -1;   // a cell of the first column merged down over three rows from here
    bool nested = false;   // the long table in the cell of a one-cell table
};

void PrintTo(const LongTable &table, std::ostream *out) { *out << table.name; }

// A paragraph, the table as one Qt table, a paragraph: what any other program's file reads as.
std::unique_ptr<QTextDocument> oneTable(const LongTable &shape)
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    cursor.insertText(QStringLiteral("before"));
    cursor.insertBlock();
    if (shape.nested) {
        cursor.insertTable(1, 1);
        cursor.insertText(QStringLiteral("outer"));
        cursor.insertBlock();
    }
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 200)});
    QTextTable *table = cursor.insertTable(shape.rows, 2, format);
    for (int row = 0; row < shape.rows; ++row) {
        for (int column = 0; column < 2; ++column)
            table->cellAt(row, column).firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(row).arg(column));
    }
    if (shape.mergedFrom >= 0)
        table->mergeCells(shape.mergedFrom, 0, 3, 1);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("after"));
    return document;
}

int topLevelTables(const QTextDocument &document)
{
    return int(document.rootFrame()->childFrames().size());
}

class LongTables : public testing::TestWithParam<LongTable> {};

// Written, read and written again: the same bytes, and the same plain text, without a line for
// any seam; only a top-level table longer than a piece is cut, never across a merged cell.
TEST_P(LongTables, ReadInPiecesWrittenAsOneTable)
{
    const LongTable &shape = GetParam();
    const auto original = oneTable(shape);
    const QByteArray rtf = rtfFromDocument(*original);
    const auto read = documentFromRtf(rtf);
    const int pieces = shape.nested ? 1 : (shape.rows + pieceRows - 1) / pieceRows;
    EXPECT_EQ(topLevelTables(*read), pieces);
    EXPECT_EQ(rtfFromDocument(*read), rtf);
    EXPECT_EQ(plainCharactersOf(*read), plainCharactersOf(*original));
    // Text keeps a position for each seam, as a character that plain text leaves out.
    QString text = textOf(*read);
    EXPECT_EQ(text.count(QChar(0xFFFC)), pieces - 1);
    EXPECT_EQ(text.remove(QChar(0xFFFC)), textOf(*original));
    if (shape.mergedFrom >= 0) {
        const auto *first = qobject_cast<QTextTable *>(read->rootFrame()->childFrames().constFirst());
        EXPECT_EQ(first->rows(), shape.mergedFrom + 3);
        EXPECT_EQ(first->cellAt(shape.mergedFrom, 0).rowSpan(), 3);
    }
}

const LongTable longTables[] = {
    {"as long as a piece", pieceRows},
    {"a row longer", pieceRows + 1},
    {"two pieces and a half", pieceRows * 5 / 2},
    {"a merged cell across the cut", pieceRows * 2, pieceRows - 1},
    {"in a cell", pieceRows * 2, -1, true},
};
INSTANTIATE_TEST_SUITE_P(RtfTables, LongTables, testing::ValuesIn(longTables));

// Text that got into a seam makes it a paragraph of its own between two tables.
TEST(RtfTables, SeamWithTextIsWrittenAsAParagraph)
{
    const auto read = documentFromRtf(rtfFromDocument(*oneTable({"two pieces", pieceRows * 2})));
    const auto *first = qobject_cast<QTextTable *>(read->rootFrame()->childFrames().constFirst());
    ASSERT_TRUE(TableContinuation::seamAfter(*first).isValid());
    QTextCursor(TableContinuation::seamAfter(*first)).insertText(QStringLiteral("typed"));
    const auto reread = documentFromRtf(rtfFromDocument(*read));
    const QString row = QStringLiteral("r%1c0\tr%1c1\n");
    EXPECT_TRUE(plainCharactersOf(*reread).contains(row.arg(pieceRows - 1) + QStringLiteral("typed\n") + row.arg(pieceRows)))
        << plainCharactersOf(*reread).toStdString();
    EXPECT_EQ(topLevelTables(*reread), 2);
}

} // namespace
