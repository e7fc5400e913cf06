#include "MainWindowFixture.h"

#include <QFileInfo>
#include <algorithm>

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
        {"d", 1, "{\\rtf"},      // written as d.rtf: the dialog adds the type's extension
        {"e", 2, "Hello"},       // e.txt
    };
    for (const auto &c : cases) {
        dialogs.answerFile(path(c.name), c.fileType);
        EXPECT_TRUE(form->mnuSaveAs_Click()) << c.name;
        const QString written = QFileInfo(path(c.name)).suffix().isEmpty()
                                    ? path(c.name) + (c.fileType == 1 ? ".rtf" : ".txt") : path(c.name);
        EXPECT_TRUE(readFile(written).startsWith(c.expectedStart)) << c.name;
        EXPECT_FALSE(QFile::exists(path("d")));
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

// Plain text keeps only the characters: with anything more in the document, Save As with the
// "Text Files" type asks first, and anything but Yes goes back to the dialog as it was.
TEST_F(MainWindowTest, SavingFormattedTextAsPlainTextAsksAndAnythingButYesGoesBackToTheDialog)
{
    const QString question = QStringLiteral("Save as plain text? Formatting, pictures, tables and lists will be lost.");
    const struct {
        const char *name;
        bool formatted;
        int answer;
        bool saved;
    } cases[] = {
        {"plain text", false, vbYes, true},
        {"formatted, Yes", true, vbYes, true},
        {"formatted, No", true, vbNo, false},
        {"formatted, Escape", true, ScriptedMessageBox::dismissed, false},
    };
    for (const auto &c : cases) {
        QFile::remove(path("report.txt"));
        restart();
        type("Report");
        if (c.formatted) {
            form->txtEdit->setSelStart(0);
            form->txtEdit->setSelLength(3);
            form->txtEdit->setSelItalic(true);
        }
        messages.answers = {c.answer};
        dialogs.answerFile(path("report.txt"), 2);
        dialogs.cancelFile(); // the dialog again, if it comes back

        EXPECT_EQ(form->mnuSaveAs_Click(), c.saved) << c.name;

        EXPECT_EQ(promptsShown(), c.formatted ? QStringList({question}) : QStringList()) << c.name;
        if (c.formatted && !messages.shown.isEmpty()) {
            EXPECT_EQ(messages.shown[0].style, vbYesNo);
        }
        EXPECT_EQ(QFile::exists(path("report.txt")), c.saved) << c.name;
        EXPECT_EQ(form->IsModified(), !c.saved) << c.name;
        ASSERT_EQ(dialogs.fileRequests.size(), c.saved ? 1 : 2) << c.name;
        if (!c.saved) {
            EXPECT_EQ(dialogs.fileRequests[1].fileName, path("report.txt")) << c.name;
            EXPECT_EQ(dialogs.fileRequests[1].filterIndex, 2) << c.name;
        }
    }
    // Rich text keeps it all: no question.
    messages.shown.clear();
    dialogs.answerFile(path("report.rtf"), 1);
    EXPECT_TRUE(form->mnuSaveAs_Click());
    EXPECT_TRUE(messages.shown.isEmpty());
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

TEST_F(MainWindowTest, OpenWithoutChangesReplacesTheDocumentWithoutAsking)
{
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear reader\\par}");
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

// Open would replace the only copy of unsaved work: it asks as closing does, and goes on to its
// dialog only on No, or on Yes once the work is saved.
TEST_F(MainWindowTest, OpenWithUnsavedChangesAsksFirstAndGoesOnOnlyWhenNothingIsLost)
{
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear reader\\par}");
    const struct {
        const char *name;
        int answer;
        bool saveAs;      // Save As is answered with draft.rtf, else cancelled
        bool opened;
    } cases[] = {
        {"No", vbNo, false, true},
        {"Escape", ScriptedMessageBox::dismissed, false, false},
        {"Yes, Save As cancelled", vbYes, false, false},
        {"Yes, saved", vbYes, true, true},
    };
    for (const auto &c : cases) {
        QFile::remove(path("draft.rtf"));
        restart();
        type("unsaved work");
        messages.answers = {c.answer};
        if (c.answer == vbYes) {
            if (c.saveAs)
                dialogs.answerFile(path("draft.rtf"), 1);
            else
                dialogs.cancelFile();
        }
        dialogs.answerFile(path("letter.rtf"), 1);

        form->mnuOpen->trigger();

        ASSERT_EQ(promptsShown(), QStringList({QStringLiteral("Do you want to save changes to Untitled?")})) << c.name;
        EXPECT_EQ(messages.shown[0].style, vbYesNo) << c.name;
        EXPECT_EQ(form->txtEdit->Text().trimmed(), QString::fromLatin1(c.opened ? "Dear reader" : "unsaved work")) << c.name;
        EXPECT_EQ(form->IsModified(), !c.opened) << c.name;
        EXPECT_EQ(QFile::exists(path("draft.rtf")), c.saveAs) << c.name;
        const int openDialogs = int(std::count_if(dialogs.fileRequests.cbegin(), dialogs.fileRequests.cend(),
                                                  [](const FileDialogRequest &r) { return r.open; }));
        EXPECT_EQ(openDialogs, c.opened ? 1 : 0) << c.name;
    }
}

// Reading a file is no edit: after Open, from the menu or the command line, closing asks
// nothing, and the first edit sets the mark.
TEST_F(MainWindowTest, AfterOpenTheDocumentIsUnmodifiedUntilTheFirstEdit)
{
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear {\\b reader}\\par}");
    for (const bool fromMenu : {true, false}) {
        for (const bool edit : {false, true}) {
            restart();
            if (fromMenu) {
                dialogs.answerFile(path("letter.rtf"), 1);
                form->mnuOpen->trigger();
            } else {
                form->OpenCommandLine({QStringLiteral("corvala"), path("letter.rtf")});
            }
            QCoreApplication::processEvents();
            ASSERT_EQ(form->txtEdit->Text().trimmed(), QStringLiteral("Dear reader"));
            if (edit)
                type("x");
            EXPECT_EQ(form->IsModified(), edit) << fromMenu << edit;

            messages.answers = {vbNo};
            EXPECT_TRUE(closeWindow());
            EXPECT_EQ(messages.shown.size(), edit ? 1 : 0) << fromMenu << edit;
            EXPECT_EQ(programEnded, 1);
        }
    }
}

