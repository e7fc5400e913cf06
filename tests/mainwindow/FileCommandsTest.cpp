#include "MainWindowFixture.h"

namespace {

const QString kNewPrompt = QStringLiteral("Do you want to start a new document.");

TEST_F(MainWindowTest, SaveAsWritesTheFormatOfTheChosenFileTypeNotOfTheName)
{
    type("Hello");
    const struct {
        const char *name;
        int fileType;
        QByteArray expectedStart;
    } cases[] = {
        {"a.rtf", 1, "{\\rtf"},
        {"b.txt", 2, "Hello"},
        {"c.rtf", 2, "Hello"},   // plain text, whatever the name says
        {"d", 1, "{\\rtf"},      // no extension is added
    };
    for (const auto &c : cases) {
        dialogs.answerFile(path(c.name), c.fileType);
        EXPECT_TRUE(form->mnuSaveAs_Click()) << c.name;
        EXPECT_TRUE(readFile(path(c.name)).startsWith(c.expectedStart)) << c.name;
        EXPECT_FALSE(form->IsModified()) << c.name;
    }
    EXPECT_EQ(readFile(path("b.txt")), QByteArray("Hello"));
}

TEST_F(MainWindowTest, TheNextSaveAsPreselectsTheTypeChosenLastAndStartsWithAnEmptyName)
{
    type("x");
    dialogs.answerFile(path("notes.txt"), 2);
    form->mnuSave->trigger();
    dialogs.cancelFile();
    form->mnuSave->trigger();

    ASSERT_EQ(dialogs.fileRequests.size(), 2);
    const FileDialogRequest &first = dialogs.fileRequests[0];
    EXPECT_EQ(first.title, QStringLiteral("Save As"));
    EXPECT_FALSE(first.open);
    EXPECT_EQ(first.nameFilters, QStringList({"RTF Files(*.rtf)", "Text Files(*.txt)"}));
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_FALSE(first.confirmOverwrite);
    EXPECT_EQ(dialogs.fileRequests[1].filterIndex, 2);
    EXPECT_TRUE(dialogs.fileRequests[1].fileName.isEmpty());
}

TEST_F(MainWindowTest, CancellingSaveAsKeepsTheModifiedMarkSoClosingStillAsks)
{
    type("x");
    dialogs.cancelFile();
    EXPECT_FALSE(form->mnuSaveAs_Click());
    EXPECT_TRUE(form->IsModified());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MainWindowTest, SavingOntoAnExistingFileReplacesItWithoutAQuestion)
{
    writeFile(path("old.txt"), "old content");
    type("new");
    dialogs.answerFile(path("old.txt"), 2);
    form->mnuSaveAs_Click();
    EXPECT_EQ(readFile(path("old.txt")), QByteArray("new"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MainWindowTest, AFailedWriteIsReportedAtItsLineAndTheDocumentStaysModified)
{
    type("x");
    const struct {
        int fileType;
        const char *line;
    } cases[] = {{1, "at line 116\r"}, {2, "at line 118\r"}};
    for (const auto &c : cases) {
        messages.shown.clear();
        dialogs.answerFile(path("missing-folder/x.rtf"), c.fileType);
        EXPECT_FALSE(form->mnuSaveAs_Click());
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].prompt.contains(QStringLiteral("in Corvala2021/08/31.Form1.mnuSaveAs_Click ")));
        EXPECT_TRUE(messages.shown[0].prompt.contains(QString::fromLatin1(c.line)));
        EXPECT_TRUE(form->IsModified());
    }
}

TEST_F(MainWindowTest, OpenReplacesTheDocumentWithoutAsking)
{
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear reader\\par}");
    type("unsaved work");
    dialogs.answerFile(path("letter.rtf"), 1);

    form->mnuOpen->trigger();

    EXPECT_EQ(form->txtEdit->Text().trimmed(), QStringLiteral("Dear reader"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Corvala Software"));
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_TRUE(dialogs.fileRequests[0].open);
    EXPECT_EQ(dialogs.fileRequests[0].title, QStringLiteral("Open"));
    EXPECT_EQ(dialogs.fileRequests[0].nameFilters, QStringList({"RTF Files(*.rtf)"}));
}

TEST_F(MainWindowTest, OpenOfANameThatDoesNotExistOrCancelDoesNothing)
{
    type("kept");
    dialogs.answerFile(path("nowhere.rtf"), 1);
    form->mnuOpen->trigger();
    dialogs.cancelFile();
    form->mnuOpen->trigger();
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("kept"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MainWindowTest, AFileThatCannotBeReadLeavesTheDocumentAndSaysWhichFileAndWhy)
{
    writeFile(path("photo.rtf"), QByteArray("\x89PNG\r\n\x1a\n not rich text", 22));
    type("kept");
    dialogs.answerFile(path("photo.rtf"), 1);

    form->mnuOpen->trigger();

    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("kept"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].prompt.contains(path("photo.rtf")));
    EXPECT_EQ(messages.shown[0].style, vbOKOnly | vbExclamation);
}

TEST_F(MainWindowTest, NewAsksEvenWithoutChangesAndEmptiesTheDocumentOnlyOnYes)
{
    type("text");
    const struct {
        int answer;
        const char *textAfter;
    } cases[] = {{vbNo, "text"}, {vbYes, ""}};
    for (const auto &c : cases) {
        messages.shown.clear();
        messages.answers = {c.answer};
        form->mnuNew->trigger();
        EXPECT_EQ(promptsShown(), QStringList({kNewPrompt}));
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Corvala"));
        EXPECT_EQ(form->txtEdit->Text(), QString::fromUtf8(c.textAfter));
    }
}

} // namespace
