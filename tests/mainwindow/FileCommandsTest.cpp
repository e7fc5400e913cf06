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

TEST_F(MainWindowTest, SavingOntoAnExistingFileAsksAndAnythingButYesGoesBackToTheDialog)
{
    const struct {
        int answer;
        bool saved;
        QByteArray oldAfter;
    } cases[] = {
        {vbYes, true, "new"},
        {vbNo, false, "old content"},
        {ScriptedMessageBox::dismissed, false, "old content"},
    };
    type("new");
    for (const auto &c : cases) {
        writeFile(path("old.txt"), "old content");
        messages.shown.clear();
        dialogs.fileRequests.clear();
        dialogs.fileAnswers.clear();
        messages.answers = {c.answer};
        dialogs.answerFile(path("old.txt"), 2);
        dialogs.cancelFile(); // the dialog again, if it comes back

        EXPECT_EQ(form->mnuSaveAs_Click(), c.saved) << c.answer;

        ASSERT_EQ(messages.shown.size(), 1) << c.answer;
        EXPECT_EQ(messages.shown[0].prompt, QStringLiteral("old.txt already exists.\nDo you want to replace it?"));
        EXPECT_EQ(messages.shown[0].style & vbYesNo, vbYesNo);
        EXPECT_EQ(readFile(path("old.txt")), c.oldAfter) << c.answer;
        // Back in the dialog, it starts with the name and the type just chosen.
        ASSERT_EQ(dialogs.fileRequests.size(), c.saved ? 1 : 2) << c.answer;
        if (!c.saved) {
            EXPECT_EQ(dialogs.fileRequests[1].fileName, path("old.txt"));
            EXPECT_EQ(dialogs.fileRequests[1].filterIndex, 2);
        }
    }
}

TEST_F(MainWindowTest, AfterNoToReplacingAnotherNameCanBeChosen)
{
    writeFile(path("old.txt"), "old content");
    type("new");
    messages.answers = {vbNo};
    dialogs.answerFile(path("old.txt"), 2);
    dialogs.answerFile(path("other.txt"), 2);

    EXPECT_TRUE(form->mnuSaveAs_Click());
    EXPECT_EQ(readFile(path("old.txt")), QByteArray("old content"));
    EXPECT_EQ(readFile(path("other.txt")), QByteArray("new"));
    EXPECT_FALSE(form->IsModified());
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
    // After a file dialog no window is active: the box still belongs to the main window.
    EXPECT_EQ(messages.shown[0].owner, form.get());
}

TEST_F(MainWindowTest, AFileNamedOnTheCommandLineOpensAsOpenWouldOrIsReported)
{
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear reader\\par}");
    writeFile(path("photo.rtf"), QByteArray("\x89PNG\r\n\x1a\n not rich text", 22));
    const struct {
        QStringList arguments;
        const char *text;
        const char *message;
    } cases[] = {
        {{"corvala", path("letter.rtf")}, "Dear reader", nullptr},
        {{"corvala", "-style", path("letter.rtf")}, "Dear reader", nullptr},
        {{"corvala"}, "", nullptr},
        {{"corvala", path("missing.rtf")}, "", "Cannot open \"%1\".\nFile not found"},
        {{"corvala", path("photo.rtf")}, "", "Cannot open \"%1\"."},
    };
    for (const auto &c : cases) {
        form.reset();
        messages.shown.clear();
        start();

        form->OpenCommandLine(c.arguments);

        const QString shown = c.arguments.join(' ');
        EXPECT_EQ(form->txtEdit->Text().trimmed(), QString::fromUtf8(c.text)) << shown.toStdString();
        if (!c.message) {
            EXPECT_TRUE(messages.shown.isEmpty()) << shown.toStdString();
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1) << shown.toStdString();
        EXPECT_TRUE(messages.shown[0].prompt.startsWith(QString::fromUtf8(c.message).arg(c.arguments.last())))
            << messages.shown[0].prompt.toStdString();
        EXPECT_EQ(messages.shown[0].owner, form.get());
    }
}

TEST_F(MainWindowTest, NewAsksEvenWithoutChangesAndEmptiesTheDocumentOnlyOnYes)
{
    type("text");
    const struct {
        int answer;
        const char *textAfter;
    } cases[] = {{vbNo, "text"}, {ScriptedMessageBox::dismissed, "text"}, {vbYes, ""}};
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
