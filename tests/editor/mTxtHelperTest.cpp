// The facade's selection, clipboard, undo, line and layout operations over a shown editing area.
#include "FacadeFixture.h"
#include "support/TestFiles.h"

#include "base/Failure.h"
#include "platform/WindowMessages.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <climits>
#include <functional>

TEST(mTxtHelperUnbound, OperationsOnTheControlFailBeforeSetEditor)
{
    // Paths the file operations could use, so that only the missing editor can fail them.
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("existing.txt"));
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    TestFiles::writeBytes(existing, "kept");
    mTxtHelper facade;
    const std::function<void()> operations[] = {
        [&] { facade.WordWrap(true); }, [&] { facade.Convert(0); }, [&] { facade.Cut(); },
        [&] { facade.Clear(); }, [&] { facade.Copy(); }, [&] { facade.Undo(); },
        [&] { facade.Paste(); }, [&] { facade.SelectAll(); }, [&] { facade.SelPos(); },
        [&] { facade.setSelPos(0); }, [&] { facade.SelectText(0, 0); }, [&] { facade.CanPaste(); },
        [&] { facade.LineCount(); }, [&] { facade.VisableLine(); }, [&] { facade.LineIndex(); },
        [&] { facade.LineLength(); }, [&] { facade.LoadFromFile(existing); },
        [&] { facade.LoadFromFile(missing); }, [&] { facade.SaveToFile(existing); },
        [&] { facade.SaveSelection(existing); }, [&] { facade.CanUndo(); },
        [&] { facade.CanReDo(); }, [&] { facade.GetLineText(1); }, [&] { facade.TabStops(8); },
    };
    for (size_t i = 0; i < std::size(operations); ++i) {
        try {
            operations[i]();
            ADD_FAILURE() << "operation " << i << " did not fail";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.description(), QStringLiteral("Object variable or With block variable not set"))
                << "operation " << i;
        }
    }
    EXPECT_EQ(TestFiles::readBytes(existing), QByteArray("kept"));
    EXPECT_FALSE(QFileInfo::exists(missing));

    // These two skip their failed steps; the line number is kept all the same.
    EXPECT_NO_THROW(facade.setForeColor(0xFF));
    EXPECT_NO_THROW(facade.setGotoLine(4));
    EXPECT_EQ(facade.GotoLine(), 4);
}

TEST_F(FacadeTest, SelectingMovesTheFocusEvenOnAnEmptyArea)
{
    struct Case { QString text; std::function<void()> operation; int selStart, selLength; };
    const Case cases[] = {
        {"", [&] { facade.SelectAll(); }, 0, 0},
        {"", [&] { facade.SelectText(0, 0); }, 0, 0},
        {"a\nbc", [&] { facade.SelectAll(); }, 0, 4},
        {"hello", [&] { facade.SelectText(1, 3); }, 1, 3},
        {"hello", [&] { facade.SelectText(4, 10); }, 4, 1},
    };
    for (const Case &c : cases) {
        box.setText(c.text);
        elsewhere.setFocus();
        c.operation();
        EXPECT_EQ(box.SelStart(), c.selStart) << c.text.toStdString();
        EXPECT_EQ(box.SelLength(), c.selLength) << c.text.toStdString();
        EXPECT_TRUE(boxHasFocus()) << c.text.toStdString();
    }
    facade.setSelPos(2);
    EXPECT_EQ(facade.SelPos(), 2);
    EXPECT_EQ(box.SelLength(), 0);
}

