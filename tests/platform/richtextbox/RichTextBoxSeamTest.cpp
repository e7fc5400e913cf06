// The caret crosses the seam between two pieces of a long table (TableContinuation.h) as it
// crosses a row boundary: it never rests in the seam, which takes no room on the screen.
#include "ShownRichTextBox.h"

#include "platform/WindowMessages.h"
#include "rtf/files/DocumentFiles.h"
#include "rtf/TableContinuation.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int pieceRows = TableContinuation::rowsPerTable;

// Two pieces: rows of two cells, "r<row>c<column>", after a paragraph and an empty one.
QByteArray twoPieces()
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard before\\par\\par\n";
    for (int row = 0; row < 2 * pieceRows; ++row) {
        const QByteArray r = QByteArray::number(row);
        rtf += "\\trowd\\cellx1500\\cellx3000\\pard\\intbl r" + r + "c0\\cell r" + r + "c1\\cell\\row\n";
    }
    return rtf + "\\pard after}";
}

// The two pieces opened as a file is.
bool loadTwoPieces(RichTextBox &box)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.rtf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(twoPieces()) <= 0)
        return false;
    file.close();
    box.LoadFile(path);
    return true;
}

QString cellAtCaret(const RichTextBox &box)
{
    const QTextCursor caret = box.textCursor();
    const QTextTable *table = caret.currentTable();
    if (!table)
        return QStringLiteral("(no cell)");
    const QTextTableCell cell = table->cellAt(caret);
    QTextCursor text = cell.firstCursorPosition();
    text.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
    return text.selectedText();
}

struct SeamMove
{
    const char *name;
    std::function<int(const QString &text)> start;   // where the caret is first, from Text
    std::function<void(RichTextBox &)> move;
    const char *cell;                                 // the cell the caret is in after
    std::function<int(const QString &text)> at;       // and where exactly, when it matters
};

void PrintTo(const SeamMove &move, std::ostream *out) { *out << move.name; }

auto startOf(const char *cell)
{
    return [cell](const QString &text) { return int(text.indexOf(QLatin1String(cell))); };
}
auto endOf(const char *cell)
{
    return [cell](const QString &text) { return int(text.indexOf(QLatin1String(cell)) + qstrlen(cell)); };
}
auto key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [key, modifiers](RichTextBox &box) { QTest::keyClick(&box, key, modifiers); };
}

const QByteArray lastOfFirst = "r" + QByteArray::number(pieceRows - 1);
const QByteArray firstOfNext = "r" + QByteArray::number(pieceRows);
const std::string leftAbove = (lastOfFirst + "c0").toStdString(), rightAbove = (lastOfFirst + "c1").toStdString();
const std::string leftBelow = (firstOfNext + "c0").toStdString(), rightBelow = (firstOfNext + "c1").toStdString();

const SeamMove seamMoves[] = {
    {"Right at the end of a piece", endOf(rightAbove.c_str()), key(Qt::Key_Right), leftBelow.c_str(),
     startOf(leftBelow.c_str())},
    {"Left at the start of the next piece", startOf(leftBelow.c_str()), key(Qt::Key_Left), rightAbove.c_str(),
     endOf(rightAbove.c_str())},
    {"Down from a piece's last row", startOf(rightAbove.c_str()), key(Qt::Key_Down), rightBelow.c_str(), {}},
    {"Up from the next piece's first row", startOf(rightBelow.c_str()), key(Qt::Key_Up), rightAbove.c_str(), {}},
    {"Tab from a piece's last cell", startOf(rightAbove.c_str()), key(Qt::Key_Tab), leftBelow.c_str(), {}},
    {"Shift+Tab from the next piece's first cell", startOf(leftBelow.c_str()), key(Qt::Key_Backtab, Qt::ShiftModifier),
     rightAbove.c_str(), {}},
    {"SelStart in the seam", [](const QString &) { return 0; },
     [](RichTextBox &box) { box.setSelStart(int(box.Text().indexOf(QLatin1String(leftBelow.c_str()))) - 1); },
     leftBelow.c_str(), startOf(leftBelow.c_str())},
};

class RichTextBoxSeam : public testing::TestWithParam<SeamMove> {};

TEST_P(RichTextBoxSeam, CaretGoesOnToTheNeighbouringCell)
{
    const SeamMove &move = GetParam();
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    ASSERT_TRUE(loadTwoPieces(box));
    ASSERT_EQ(box.document()->rootFrame()->childFrames().size(), 2);
    const QString text = box.Text();
    box.setSelStart(move.start(text));
    move.move(box);
    EXPECT_EQ(cellAtCaret(box), QLatin1String(move.cell));
    if (move.at) {
        EXPECT_EQ(box.textCursor().position(), move.at(text));
    }
}

INSTANTIATE_TEST_SUITE_P(LongTables, RichTextBoxSeam, testing::ValuesIn(seamMoves));

// A piece deleted whole leaves no empty paragraph that takes no room (where the caret could go
// and typed text would not show); Undo brings the piece and its seam back.
TEST(RichTextBoxSeams, APieceDeletedWholeLeavesAnOrdinaryParagraph)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    ASSERT_TRUE(loadTwoPieces(box));
    QTextDocument &document = *box.document();
    const QTextFrame *first = document.rootFrame()->childFrames().constFirst();
    // As a command would: the caret, which never rests in a seam, would take the next piece too.
    QTextCursor piece(&document);
    piece.setPosition(first->firstPosition() - 1);
    piece.setPosition(first->lastPosition() + 1, QTextCursor::KeepAnchor);
    piece.removeSelectedText();
    QCoreApplication::sendPostedEvents();
    const auto seamFormatted = [&] {
        int blocks = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            blocks += block.blockFormat().hasProperty(TableContinuation::property) ? 1 : 0;
        return blocks;
    };
    EXPECT_EQ(document.rootFrame()->childFrames().size(), 1);
    EXPECT_EQ(seamFormatted(), 0);
    document.undo();
    EXPECT_EQ(document.rootFrame()->childFrames().size(), 2);
    ASSERT_EQ(seamFormatted(), 1);
    EXPECT_TRUE(TableContinuation::seamAfter(*qobject_cast<QTextTable *>(document.rootFrame()->childFrames().constFirst())).isValid());
}

// Qt keeps a paragraph in front of a table that starts the document. It is no line of the
// document: not on the screen, not in plain text, not in the saved file, and the caret goes on
// into the table.
TEST(RichTextBoxSeams, ATableThatStartsTheFileStartsTheDocument)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.LoadFile(QStringLiteral(CORVALA_TEST_DATA "/rtf/cases/table-at-start.rtf"));
    EXPECT_EQ(box.Text(), u"\nOne\tTwo\nAfter.\n"_qs);
    EXPECT_EQ(plainTextFromDocument(*box.document()), "One\tTwo\nAfter.\n");
    EXPECT_EQ(box.SendMessage(WindowMessages::EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(box.SendMessage(WindowMessages::EM_LINEINDEX, 1, 0), 9);   // "After."
    const QByteArray rtf = rtfFromDocument(*box.document());
    EXPECT_LT(rtf.indexOf("\\trowd"), rtf.indexOf("\\par")) << rtf.toStdString();

    QTest::keyClick(&box, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(cellAtCaret(box), QStringLiteral("One"));
    EXPECT_EQ(box.textCursor().position(), 1);
}

} // namespace