TEST_F(MainWindowTest, OpenOfANameThatDoesNotExistOrCancelDoesNothing)
{
    type("kept");
    messages.answers = {vbNo, vbNo};
    dialogs.answerFile(path("nowhere.rtf"), 1);
    form->mnuOpen->trigger();
    dialogs.cancelFile();
    form->mnuOpen->trigger();
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("kept"));
    // Only the question about the unsaved text, each time.
    EXPECT_EQ(promptsShown(), QStringList(2, QStringLiteral("Do you want to save changes to Untitled?")));
    EXPECT_TRUE(form->IsModified());
}

// Anything but a file is refused at once, before it is read: a pipe would hold the window until
// some other program wrote to it, a device would be read without end.
TEST_F(MainWindowTest, AFileThatCannotBeReadLeavesTheDocumentAndSaysWhichFileAndWhy)
{
    writeFile(path("photo.rtf"), QByteArray("\x89PNG\r\n\x1a\n not rich text", 22));
    TestFiles::makeFifo(path("pipe.rtf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("zero.rtf")));
    const struct {
        const char *name;
        const char *why;
    } cases[] = {
        {"photo.rtf", ""},
        {"pipe.rtf", "pipe.rtf is not a file: it is a named pipe."},
        {"zero.rtf", "zero.rtf is not a file: it is a device."},
    };
    type("kept");
    for (const auto &c : cases) {
        messages.shown.clear();
        messages.answers = {vbNo}; // not saved first
        dialogs.answerFile(path(c.name), 1);

        form->mnuOpen->trigger();

        EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("kept")) << c.name;
        EXPECT_TRUE(form->IsModified()) << c.name;
        ASSERT_EQ(messages.shown.size(), 2) << c.name;
        EXPECT_TRUE(messages.shown[1].prompt.startsWith(QStringLiteral("Cannot open \"%1\".\n%2").arg(path(c.name), c.why)))
            << messages.shown[1].prompt.toStdString();
        EXPECT_EQ(messages.shown[1].style, vbOKOnly | vbExclamation) << c.name;
        // After a file dialog no window is active: the box still belongs to the main window.
        EXPECT_EQ(messages.shown[1].owner, form.get()) << c.name;
    }
}

TEST_F(MainWindowTest, AFileNamedOnTheCommandLineOpensAsOpenWouldOrIsReported)
{
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear reader\\par}");
    writeFile(path("photo.rtf"), QByteArray("\x89PNG\r\n\x1a\n not rich text", 22));
    TestFiles::makeFifo(path("pipe.rtf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("zero.rtf")));
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
        {{"corvala", path("pipe.rtf")}, "", "Cannot open \"%1\".\npipe.rtf is not a file: it is a named pipe."},
        {{"corvala", path("zero.rtf")}, "", "Cannot open \"%1\".\nzero.rtf is not a file: it is a device."},
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