TEST_F(FacadeTest, SelectAllCoversTheWholeTextWhateverTheDocumentHolds)
{
    // Each builder writes after "a" in an area holding "a"; every break, picture and table
    // marker is one position, so the selection must end exactly where Text does.
    QImage picture(8, 6, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    struct Case { const char *name; std::function<void(QTextCursor &)> build; };
    const Case cases[] = {
        {"pictures between paragraphs",
         [&](QTextCursor &c) {
             c.insertImage(picture);
             c.insertBlock();
             c.insertText(QStringLiteral("b"));
             c.insertImage(picture);
             c.insertBlock();
         }},
        {"line break and no-break space",
         [](QTextCursor &c) { c.insertText(QStringLiteral("b\u2028c\u00A0d")); }},
        {"table then list",
         [](QTextCursor &c) {
             c.insertTable(2, 2)->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("x"));
             c.movePosition(QTextCursor::End);
             c.insertList(QTextListFormat::ListDisc);
             c.insertText(QStringLiteral("item"));
         }},
    };
    for (const Case &c : cases) {
        box.setText(QStringLiteral("a"));
        QTextCursor cursor(box.document());
        cursor.movePosition(QTextCursor::End);
        c.build(cursor);
        facade.SelectAll();
        EXPECT_EQ(box.SelStart(), 0) << c.name;
        EXPECT_EQ(box.SelLength(), box.Text().size()) << c.name;
        EXPECT_EQ(box.SelText(), box.Text()) << c.name;
    }
}

