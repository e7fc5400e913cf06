// Edit > Search/Replace: the modeless dialog, its search position and its replacements.
#include "MainWindowFixture.h"

#include "dialogs/FindDialogState.h"
#include "dialogs/frmFind.h"
#include "platform/App.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <functional>

namespace {

class FindReplaceTest : public MainWindowTest
{
public:
    // Opens the dialog over a document of `text`, searching for `what`.
    frmFind &open(const QString &text, const QString &what = QString(), const QString &with = QString())
    {
        form->txtEdit->setText(text);
        form->mnuSearchReplace_Click();
        frmFind &dialog = *FindDialog;
        dialog.txtFind->setText(what);
        dialog.txtReplace->setText(with);
        return dialog;
    }

    // A press of a button, as the mouse gives it.
    static void press(QPushButton *button) { button->click(); }

    QString selected() const { return form->txtEdit->SelText(); }
    int selStart() const { return form->txtEdit->SelStart(); }
};

TEST_F(FindReplaceTest, OpensBesideTheDocumentAndOnlyComesForwardWhenOpen)
{
    frmFind &dialog = open(QStringLiteral("text"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Replace"));
    EXPECT_EQ(dialog.parentWidget(), form.get());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    for (QWidget *control : {(QWidget *)dialog.txtFind, (QWidget *)dialog.txtReplace, (QWidget *)dialog.chkMatch,
                             (QWidget *)dialog.lblFind, (QWidget *)dialog.lblReplace, (QWidget *)dialog.cmdFindNext,
                             (QWidget *)dialog.cmdCancel, (QWidget *)dialog.cmdReplace, (QWidget *)dialog.cmdReplaceAll})
        EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();

    // The document stays editable while the dialog is open.
    form->txtEdit->setSelStart(4);
    form->txtEdit->setSelText(QStringLiteral("s"));
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("texts"));

    dialog.txtFind->setText(QStringLiteral("ext"));
    dialog.chkMatch->setChecked(true);
    press(dialog.cmdFindNext);
    form->mnuSearchReplace_Click();
    EXPECT_EQ(FindDialog.data(), &dialog);
    EXPECT_EQ(dialog.txtFind->text(), QStringLiteral("ext"));
    EXPECT_EQ(dialog.FoundPos(), 2);

    press(dialog.cmdCancel);
    EXPECT_TRUE(FindDialog.isNull());
    form->mnuSearchReplace_Click();
    ASSERT_FALSE(FindDialog.isNull());
    EXPECT_NE(FindDialog.data(), &dialog);
    EXPECT_TRUE(FindDialog->txtFind->text().isEmpty());
    EXPECT_TRUE(FindDialog->txtReplace->text().isEmpty());
    EXPECT_FALSE(FindDialog->chkMatch->isChecked());
    EXPECT_EQ(FindDialog->FoundPos(), 0);
    EXPECT_FALSE(FindDialog->cmdFindNext->isEnabled());
}

TEST_F(FindReplaceTest, FindNextSelectsEachMatchInTurnThenWrapsThroughTheMessage)
{
    frmFind &dialog = open(QStringLiteral("abc x\nABC "), QStringLiteral("abc"));
    // A picture, then one more match: each break and picture is one position.
    QTextCursor cursor(form->txtEdit->document());
    cursor.movePosition(QTextCursor::End);
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    cursor.insertImage(picture);
    cursor.insertText(QStringLiteral("aBc"));

    struct Step { int selStart; const char *selected; bool replaceEnabled; };
    const Step steps[] = {{0, "abc", true}, {6, "ABC", true}, {11, "aBc", true}, {11, "", false}, {0, "abc", true}};
    for (const Step &step : steps) {
        messages.shown.clear();
        press(dialog.cmdFindNext);
        if (step.replaceEnabled) {
            EXPECT_EQ(selStart(), step.selStart);
            EXPECT_EQ(selected(), QString::fromUtf8(step.selected));
            EXPECT_TRUE(messages.shown.isEmpty());
        } else {
            ASSERT_EQ(messages.shown.size(), 1);
            EXPECT_EQ(messages.shown[0].prompt, QStringLiteral("String not found 'abc'"));
            EXPECT_EQ(messages.shown[0].style, int(vbOKOnly));
            EXPECT_EQ(messages.shown[0].title, App::Title());
            EXPECT_EQ(messages.shown[0].owner, &dialog);
        }
        EXPECT_EQ(dialog.cmdReplace->isEnabled(), step.replaceEnabled);
        EXPECT_EQ(dialog.cmdReplaceAll->isEnabled(), step.replaceEnabled);
    }

    // When case matters, ABC and aBc are passed over.
    dialog.chkMatch->setChecked(true);
    messages.shown.clear();
    press(dialog.cmdFindNext);
    EXPECT_EQ(promptsShown(), QStringList{QStringLiteral("String not found 'abc'")});
    EXPECT_EQ(selStart(), 0);
}

TEST_F(FindReplaceTest, FindNextNeedsASearchTextAndEnterAndEscapeDoNothing)
{
    frmFind &dialog = open(QStringLiteral("abc"));
    EXPECT_FALSE(dialog.cmdFindNext->isEnabled());
    dialog.txtFind->setFocus();
    QTest::keyClicks(dialog.txtFind, QStringLiteral("b"));
    EXPECT_TRUE(dialog.cmdFindNext->isEnabled());
    QTest::keyClick(dialog.txtFind, Qt::Key_Return);
    QTest::keyClick(dialog.txtFind, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.FoundPos(), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    dialog.txtFind->clear();
    EXPECT_FALSE(dialog.cmdFindNext->isEnabled());
}

TEST_F(FindReplaceTest, ReplaceChangesTheLastMatchOnlyWhileItStillHoldsTheSearchText)
{
    struct Case {
        const char *name;
        std::function<void(RichTextBox &)> userAction; // after the second match was found
        const char *text;
        int selStart; // the next match, selected
    };
    const Case cases[] = {
        {"selection moved to other words", [](RichTextBox &box) { box.setSelStart(4); box.setSelLength(3); },
         "one cat 1 one", 10},
        {"words typed before the match", [](RichTextBox &box) { box.setSelStart(0); box.setSelText(QStringLiteral("my ")); box.setSelLength(3); },
         "my one cat one one", 11},
        {"nothing selected", [](RichTextBox &box) { box.setSelLength(0); },
         "one cat one one", 12},
        {"the match itself still selected", [](RichTextBox &) {}, "one cat 1 one", 10},
    };
    for (const Case &c : cases) {
        frmFind &dialog = open(QStringLiteral("one cat one one"), QStringLiteral("one"), QStringLiteral("1"));
        press(dialog.cmdFindNext);
        press(dialog.cmdFindNext);
        c.userAction(*form->txtEdit);
        press(dialog.cmdReplace);
        EXPECT_EQ(form->txtEdit->Text(), QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(selStart(), c.selStart) << c.name;
        EXPECT_EQ(selected(), QStringLiteral("one")) << c.name;
        press(dialog.cmdCancel);
    }
}

TEST_F(FindReplaceTest, ReplaceAllGoesToTheEndAndEndsWithOneMessage)
{
    struct Case { const char *text, *what, *with; bool matchCase; int findsFirst; const char *result; };
    const Case cases[] = {
        {"a1 a2 a3", "a", "b", false, 0, "b1 b2 b3"},          // a match at the very start
        {"a1 a2 a3", "a", "b", false, 2, "a1 b2 b3"},          // from a middle match on
        {"aaa", "a", "ba", false, 0, "bababa"},                // the replacement holds the search text
        {"x1x2x", "x", "", false, 0, "12"},                    // an empty replacement deletes
        {"Ab ab AB", "ab", "c", false, 0, "c c c"},
        {"Ab ab AB", "ab", "c", true, 0, "Ab c AB"},
    };
    for (const Case &c : cases) {
        frmFind &dialog = open(QString::fromUtf8(c.text), QString::fromUtf8(c.what), QString::fromUtf8(c.with));
        dialog.chkMatch->setChecked(c.matchCase);
        for (int i = 0; i < c.findsFirst; ++i)
            press(dialog.cmdFindNext);
        messages.shown.clear();
        press(dialog.cmdReplaceAll);
        EXPECT_EQ(form->txtEdit->Text(), QString::fromUtf8(c.result)) << c.text << " / " << c.what;
        EXPECT_EQ(promptsShown(), QStringList{QStringLiteral("String not found '%1'").arg(QString::fromUtf8(c.what))});
        EXPECT_FALSE(dialog.cmdReplaceAll->isEnabled());
        press(dialog.cmdCancel);
    }

    // The document saves with its replacements.
    EXPECT_TRUE(form->IsModified());
    dialogs.answerFile(path("replaced.txt"), 2);
    ASSERT_TRUE(form->mnuSaveAs_Click());
    EXPECT_EQ(readFile(path("replaced.txt")), QByteArray("Ab c AB"));
}

TEST_F(FindReplaceTest, ReplaceAllSeesEditsMadeWhileItRuns)
{
    frmFind &dialog = open(QStringLiteral("a a a"), QStringLiteral("a"), QStringLiteral("b"));
    // Typed while Replace All runs: at the end, where the search has yet to come, and at the
    // start, over the range of the match it is about to replace.
    QTimer::singleShot(0, form.get(), [this] {
        form->txtEdit->setSelStart(form->txtEdit->TextLength());
        form->txtEdit->setSelText(QStringLiteral(" a"));
        form->txtEdit->setSelStart(0);
        form->txtEdit->setSelText(QStringLiteral("x "));
    });
    press(dialog.cmdReplaceAll);
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("x b b b b"));
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(FindReplaceTest, MatchesFarPastTheStartAreFoundAndReplaced)
{
    const QString text = QString(QStringLiteral("word ")).repeated(8000) + QStringLiteral("needle end");
    frmFind &dialog = open(text, QStringLiteral("needle"), QStringLiteral("pin"));
    press(dialog.cmdFindNext);
    EXPECT_EQ(selStart(), 40000);
    EXPECT_EQ(dialog.FoundPos(), 40001);
    press(dialog.cmdReplace);
    EXPECT_TRUE(form->txtEdit->Text().endsWith(QStringLiteral("word pin end")));
    EXPECT_EQ(promptsShown(), QStringList{QStringLiteral("String not found 'needle'")});
}

} // namespace
