#include "MainWindowFixture.h"

#include "platform/Colors.h"

#include <QAction>
#include <QTextBlock>

namespace {

const FontChoice kSerif14BoldRed{QStringLiteral("Liberation Serif"), 14, true, false, false, false,
                                 Colors::RGB(255, 0, 0)};
const FontChoice kMono9Effects{QStringLiteral("Liberation Mono"), 9, false, true, true, true,
                               Colors::RGB(0, 0, 128)};

struct SelectionFormat {
    bool bold, italic, underline, strikeThru;
    QString name;
    float size;
    int color;
    bool operator==(const SelectionFormat &) const = default;
};

SelectionFormat selectionFormat(const RichTextBox &box)
{
    return {box.SelBold(), box.SelItalic(), box.SelUnderline(), box.SelStrikeThru(),
            box.SelFontName(), box.SelFontSize(), box.SelColor()};
}

SelectionFormat formatOf(const FontChoice &font)
{
    return {font.bold, font.italic, font.underline, font.strikethru, font.name, float(font.size), font.color};
}

void select(RichTextBox &box, int start, int length)
{
    box.setSelStart(start);
    box.setSelLength(length);
}

TEST_F(MainWindowTest, FontWithOkWritesEveryChosenValueToTheSelectionOnly)
{
    type("hello world");
    select(*form->txtEdit, 0, 5);
    const SelectionFormat before = selectionFormat(*form->txtEdit);

    for (const FontChoice &font : {kSerif14BoldRed, kMono9Effects}) {
        select(*form->txtEdit, 6, 5);
        dialogs.answerFont(font);
        form->mnuFont_Click();
        EXPECT_EQ(form->CD1.Flags, 771);
        select(*form->txtEdit, 7, 3);
        EXPECT_EQ(selectionFormat(*form->txtEdit), formatOf(font)) << font.name.toStdString();
    }
    select(*form->txtEdit, 0, 5);
    EXPECT_EQ(selectionFormat(*form->txtEdit), before);
    // The second dialog opened with the first one's choice, not with the selection's format.
    ASSERT_EQ(dialogs.fontRequests.size(), 2);
    EXPECT_EQ(dialogs.fontRequests[1].font, kSerif14BoldRed);
    EXPECT_TRUE(dialogs.fontRequests[1].effects);
    EXPECT_TRUE(form->IsModified());
}

TEST_F(MainWindowTest, FontWithNothingSelectedAppliesToTheTextTypedNext)
{
    type("plain ");
    dialogs.answerFont(kSerif14BoldRed);
    form->mnuFont_Click();
    type("red");
    select(*form->txtEdit, 7, 1);
    EXPECT_EQ(selectionFormat(*form->txtEdit), formatOf(kSerif14BoldRed));
    select(*form->txtEdit, 1, 1);
    EXPECT_NE(selectionFormat(*form->txtEdit), formatOf(kSerif14BoldRed));
}

TEST_F(MainWindowTest, FontCancelledLeavesTheDocumentAsItWasAndTheDialogsValuesKept)
{
    type("first second");
    select(*form->txtEdit, 0, 5);
    dialogs.answerFont(kSerif14BoldRed);
    form->mnuFont_Click();

    select(*form->txtEdit, 6, 6);
    const QString document = form->txtEdit->document()->toHtml();
    dialogs.cancelFont();
    form->mnuFont_Click();
    EXPECT_EQ(form->txtEdit->document()->toHtml(), document);
    EXPECT_EQ(form->CD1.FontName, kSerif14BoldRed.name);
    EXPECT_EQ(form->CD1.Color, kSerif14BoldRed.color);
}

TEST_F(MainWindowTest, BackgroundThenFontCancelledKeepsTheTextVisible)
{
    type("words on blue");
    const int blue = Colors::RGB(0, 0, 255);
    dialogs.answerColor(blue);
    form->mnubground_Click();
    EXPECT_EQ(form->txtEdit->BackColor(), blue);

    select(*form->txtEdit, 0, 5);
    const int textColour = form->txtEdit->SelColor();
    const QString document = form->txtEdit->document()->toHtml();
    dialogs.cancelFont();
    form->mnuFont_Click();
    ASSERT_EQ(dialogs.fontRequests.size(), 1);
    EXPECT_EQ(dialogs.fontRequests[0].font.color, blue); // the shared object's colour
    EXPECT_EQ(form->txtEdit->SelColor(), textColour);
    EXPECT_EQ(form->txtEdit->document()->toHtml(), document);
}

TEST_F(MainWindowTest, BackgroundCancelledKeepsTheColourAndOpensWithTheLastOne)
{
    const int before = form->txtEdit->BackColor();
    dialogs.cancelColor();
    form->mnubground_Click();
    EXPECT_EQ(form->txtEdit->BackColor(), before);

    dialogs.answerColor(Colors::RGB(255, 255, 0));
    form->mnubground_Click();
    dialogs.cancelColor();
    form->mnubground_Click();
    EXPECT_EQ(form->txtEdit->BackColor(), Colors::RGB(255, 255, 0));
    ASSERT_EQ(dialogs.colorRequests.size(), 3);
    EXPECT_EQ(dialogs.colorRequests[2].color, Colors::RGB(255, 255, 0));
    EXPECT_FALSE(form->IsModified());
}

TEST_F(MainWindowTest, WordWrapTogglesItsCheckMarkAndTheScrollBars)
{
    EXPECT_EQ(form->txtEdit->ScrollBars(), RichTextBox::rtfBoth);
    const struct {
        bool checked;
        int scrollBars;
        QTextEdit::LineWrapMode wrap;
    } expected[] = {
        {true, RichTextBox::rtfVertical, QTextEdit::WidgetWidth},
        {false, RichTextBox::rtfBoth, QTextEdit::NoWrap},
    };
    for (const auto &step : expected) {
        form->mnuWordWrap->trigger();
        EXPECT_EQ(form->mnuWordWrap->isChecked(), step.checked);
        EXPECT_EQ(form->txtEdit->ScrollBars(), step.scrollBars);
        EXPECT_EQ(form->txtEdit->wrapMode(), step.wrap);
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MainWindowTest, AlignmentCommandsAlignTheParagraphAndMoveTheCheckMark)
{
    form->txtEdit->setText(QStringLiteral("one\ntwo"));
    select(*form->txtEdit, 5, 0);
    const struct {
        QAction *Form1::*item;
        int alignment;
        Qt::Alignment shown;
    } steps[] = {
        {&Form1::mnuFormatCenter, RichTextBox::rtfCenter, Qt::AlignHCenter},
        {&Form1::mnuFormatCenter, RichTextBox::rtfCenter, Qt::AlignHCenter}, // again: stays
        {&Form1::mnuFormatRight, RichTextBox::rtfRight, Qt::AlignRight},
        {&Form1::mnuFormatLeft, RichTextBox::rtfLeft, Qt::AlignLeft},
    };
    for (const auto &step : steps) {
        (form.get()->*step.item)->trigger(); // as a click on the menu item
        EXPECT_EQ(form->txtEdit->SelAlignment(), step.alignment);
        EXPECT_EQ(form->txtEdit->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask, step.shown);
        for (QAction *Form1::*item : {&Form1::mnuFormatLeft, &Form1::mnuFormatCenter, &Form1::mnuFormatRight})
            EXPECT_EQ((form.get()->*item)->isChecked(), item == step.item);
    }
    // Only the caret's paragraph moves, and the check mark stays with the last command.
    form->mnuFormatRight_Click();
    select(*form->txtEdit, 0, 0);
    EXPECT_EQ(form->txtEdit->SelAlignment(), RichTextBox::rtfLeft);
    EXPECT_TRUE(form->mnuFormatRight->isChecked());
}

// The font chosen and the paragraph's alignment go on into each new paragraph, after an empty
// one as after one with text, on the screen and in the file.
TEST_F(MainWindowTest, ANewParagraphGoesOnInTheFontAndAlignmentInUse)
{
    const FontChoice serif12{QStringLiteral("Liberation Serif"), 12, false, false, false, false, 0};
    dialogs.answerFont(serif12);
    form->mnuFont_Click();
    form->mnuFormatCenter_Click();
    type("Line A");
    QTest::keyClick(form->txtEdit, Qt::Key_Return);
    QTest::keyClick(form->txtEdit, Qt::Key_Return);
    type("Line C");
    QTest::keyClick(form->txtEdit, Qt::Key_Return);
    QTest::keyClick(form->txtEdit, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(form->txtEdit->Text(), QStringLiteral("Line A\n\nLine C\n\n"));

    const auto expectEveryParagraphInSerif12Centred = [&](const char *where) {
        const QTextDocument &document = *form->txtEdit->document();
        int paragraphs = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++paragraphs) {
            const QTextCharFormat format = block.length() > 1 ? block.begin().fragment().charFormat() : block.charFormat();
            const QFont font = format.font().resolve(document.defaultFont());
            EXPECT_EQ(font.family(), serif12.name) << where << " paragraph " << paragraphs;
            EXPECT_EQ(font.pointSizeF(), 12) << where << " paragraph " << paragraphs;
            EXPECT_FALSE(font.bold()) << where << " paragraph " << paragraphs;
            EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter)
                << where << " paragraph " << paragraphs;
        }
        EXPECT_EQ(paragraphs, 5) << where;
    };
    expectEveryParagraphInSerif12Centred("typed");
    EXPECT_EQ(form->txtEdit->SelFontName(), serif12.name);

    dialogs.answerFile(path("lines.rtf"), 1);
    ASSERT_TRUE(form->mnuSaveAs_Click());
    dialogs.answerFile(path("lines.rtf"), 1);
    form->mnuOpen->trigger();
    ASSERT_EQ(form->txtEdit->Text(), QStringLiteral("Line A\n\nLine C\n\n"));
    expectEveryParagraphInSerif12Centred("saved");
}

} // namespace