TEST_F(FacadeTest, SelectionEdgesNeverSplitACharacter)
{
    // The face is one character in two UTF-16 units, at positions 1 and 2.
    const QString text = QStringLiteral("a\U0001F600b");
    struct Case { const char *name; std::function<void()> operation; int selStart, selLength; };
    const Case cases[] = {
        {"start inside", [&] { facade.SelectText(2, 1); }, 1, 2},
        {"end inside", [&] { facade.SelectText(1, 1); }, 1, 2},
        {"caret inside", [&] { facade.SelectText(2, 0); }, 1, 0},
        {"SelPos inside", [&] { facade.setSelPos(2); }, 1, 0},
        {"whole", [&] { facade.SelectText(0, 3); }, 0, 3},
    };
    for (const Case &c : cases) {
        box.setText(text);
        c.operation();
        EXPECT_EQ(box.SelStart(), c.selStart) << c.name;
        EXPECT_EQ(box.SelLength(), c.selLength) << c.name;
    }

    box.setText(text);
    facade.SelectText(2, 1);
    facade.Cut();
    EXPECT_EQ(box.Text(), QStringLiteral("ab"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\U0001F600"));
}

TEST_F(FacadeTest, LineQueries)
{
    box.setText(QStringLiteral("first\n\nthird line"));
    struct Case { int selStart, selLength; int lineIndex, lineLength; };
    const Case cases[] = {
        {0, 0, 1, 6},   // the caret at the start: line 1, five characters
        {5, 0, 1, 6},
        {6, 0, 2, 1},   // an empty line
        {2, 5, 3, 6},   // the line of the selection's end, the length of its start's
        {17, 0, 3, 11},
    };
    for (const Case &c : cases) {
        select(c.selStart, c.selLength);
        EXPECT_EQ(facade.LineIndex(), c.lineIndex) << c.selStart;
        EXPECT_EQ(facade.LineLength(), c.lineLength) << c.selStart;
    }
    EXPECT_EQ(facade.LineCount(), 3);
    EXPECT_EQ(facade.VisableLine(), 0);
    EXPECT_EQ(facade.GetLineText(1), QStringLiteral("first"));
    EXPECT_EQ(facade.GetLineText(2), QString());
    EXPECT_EQ(facade.GetLineText(3), QStringLiteral("third line"));
    EXPECT_EQ(facade.GetLineText(4), QString());
    EXPECT_EQ(facade.GetLineText(0), QString());

    // Scrolled down, the topmost line shown is the one half cut off at the top.
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QString::number(i);
    box.setText(lines.join(QLatin1Char('\n')));
    const QRectF line40 = box.document()->documentLayout()->blockBoundingRect(box.document()->findBlockByNumber(40));
    box.verticalScrollBar()->setValue(int(line40.center().y()));
    EXPECT_EQ(facade.VisableLine(), 40);
    box.verticalScrollBar()->setValue(0);
    EXPECT_EQ(facade.VisableLine(), 0);
}

TEST_F(FacadeTest, ATableCountsAsRowsOfTabSeparatedCells)
{
    // "x", a table of two rows (a | b, and c | d with a second paragraph "e" in its last
    // cell), then "y": a cell ends with a tab, a row or a cell's paragraph with a line break.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.rtf"));
    TestFiles::writeBytes(path, "{\\rtf1 x\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
                                "\\trowd\\cellx1000\\cellx2000\\pard\\intbl c\\cell d\\par e\\cell\\row\\pard y}");
    box.LoadFile(path);
    ASSERT_EQ(box.document()->rootFrame()->childFrames().size(), 1);
    const QString text = QStringLiteral("x\na\tb\nc\td\ne\ny");
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(box.TextLength(), text.size());

    struct Case { int selStart, selLength; const char *selText; int lineIndex, lineLength; };
    const Case cases[] = {
        {2, 1, "a", 2, 4},        // a cell's text, on the first row's line "a\tb"
        {5, 0, "", 2, 4},         // the end of the first row
        {8, 0, "", 3, 4},         // in "d": the second row's line "c\td"
        {10, 0, "", 4, 2},        // "e", the last cell's second paragraph, is a line of its own
        {0, 13, "x\na\tb\nc\td\ne\ny", 5, 2},
    };
    for (const Case &c : cases) {
        select(c.selStart, c.selLength);
        EXPECT_EQ(box.SelStart(), c.selStart);
        EXPECT_EQ(box.SelLength(), c.selLength);
        EXPECT_EQ(box.SelText(), QString::fromUtf8(c.selText)) << c.selStart;
        EXPECT_EQ(facade.LineIndex(), c.lineIndex) << c.selStart;
        EXPECT_EQ(facade.LineLength(), c.lineLength) << c.selStart;
    }
    // A selection from one cell into another is a block of cells, from the first one's start
    // to the last one's end; SelText is still the text between SelStart and SelStart+SelLength.
    select(7, 3);
    EXPECT_EQ(box.SelText(), text.mid(box.SelStart(), box.SelLength()));
    // A row is a line, as far as its cells' first paragraphs go; a cell's further paragraph
    // is a line of its own.
    EXPECT_EQ(facade.LineCount(), 5);
    const char *lines[] = {"x", "a\tb", "c\td", "e", "y"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(facade.GetLineText(i + 1), QString::fromUtf8(lines[i])) << i;

    // The plain-text file holds the same text.
    const QString saved = dir.filePath(QStringLiteral("table.txt"));
    facade.SaveToFile(saved);
    EXPECT_EQ(TestFiles::readBytes(saved), text.toUtf8());
}

TEST_F(FacadeTest, GetLineTextEndsWhereTheCopyEnds)
{
    box.SendMessage(WindowMessages::EM_SETTARGETDEVICE, 0, 1);
    box.setText(QString(300, QLatin1Char('x')) + QStringLiteral("\nab") + QChar(0) + QStringLiteral("c"));
    EXPECT_EQ(facade.GetLineText(1), QString(255, QLatin1Char('x')));
    EXPECT_EQ(facade.GetLineText(2), QStringLiteral("ab") + QChar(0) + QStringLiteral("c"));
    try {
        facade.GetLineText(INT_MIN);
        ADD_FAILURE() << "no failure";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.description(), QStringLiteral("Overflow"));
    }
}

TEST_F(FacadeTest, GotoLine)
{
    box.setText(QStringLiteral("one\ntwo\nthree"));
    EXPECT_EQ(facade.GotoLine(), 0);
    struct Case { int line; int selStart; };
    const Case cases[] = {{1, 0}, {3, 8}, {2, 4}, {99, 4}, {0, 4}, {INT_MIN, 0}};
    for (const Case &c : cases) {
        elsewhere.setFocus();
        select(4, 3);
        EXPECT_NO_THROW(facade.setGotoLine(c.line));
        EXPECT_EQ(facade.GotoLine(), c.line);
        EXPECT_EQ(box.SelStart(), c.selStart) << c.line;
        EXPECT_EQ(box.SelLength(), 0) << c.line;
        EXPECT_TRUE(boxHasFocus()) << c.line;
    }
}

TEST_F(FacadeTest, UndoAfterUndoRedoes)
{
    EXPECT_FALSE(facade.CanUndo());
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("x"));
    EXPECT_TRUE(facade.CanUndo());
    EXPECT_FALSE(facade.CanReDo());
    facade.Undo();
    EXPECT_EQ(box.Text(), QString());
    EXPECT_TRUE(facade.CanReDo());
    facade.Undo();
    EXPECT_EQ(box.Text(), QStringLiteral("x"));
    facade.Undo();
    EXPECT_EQ(box.Text(), QString());
}

TEST_F(FacadeTest, ClipboardOperations)
{
    QClipboard &clipboard = *QGuiApplication::clipboard();
    box.setText(QStringLiteral("abc def"));

    // Cut with no selection changes neither the text nor the clipboard.
    clipboard.setText(QStringLiteral("kept"));
    select(2, 0);
    facade.Cut();
    EXPECT_EQ(box.Text(), QStringLiteral("abc def"));
    EXPECT_EQ(clipboard.text(), QStringLiteral("kept"));

    select(0, 4);
    facade.Copy();
    EXPECT_EQ(clipboard.text(), QStringLiteral("abc "));
    facade.Cut();
    EXPECT_EQ(box.Text(), QStringLiteral("def"));
    select(3, 0);
    facade.Paste();
    EXPECT_EQ(box.Text(), QStringLiteral("defabc "));
    select(0, 3);
    facade.Clear();
    EXPECT_EQ(box.Text(), QStringLiteral("abc "));
}

TEST_F(FacadeTest, CanPasteOnlyForNonEmptyText)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    struct Case { const char *name; std::function<void()> fill; bool canPaste; };
    const Case cases[] = {
        {"empty", [] { QGuiApplication::clipboard()->clear(); }, false},
        {"empty text", [] { QGuiApplication::clipboard()->setText(QString()); }, false},
        {"picture only", [&] { QGuiApplication::clipboard()->setImage(picture); }, false},
        {"one space", [] { QGuiApplication::clipboard()->setText(QStringLiteral(" ")); }, true},
        {"text", [] { QGuiApplication::clipboard()->setText(QStringLiteral("x")); }, true},
    };
    for (const Case &c : cases) {
        c.fill();
        EXPECT_EQ(facade.CanPaste(), c.canPaste) << c.name;
    }

    // A picture alone is still pasted, as a picture.
    QGuiApplication::clipboard()->setImage(picture);
    box.setText(QStringLiteral("ab"));
    select(1, 0);
    facade.Paste();
    EXPECT_EQ(box.Text(), QStringLiteral("a\uFFFCb"));
}

