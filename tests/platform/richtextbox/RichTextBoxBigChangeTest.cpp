// Changes to most of a big document, which the editing area lays out later, in the background:
// the text, the formats, the Change event, the undo step and the line answers stay as for any
// other change.
#include "ShownRichTextBox.h"

#include "platform/WindowMessages.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace WindowMessages;

namespace {

// Enough lines that the change is laid out later.
QString lines(const QString &word, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1 line %2 of a long plain document\n").arg(word).arg(i);
    return text;
}

bool allColoured(const QTextDocument &document, const QColor &colour)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().foreground().color() != colour)
                return false;
    return true;
}

TEST(RichTextBoxBigChange, SetTextIsOneChangeAndOneUndoStep)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    const QString before = QStringLiteral("short text");
    box.setText(before);
    const QString big = lines(QStringLiteral("first"), 3000);
    QSignalSpy changes(&box, &RichTextBox::Change);

    box.setText(big);

    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(box.Text(), big);
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_FALSE(box.document()->pageSize().isNull());   // laid out again, not left without a layout
    EXPECT_EQ(box.SendMessage(EM_GETLINECOUNT, 0, 0), 3001);
    EXPECT_EQ(box.SendMessage(EM_LINEFROMCHAR, box.TextLength(), 0), 3000);
    box.SendMessage(WM_UNDO, 0, 0);
    EXPECT_EQ(box.Text(), before);
    box.SendMessage(WM_UNDO, 0, 0);
    EXPECT_EQ(box.Text(), big);
}

TEST(RichTextBoxBigChange, ColouringEverythingIsOneChangeAndOneUndoStep)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.setText(lines(QStringLiteral("second"), 3000));
    box.setSelStart(0);
    box.setSelLength(box.TextLength());
    QSignalSpy changes(&box, &RichTextBox::Change);

    box.setSelColor(0x0000C0);   // &H00BBGGRR: red

    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(allColoured(*box.document(), QColor(0xC0, 0, 0)));
    EXPECT_EQ(box.SendMessage(EM_GETLINECOUNT, 0, 0), 3001);
    box.SendMessage(WM_UNDO, 0, 0);
    EXPECT_FALSE(allColoured(*box.document(), QColor(0xC0, 0, 0)));
}

} // namespace
