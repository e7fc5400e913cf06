// Tables keep their columns' widths and wrap their cells' text inside the cells whether or not
// lines wrap at the window's edge, and what is wider than the window can be scrolled to.
#include "ShownRichTextBox.h"

#include <QFile>

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextTable>
#include <gtest/gtest.h>

#include <cmath>

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

// Documents with tables whose lines are not to wrap: the line gets its width from an estimate of
// the widest paragraph before the first layout. The estimate must not fall short (the whole
// document would be laid out a second time, at the wider line), nor leave the line, and the
// horizontal scroll range, much wider than the widest paragraph.
const char *const table = "\\trowd\\cellx1500\\cellx3000\\intbl narrow cell\\cell second cell\\cell\\row\\pard ";

QByteArray repeated(const QByteArray &text, int times)
{
    QByteArray all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

QList<QString> widthCases(const QString &folder)
{
    const QByteArray header = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}{\\f1 DejaVu Serif;}"
                              "{\\f2\\fcharset204 DejaVu Sans Mono;}}\n";
    const QList<std::pair<const char *, QByteArray>> generated = {
        {"fonts", repeated("plain {\\b bold} {\\i italic} {\\f1\\fs40 large serif} {\\fs12 small} ", 12)},
        {"scripts", repeated("\\u20013?\\u25991?\\u26085?\\u26412? \\f2\\'ef\\'f0\\'e8\\'e2\\'e5\\'f2\\f0 \\u955?\\u945? "
                             "\\u-10179?\\u-8704? ", 20)},
        {"tabs and breaks", repeated("a\\tab b\\tab\\tab long words here\\line next line\\tab c ", 10)},
        {"indents and lists", "\\li1440\\ri720\\fi360 " + repeated("indented text of a list item ", 12)},
        {"raised", repeated("x{\\super 2} + y{\\sub i} and so on ", 20)},
    };
    QList<QString> files;
    for (const auto &[name, paragraph] : generated) {
        const QString file = folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".rtf");
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(header + "short paragraph\\par " + table + paragraph + "\\par " + table + "end\\par}");
        files.append(file);
    }
    const QDir corpus(QStringLiteral(CORVALA_TEST_DATA "/rtf/corpus"));
    for (const QString &name : corpus.entryList({QStringLiteral("*.rtf")})) {
        QFile in(corpus.filePath(name));
        if (in.open(QIODevice::ReadOnly) && in.readAll().contains("\\trowd"))
            files.append(corpus.filePath(name));
    }
    return files;
}

// The widest paragraph of the body as laid out: where its line would end unbroken.
qreal widestLaidOut(const QTextDocument &document)
{
    qreal widest = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (document.frameAt(block.position()) == document.rootFrame() && block.layout()->maximumWidth() > 0)
            widest = std::max(widest, block.layout()->position().x() + block.layout()->maximumWidth()
                                          + block.blockFormat().rightMargin() + document.documentMargin());
    return widest;
}

TEST(WideContent, LinesThatDontWrapGetTheirWidthBeforeTheFirstLayout)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QList<QString> files = widthCases(folder.path());
    ASSERT_GT(files.size(), 10);
    for (const QString &file : files) {
        for (const bool unwrappedAtOpen : {true, false}) {
            SCOPED_TRACE(file.toStdString() + (unwrappedAtOpen ? ", Word Wrap off at Open" : ", turned off after Open"));
            ShownRichTextBox shown({400, 200});
            RichTextBox &box = shown.box;
            box.setScrollBars(unwrappedAtOpen ? RichTextBox::rtfBoth : RichTextBox::rtfVertical);
            box.LoadFile(file);
            if (!unwrappedAtOpen)
                box.setScrollBars(RichTextBox::rtfBoth);
            const int first = box.lineWrapColumnOrWidth();
            QTextDocument &document = *box.document();
            (void)document.documentLayout()->blockBoundingRect(document.lastBlock()); // all of it
            settle();
            const qreal widest = widestLaidOut(document);
            if (widest <= box.viewport()->width())
                continue; // the window's width: nothing to estimate
            EXPECT_EQ(box.lineWrapMode(), QTextEdit::FixedPixelWidth);
            EXPECT_EQ(box.lineWrapColumnOrWidth(), first);
            // The room a measured paragraph is given (a quarter more, in steps of 256), and a
            // step beyond it at most.
            EXPECT_LE(first, std::ceil(widest * 1.25 / 256) * 256 + 256) << "widest " << widest;
        }
    }
}

} // namespace
