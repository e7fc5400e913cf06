// The editing area's line queries agree with the lines it lays out.
#include "ShownRichTextBox.h"

#include "platform/WindowMessages.h"

#include <QScrollBar>
#include <QSet>
#include <gtest/gtest.h>

using namespace WindowMessages;

namespace {

// The distinct heights at which the caret stands, position by position: the lines on screen.
int linesOnScreen(RichTextBox &box)
{
    QSet<int> tops;
    QTextCursor cursor(box.document());
    for (int position = 0; position <= box.TextLength(); ++position) {
        cursor.setPosition(position);
        tops.insert(box.cursorRect(cursor).top());
    }
    return int(tops.size());
}

QString getLine(RichTextBox &box, int line, char16_t capacity = 255)
{
    std::vector<char16_t> buffer(std::max<int>(capacity, 1) + 1, u'#');
    buffer[0] = capacity;
    const qintptr copied = box.SendMessage(EM_GETLINE, line, reinterpret_cast<qintptr>(buffer.data()));
    return QString::fromUtf16(buffer.data(), copied);
}

} // namespace

TEST(RichTextBoxLines, LongParagraphWrapsToSeveralLinesAsShown)
{
    ShownRichTextBox shown({200, 300});
    shown.box.setText(QString(QStringLiteral("word ")).repeated(60) + QStringLiteral("\nshort"));
    const qintptr lines = shown.box.SendMessage(EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 3);
    EXPECT_EQ(lines, linesOnScreen(shown.box));

    // Every line starts where the caret moves down, and the line of each start is that line.
    QTextCursor cursor(shown.box.document());
    int previousTop = -1;
    for (int line = 0; line < lines; ++line) {
        const qintptr start = shown.box.SendMessage(EM_LINEINDEX, line, 0);
        ASSERT_GE(start, 0) << line;
        EXPECT_EQ(shown.box.SendMessage(EM_LINEFROMCHAR, start, 0), line);
        cursor.setPosition(int(start));
        EXPECT_GT(shown.box.cursorRect(cursor).top(), previousTop) << line;
        previousTop = shown.box.cursorRect(cursor).top();
    }
    EXPECT_EQ(shown.box.SendMessage(EM_LINEINDEX, lines, 0), -1);
    EXPECT_EQ(getLine(shown.box, int(lines - 1)), QStringLiteral("short"));

    // Without wrapping, one line per paragraph.
    EXPECT_EQ(shown.box.SendMessage(EM_SETTARGETDEVICE, 0, 1), 1);
    EXPECT_EQ(shown.box.SendMessage(EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(linesOnScreen(shown.box), 2);
    EXPECT_EQ(shown.box.SendMessage(EM_SETTARGETDEVICE, 0, 0), 1);
    EXPECT_EQ(shown.box.SendMessage(EM_GETLINECOUNT, 0, 0), lines);
}

TEST(RichTextBoxLines, QueriesByPositionAndLine)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    // Lines: "abc", "", "hello", "x" then a soft break, "yz".
    box.setText(QStringLiteral("abc\n\nhello\nx"));
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    end.insertText(QString(QChar(0x2028)) + QStringLiteral("yz"));
    ASSERT_EQ(box.Text(), QStringLiteral("abc\n\nhello\nx\nyz"));

    struct Case { int position; int line; int lineLength; };
    const Case cases[] = {
        {0, 0, 3}, {3, 0, 3}, {4, 1, 0}, {5, 2, 5}, {10, 2, 5}, {11, 3, 1}, {12, 3, 1},
        {13, 4, 2}, {15, 4, 2},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(box.SendMessage(EM_LINEFROMCHAR, c.position, 0), c.line) << c.position;
        EXPECT_EQ(box.SendMessage(EM_LINELENGTH, c.position, 0), c.lineLength) << c.position;
    }
    EXPECT_EQ(box.SendMessage(EM_LINELENGTH, 99, 0), 0);
    EXPECT_EQ(box.SendMessage(EM_LINEFROMCHAR, 99, 0), 4);

    const QString lineTexts[] = {"abc", "", "hello", "x", "yz"};
    const int lineStarts[] = {0, 4, 5, 11, 13};
    EXPECT_EQ(box.SendMessage(EM_GETLINECOUNT, 0, 0), 5);
    for (int line = 0; line < 5; ++line) {
        EXPECT_EQ(getLine(box, line), lineTexts[line]) << line;
        EXPECT_EQ(box.SendMessage(EM_LINEINDEX, line, 0), lineStarts[line]) << line;
    }
    EXPECT_EQ(getLine(box, 5), QString());
    EXPECT_EQ(getLine(box, -1), QString());

    // -1 means the caret's line; with a selection, EM_LINELENGTH counts what is not selected.
    box.setSelStart(7);
    box.setSelLength(6); // "llo\nx\n"
    EXPECT_EQ(box.SendMessage(EM_LINEFROMCHAR, -1, 0), 2);
    EXPECT_EQ(box.SendMessage(EM_LINEINDEX, -1, 0), 13);
    EXPECT_EQ(box.SendMessage(EM_LINELENGTH, -1, 0), 2 + 2);
}

TEST(RichTextBoxLines, GetLineCopiesAtMostTheCapacityWithoutEndMarker)
{
    ShownRichTextBox shown;
    shown.box.SendMessage(EM_SETTARGETDEVICE, 0, 1);
    shown.box.setText(QString(300, QLatin1Char('a')) + QStringLiteral("\nb") + QChar(0) + QStringLiteral("c"));
    EXPECT_EQ(getLine(shown.box, 0, 255), QString(255, QLatin1Char('a')));
    EXPECT_EQ(getLine(shown.box, 0, 3), QStringLiteral("aaa"));
    EXPECT_EQ(getLine(shown.box, 1), QStringLiteral("b") + QChar(0) + QStringLiteral("c"));
    EXPECT_EQ(shown.box.SendMessage(EM_GETLINE, 0, 0), 0);

    // A character outside the basic plane is not cut in half.
    shown.box.setText(QStringLiteral("ab\U0001F600"));
    EXPECT_EQ(getLine(shown.box, 0, 3), QStringLiteral("ab"));
    EXPECT_EQ(getLine(shown.box, 0, 4), QStringLiteral("ab\U0001F600"));
}

TEST(RichTextBoxLines, FirstVisibleLineFollowsScrolling)
{
    ShownRichTextBox shown({300, 120});
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QStringLiteral("line %1").arg(i);
    shown.box.setText(lines.join(QLatin1Char('\n')));
    EXPECT_EQ(shown.box.SendMessage(EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    shown.box.verticalScrollBar()->setValue(shown.box.verticalScrollBar()->maximum());
    const qintptr first = shown.box.SendMessage(EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 30);
    // The line found is the one at the top of the viewport.
    const QTextCursor top = shown.box.cursorForPosition(QPoint(5, 0));
    EXPECT_EQ(shown.box.SendMessage(EM_LINEFROMCHAR, top.position(), 0), first);
}
