// Tables through the writer and the reader: the same grid, spans, widths and text, nested
// tables included; and files whose tables are malformed read without losing text.
#include "ListTestDocuments.h"
#include "RtfReaderTestSupport.h"
#include "WriterTestDocuments.h"

#include "rtf/files/DocumentFiles.h"

#include <QTextCursor>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

QString cellText(const QTextTableCell &cell)
{
    return DocumentText::between(*cell.firstCursorPosition().document(), cell.firstPosition(), cell.lastPosition());
}

std::vector<QTextTable *> tablesOf(const QTextFrame &frame)
{
    std::vector<QTextTable *> tables;
    for (QTextFrame *child : frame.childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            tables.push_back(table);
        const std::vector<QTextTable *> inner = tablesOf(*child);
        tables.insert(tables.end(), inner.begin(), inner.end());
    }
    return tables;
}

void expectSameTable(const QTextTable &expected, const QTextTable &actual, const char *name)
{
    ASSERT_EQ(actual.rows(), expected.rows()) << name;
    ASSERT_EQ(actual.columns(), expected.columns()) << name;
    const QList<QTextLength> widths = expected.format().columnWidthConstraints();
    for (int column = 0; column < widths.size(); ++column)
        EXPECT_NEAR(actual.format().columnWidthConstraints().value(column).rawValue(), widths[column].rawValue(), 0.1)
            << name << " column " << column;
    for (int row = 0; row < expected.rows(); ++row) {
        for (int column = 0; column < expected.columns(); ++column) {
            const QTextTableCell want = expected.cellAt(row, column), got = actual.cellAt(row, column);
            EXPECT_EQ(got.row(), want.row()) << name << " " << row << "," << column;
            EXPECT_EQ(got.column(), want.column()) << name << " " << row << "," << column;
            EXPECT_EQ(got.rowSpan(), want.rowSpan()) << name << " " << row << "," << column;
            EXPECT_EQ(got.columnSpan(), want.columnSpan()) << name << " " << row << "," << column;
            EXPECT_EQ(cellText(got), cellText(want)) << name << " " << row << "," << column;
        }
    }
}

TEST(RtfTables, RoundTripKeepsGridSpansWidthsNestingAndText)
{
    const auto original = makeTableDocument();
    const QByteArray rtf = rtfFromDocument(*original);
    const auto read = documentFromRtf(rtf);
    const std::vector<QTextTable *> want = tablesOf(*original->rootFrame());
    const std::vector<QTextTable *> got = tablesOf(*read->rootFrame());
    ASSERT_EQ(want.size(), 2u);
    ASSERT_EQ(got.size(), 2u);
    expectSameTable(*want[0], *got[0], "outer");
    expectSameTable(*want[1], *got[1], "nested");
    EXPECT_EQ(got[1]->parentFrame(), got[0]);
    EXPECT_EQ(textOf(*read), textOf(*original));

    const QTextTableCellFormat shaded = got[0]->cellAt(0, 2).format().toTableCellFormat();
    EXPECT_EQ(shaded.background().color(), QColor(255, 255, 0));
    EXPECT_EQ(shaded.topBorderBrush().color(), QColor(255, 0, 0));
    EXPECT_NEAR(shaded.topBorder(), 2, 0.1);
    // What is read back is written the same way again.
    EXPECT_EQ(rtfFromDocument(*read), rtf);
}

TEST(RtfTables, RowsOfOtherWidthsShareOneGrid)
{
    // Edges 1000 and 2000, then 1500 and 2000: three columns; each row's cells span the
    // columns between their edges.
    const auto document = readRtf("{\\rtf1 \\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
                                  "\\trowd\\cellx1500\\cellx2000\\pard\\intbl c\\cell d\\cell\\row}");
    const std::vector<QTextTable *> tables = tablesOf(*document->rootFrame());
    ASSERT_EQ(tables.size(), 1u);
    const QTextTable &table = *tables[0];
    ASSERT_EQ(table.columns(), 3);
    EXPECT_EQ(table.cellAt(0, 1).columnSpan(), 2);
    EXPECT_EQ(table.cellAt(1, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table.cellAt(0, 2)), QStringLiteral("b"));
    EXPECT_EQ(cellText(table.cellAt(1, 1)), QStringLiteral("c"));
    EXPECT_NEAR(table.format().columnWidthConstraints()[1].rawValue(), 500 / 15.0, 0.01);
    EXPECT_EQ(textOf(*document), QStringLiteral("\na\tb\nc\td\n"));
}

