// Tables keep their columns' widths and wrap their cells' text inside the cells whether or not
// lines wrap at the window's edge, and what is wider than the window can be scrolled to.
#include "ShownRichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

const QString tableFile =
    QStringLiteral(CORVALA_TEST_DATA "/rtf/corpus/rtfpipe-rtf2xml-table_different_cell_widths-wordmac.rtf");
const QString phrase = QStringLiteral(" and a long phrase typed into the narrow cell, word after word");
const QString longParagraph = QString(QStringLiteral("unbroken ")).repeated(80);

// Lets the area finish what it does after a change (measuring the widest paragraph, laying
// out again at its width).
void settle()
{
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
}

struct Shown
{
    qreal cellWidth;
    qreal cellHeight;
    qreal widestLineInCell;
    int bodyLines;
    bool horizontalBar;
};

Shown typeIntoCellTwo(RichTextBox &box, int scrollBars)
{
    box.LoadFile(tableFile);
    box.setScrollBars(scrollBars);
    QTextCursor cursor = box.document()->find(QStringLiteral("Cell two"));
    cursor.clearSelection();
    cursor.insertText(phrase);
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    end.insertText(longParagraph);
    settle();
    const QTextBlock cell = box.document()->find(QStringLiteral("Cell two")).block();
    const QRectF cellRect = box.document()->documentLayout()->blockBoundingRect(cell);
    qreal widest = 0;
    for (int line = 0; line < cell.layout()->lineCount(); ++line)
        widest = std::max(widest, cell.layout()->lineAt(line).naturalTextWidth());
    return {cellRect.width(), cellRect.height(), widest, end.block().layout()->lineCount(),
            box.horizontalScrollBar()->isVisible()};
}

TEST(WideContent, CellsKeepTheirWidthsAndWrapTheirTextInBothModes)
{
    ShownRichTextBox shown({500, 300});
    RichTextBox &box = shown.box;
    const Shown wrapping = typeIntoCellTwo(box, RichTextBox::rtfVertical);
    const Shown unwrapped = typeIntoCellTwo(box, RichTextBox::rtfBoth);

    // The file gives the cell 2970 twips (198 pixels) with its padding: far less than the
    // phrase, which wraps in it, the same way in both modes.
    const QTextTable *table = box.document()->find(QStringLiteral("Cell two")).currentTable();
    ASSERT_NE(table, nullptr);
    for (const Shown &mode : {wrapping, unwrapped}) {
        EXPECT_LT(mode.cellWidth, 198);
        EXPECT_LE(mode.widestLineInCell, mode.cellWidth);
        EXPECT_GT(mode.cellHeight, 3 * QFontMetricsF(box.document()->defaultFont()).height());
    }
    EXPECT_DOUBLE_EQ(unwrapped.cellWidth, wrapping.cellWidth);
    EXPECT_DOUBLE_EQ(unwrapped.cellHeight, wrapping.cellHeight);
    // Body text wraps at the window's edge only in the first mode.
    EXPECT_GT(wrapping.bodyLines, 1);
    EXPECT_EQ(unwrapped.bodyLines, 1);
    EXPECT_TRUE(unwrapped.horizontalBar);
}

TEST(WideContent, ATableInsertedWhileLinesDontWrapWrapsItsCells)
{
    ShownRichTextBox shown({400, 200});
    RichTextBox &box = shown.box;
    box.setScrollBars(RichTextBox::rtfBoth);
    box.setText(longParagraph);
    settle();
    QTextCursor cursor(box.document());
    cursor.movePosition(QTextCursor::End);
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120)});
    cursor.insertTable(1, 1, format);
    cursor.insertText(phrase);
    settle();
    EXPECT_GT(cursor.block().layout()->lineCount(), 2);
    EXPECT_EQ(box.document()->begin().layout()->lineCount(), 1);
    EXPECT_EQ(box.wrapMode(), QTextEdit::NoWrap);
}

TEST(WideContent, WhatIsWiderThanTheWindowCanBeScrolledToWhenLinesWrap)
{
    ShownRichTextBox shown({300, 200});
    RichTextBox &box = shown.box;
    box.setScrollBars(RichTextBox::rtfVertical);
    box.setText(QStringLiteral("narrow text"));
    settle();
    EXPECT_FALSE(box.horizontalScrollBar()->isVisible());

    QTextCursor cursor(box.document());
    cursor.movePosition(QTextCursor::End);
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 400),
                                      QTextLength(QTextLength::FixedLength, 400)});
    cursor.insertTable(1, 2, format);
    settle();
    EXPECT_TRUE(box.horizontalScrollBar()->isVisible());
    EXPECT_GT(box.horizontalScrollBar()->maximum(), 500);
    EXPECT_EQ(box.ScrollBars(), RichTextBox::rtfVertical); // the setting stays as it was made

    // Once the table is gone, nothing is left hidden at the left.
    box.horizontalScrollBar()->setValue(box.horizontalScrollBar()->maximum());
    box.setText(QStringLiteral("narrow again"));
    settle();
    EXPECT_EQ(box.horizontalScrollBar()->value(), 0);
    EXPECT_FALSE(box.horizontalScrollBar()->isVisible());
}

// Typing on in the widest paragraph stays in the room its line was given: the document is not
// laid out again (nor its lines moved to another width) every few keys.
TEST(WideContent, TypingInTheWidestParagraphKeepsTheLineWidth)
{
    ShownRichTextBox shown({400, 200});
    RichTextBox &box = shown.box;
    box.setScrollBars(RichTextBox::rtfBoth);
    typeIntoCellTwo(box, RichTextBox::rtfBoth);
    const int width = box.lineWrapColumnOrWidth();
    ASSERT_GT(width, box.viewport()->width());
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    for (int key = 0; key < 40; ++key) {
        end.insertText(QStringLiteral("w"));
        settle();
    }
    EXPECT_EQ(box.lineWrapColumnOrWidth(), width);
}

} // namespace