TEST_F(FacadeTest, ForeColorColoursEverythingAndLeavesTheCaretAtTheStart)
{
    facade.setForeColor(0x0000FF);
    EXPECT_EQ(box.Text(), QString());
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 0);
    EXPECT_FALSE(box.HideSelection());

    box.setText(QStringLiteral("ab\ncd"));
    select(3, 2);
    // The whole text it selects to colour it is never shown selected.
    std::vector<bool> hiddenAtChange;
    const auto connection = QObject::connect(&box, &RichTextBox::Change, [&] {
        hiddenAtChange.push_back(box.HideSelection());
    });
    facade.setForeColor(0xFF0000); // blue
    QObject::disconnect(connection);
    EXPECT_EQ(hiddenAtChange, std::vector<bool>{true});
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 0);
    EXPECT_FALSE(box.HideSelection());
    QTextCursor cursor(box.document());
    for (int position : {1, 2, 4, 5}) {
        cursor.setPosition(position);
        EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::blue)) << position;
    }
}

TEST_F(FacadeTest, TabStopsAndWordWrap)
{
    const qreal quarterChar = QFontMetricsF(box.document()->defaultFont()).averageCharWidth() / 4;
    facade.TabStops(24);
    EXPECT_DOUBLE_EQ(box.document()->defaultTextOption().tabStopDistance(), 24 * quarterChar);
    EXPECT_TRUE(box.document()->defaultTextOption().tabs().isEmpty());

    using namespace WindowMessages;
    constexpr int bits = WS_HSCROLL | ES_AUTOHSCROLL;
    facade.WordWrap(false);
    EXPECT_EQ(box.wrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(box.WindowStyle() & bits, 0);
    facade.WordWrap(true);
    EXPECT_EQ(box.wrapMode(), QTextEdit::WidgetWidth);
    EXPECT_EQ(box.WindowStyle() & bits, bits);
}
