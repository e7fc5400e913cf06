#include "MainWindowFixture.h"

#include "platform/Colors.h"

namespace {

const QString kSavePrompt = QStringLiteral("Do you want to save changes to Untitled?");

TEST_F(MainWindowTest, ClosingWithoutChangesAsksNothingAndEndsTheProgram)
{
    EXPECT_TRUE(closeWindow());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(programEnded, 1);
    // The toolbar goes back to the button face as the window closes.
    EXPECT_EQ(form->Toolbar1->Background(), Colors::toQColor(Colors::vbButtonFace));
}

TEST_F(MainWindowTest, ClosingWithChangesAsksAndNoClosesWithoutSaving)
{
    type("draft");
    messages.answers = {vbNo};

    EXPECT_TRUE(closeWindow());

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].prompt, kSavePrompt);
    EXPECT_EQ(messages.shown[0].style, vbYesNo);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Corvala"));
    EXPECT_TRUE(dialogs.fileRequests.isEmpty());
    EXPECT_EQ(programEnded, 1);
}

TEST_F(MainWindowTest, ClosingWithYesSavesThenCloses)
{
    type("draft");
    messages.answers = {vbYes};
    dialogs.answerFile(path("draft.rtf"), 1);

    EXPECT_TRUE(closeWindow());

    EXPECT_TRUE(readFile(path("draft.rtf")).startsWith("{\\rtf"));
    EXPECT_EQ(programEnded, 1);
}

// Closing would lose the changes when the user wanted them kept but they were not written, or
// when Escape or the question's close box decided nothing: the window stays open with its text.
TEST_F(MainWindowTest, ClosingKeepsTheWindowAndItsTextUnlessTheChangesAreSavedOrGivenUp)
{
    const struct {
        const char *name;
        int answer;
        std::function<void(MainWindowTest &)> answerSaveAs;
    } cases[] = {
        {"Escape or close box", ScriptedMessageBox::dismissed, [](MainWindowTest &) {}},
        {"Save As cancelled", vbYes, [](MainWindowTest &t) { t.dialogs.cancelFile(); }},
        {"write failed", vbYes, [](MainWindowTest &t) { t.dialogs.answerFile(t.path("no-such-folder/draft.rtf"), 1); }},
    };
    for (const auto &c : cases) {
        form->txtEdit->setText(QStringLiteral("draft"));
        messages.shown.clear();
        messages.answers = {c.answer};
        c.answerSaveAs(*this);

        EXPECT_FALSE(closeWindow()) << c.name;
        EXPECT_EQ(promptsShown().value(0), kSavePrompt) << c.name;
        EXPECT_EQ(programEnded, 0) << c.name;
        EXPECT_TRUE(form->IsModified()) << c.name;
        EXPECT_TRUE(form->isVisible()) << c.name;
        EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("draft")) << c.name;
    }
}

TEST_F(MainWindowTest, ExitAsksTheSameQuestionAsTheCloseBox)
{
    type("draft");
    messages.answers = {vbNo};
    form->mnuExit->trigger();
    EXPECT_EQ(promptsShown(), QStringList({kSavePrompt}));
    EXPECT_EQ(programEnded, 1);
}

} // namespace
