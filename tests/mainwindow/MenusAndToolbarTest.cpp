#include "MainWindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

QStringList menuTree(const QMenuBar &bar)
{
    QStringList lines;
    for (QAction *top : bar.actions()) {
        lines << top->objectName() + " " + top->text();
        for (QAction *item : top->menu()->actions()) {
            QString line = "  " + item->objectName() + " " + (item->isSeparator() ? "-" : item->text());
            if (!item->shortcut().isEmpty())
                line += " " + item->shortcut().toString();
            if (item->isChecked())
                line += " [checked]";
            lines << line;
        }
    }
    return lines;
}

TEST_F(MainWindowTest, TheMenuBarHasEveryItemWithItsCaptionShortcutAndCheckMark)
{
    EXPECT_EQ(menuTree(*form->menuBar()), QStringList({
        "mnuFile &File",
        "  mnuNew &New... Ctrl+N", "  mnuOpen &Open... Ctrl+O", "  mnuBlank1 -",
        "  mnuSave &Save Ctrl+S", "  mnuSaveAs Save &As...", "  mnuBlank2 -",
        "  mnuPrint &Print... Ctrl+P", "  mnuPageSetup Page Set&up...", "  mnuBlank3 -", "  mnuExit E&xit",
        "mnuEdit &Edit",
        "  mnuUndo &Undo Ctrl+Z", "  mnuRedo &Redo Ctrl+Y", "  mnuBlank5 -", "  mnuCut Cu&t Ctrl+X",
        "  mnuCopy &Copy Ctrl+C", "  mnuPaste &Paste Ctrl+V", "  mnuBlank7 -",
        "  mnuSelAll Select &All Ctrl+A", "  mnuBlank9 -", "  mnuSearchReplace &Search/Replace",
        "mnuInsert &Insert",
        "  mnuDateTime &Date and Time...", "  mnuPic &Image...",
        "mnuFormat &Format",
        "  mnuFont &Font...", "  mnuWordWrap Word Wrap", "  mnubground Background...", "  mnuFormatSep1 -",
        "  mnuFormatLeft Left [checked]", "  mnuFormatCenter Center", "  mnuFormatRight Right",
    }));
}

TEST_F(MainWindowTest, ToolbarHasElevenButtonsWithTheirOwnCommandsNamesAsToolTipsAndSpokenNames)
{
    ASSERT_EQ(form->Toolbar1->ButtonCount(), 11);
    const char *names[] = {"New", "Open", "Save As", "Print", nullptr, "Cut", "Copy", "Paste", nullptr, "Undo", "Redo"};
    for (int index = 1; index <= 11; ++index) {
        ToolbarButton &button = form->Toolbar1->Buttons(index);
        EXPECT_TRUE(button.Enabled()) << index;
        if (!names[index - 1]) {
            EXPECT_TRUE(button.IsSeparator()) << index;
            continue;
        }
        const QString name = QString::fromLatin1(names[index - 1]);
        EXPECT_TRUE(button.ToolTipText().startsWith(name)) << index;
        const QWidget *widget = form->Toolbar1->widgetForAction(button.action());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->accessibleName(), name) << index;
    }
    EXPECT_EQ(form->Toolbar1->accessibleName(), QStringLiteral("Toolbar"));
    EXPECT_EQ(form->txtEdit->accessibleName(), QStringLiteral("Document"));
}

TEST_F(MainWindowTest, EachToolbarButtonReachesItsCommandAndSeparatorsDoNothing)
{
    type("ab");
    form->txtEdit->setSelStart(0);
    form->txtEdit->setSelLength(1);

    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(5));
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(9));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(dialogs.fileRequests.isEmpty());

    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(7)); // Copy
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a"));
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(6)); // Cut
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("b"));
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(8)); // Paste
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("ab"));
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(10)); // Undo
    EXPECT_FALSE(form->Toolbar1->Buttons(10).Enabled());
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(11)); // Redo
    EXPECT_TRUE(form->Toolbar1->Buttons(10).Enabled());

    messages.answers = {vbNo};
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(1)); // New asks
    EXPECT_EQ(promptsShown(), QStringList({"Do you want to start a new document."}));

    messages.answers = {vbNo}; // Open asks about the changes first
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(2)); // Open
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(3)); // Save As, not Save
    ASSERT_EQ(dialogs.fileRequests.size(), 2);
    EXPECT_EQ(dialogs.fileRequests[0].title, QStringLiteral("Open"));
    EXPECT_EQ(dialogs.fileRequests[1].title, QStringLiteral("Save As"));
}

TEST_F(MainWindowTest, AFailureInACommandWithoutItsOwnReportIsReportedAtTheToolbarsLine)
{
    writeFile(path("bad.rtf"), "plain words, not rich text");
    dialogs.answerFile(path("bad.rtf"), 1);
    form->Toolbar1_ButtonClick(form->Toolbar1->Buttons(2));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Application Error"));
    EXPECT_TRUE(messages.shown[0].prompt.contains(
        QStringLiteral("in Corvala2021/08/31.form1.toolbar1_ButtonClick at line 106").replace("form1", "Form1")));
}

TEST_F(MainWindowTest, MenuShortcutsReachTheirCommandsWhileTheEditingAreaHasTheFocus)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    type("some text");
    form->mnuCopy_Click(); // the Edit menu now offers Select All and Undo
    ASSERT_FALSE(form->mnuCut->isEnabled());
    QTest::keyClick(form->txtEdit, Qt::Key_A, Qt::ControlModifier); // Select All, through the menu
    EXPECT_EQ(form->txtEdit->SelLength(), 9);
    EXPECT_TRUE(form->mnuCut->isEnabled());

    QTest::keyClick(form->txtEdit, Qt::Key_Z, Qt::ControlModifier); // Undo, through the menu
    EXPECT_FALSE(form->Toolbar1->Buttons(10).Enabled());
    QTest::keyClick(form->txtEdit, Qt::Key_Y, Qt::ControlModifier); // Redo
    EXPECT_TRUE(form->Toolbar1->Buttons(10).Enabled());
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("some text"));
}

} // namespace