// List paragraphs in cells are items of their list, the marker the file wrote no part of
// their text; the list goes on from one cell into the next, and so it is written back.
TEST(RtfTables, ListParagraphsInCellsAreListItems)
{
    const auto document = readRtf(
        "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
        "{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid1}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}"
        "\\trowd\\cellx2000\\cellx4000{\\listtext\\pard\\plain\\intbl 1.\\tab}\\pard\\intbl\\ls1\\fi-360\\li720 One\\par "
        "{\\listtext\\pard\\plain\\intbl 2.\\tab}Two\\cell\\pard\\intbl\\ls1\\fi-360\\li720 Three\\cell\\row"
        "\\pard After}");
    const QStringList lists{"|", "0:1.|One", "0:2.|Two", "0:3.|Three", "|After"};
    EXPECT_EQ(describeLists(*document), lists);
    ASSERT_EQ(tablesOf(*document->rootFrame()).size(), 1u);
    const QTextTableCell cell = tablesOf(*document->rootFrame())[0]->cellAt(0, 1);
    EXPECT_EQ(cellText(cell), QStringLiteral("Three"));
    // A list draws the marker in its paragraph mark's format: a cell's first mark is the cell's.
    QTextCursor text = cell.firstCursorPosition();
    text.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(text.block().charFormat().fontPointSize(), text.charFormat().fontPointSize());

    const auto reread = documentFromRtf(rtfFromDocument(*document));
    EXPECT_EQ(describeLists(*reread), lists);
    EXPECT_EQ(tablesOf(*reread->rootFrame()).size(), 1u);
}

class MalformedTables : public testing::TestWithParam<RtfTextCase> {};

TEST_P(MalformedTables, ReadWithoutLosingText)
{
    const auto document = readRtf(GetParam().rtf);
    EXPECT_EQ(textOf(*document), GetParam().text);
}

QByteArray repeated(const char *piece, int times)
{
    QByteArray bytes;
    for (int i = 0; i < times; ++i)
        bytes += QByteArray(piece).replace("#", QByteArray::number(i + 1));
    return bytes;
}

const RtfTextCase malformedCases[] = {
    {"cells without a row definition or row end", "{\\rtf1 \\intbl a\\cell b\\cell}", "\na\tb\n"},
    {"row end without cells", "{\\rtf1 x\\par\\trowd\\cellx100\\row\\pard y}", "x\ny"},
    {"row never ended", "{\\rtf1 \\pard\\intbl a\\cell b\\pard\\par c}", "\na\tb\n\nc"},
    {"nested cell outside a nested table", "{\\rtf1 \\intbl a\\nestcell\\nestrow b\\cell\\row}", "\na\nb\n"},
    // The 63rd cell takes the text of the cells beyond it, a paragraph each.
    {"more cells than a row holds", "{\\rtf1 \\trowd" + repeated("\\cellx#", 2000) + "\\intbl " + repeated("x\\cell ", 100) + "\\row}",
     "\n" + QString(repeated("x\t", 62)) + QString(repeated("x\n", 38))},
    // Levels beyond the deepest (8) are text in the deepest cell; each level's table has a
    // paragraph before it in its cell.
    {"deeper than any table nests", "{\\rtf1 \\intbl\\itap200 deep\\nestcell\\nestrow\\pard after}",
     QString(8, u'\n') + QStringLiteral("deep") + QString(8, u'\n') + QStringLiteral("after")},
};
INSTANTIATE_TEST_SUITE_P(RtfTables, MalformedTables, testing::ValuesIn(malformedCases));

} // namespace
