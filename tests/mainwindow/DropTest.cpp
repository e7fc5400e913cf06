// Files and text dropped on the editing area.
#include "MainWindowFixture.h"

#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace {

class DropTest : public MainWindowTest
{
protected:
    // Drops `data` at the place of character `position` of the editing area, as a file manager
    // or another program drops it, and lets the window take it.
    void drop(const QMimeData &data, int position)
    {
        QTextCursor at(form->txtEdit->document());
        at.setPosition(position);
        const QPointF point = form->txtEdit->cursorRect(at).center();
        QWidget *viewport = form->txtEdit->viewport();
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDropEvent dropped(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &dropped);
        // Never a move: the file manager would delete what was dropped.
        EXPECT_TRUE(dropped.isAccepted());
        EXPECT_EQ(dropped.dropAction(), Qt::CopyAction);
        QCoreApplication::processEvents();
    }

    void dropFiles(const QStringList &files, int position)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        drop(data, position);
    }

    QString pictureFile(const char *name)
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        EXPECT_TRUE(picture.save(path(name)));
        return path(name);
    }
};

// A dropped RTF document opens as Open opens it: the question about unsaved work first.
TEST_F(DropTest, AnRtfFileOpensAsOpenOpensItAskingFirst)
{
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear reader\\par}");
    const struct {
        const char *name;
        bool modified;
        int answer;
        bool opened;
    } cases[] = {
        {"nothing unsaved", false, vbOK, true},
        {"unsaved, No", true, vbNo, true},
        {"unsaved, Escape", true, ScriptedMessageBox::dismissed, false},
    };
    for (const auto &c : cases) {
        restart();
        form->txtEdit->setText(QStringLiteral("my work"));
        if (!c.modified) {
            dialogs.answerFile(path("saved.rtf"), 1);
            ASSERT_TRUE(form->mnuSaveAs_Click());
        }
        messages.answers = {c.answer};
        dropFiles({path("letter.rtf")}, 2);
        EXPECT_EQ(promptsShown(), c.modified ? QStringList{QStringLiteral("Do you want to save changes to Untitled?")}
                                             : QStringList())
            << c.name;
        EXPECT_EQ(form->txtEdit->Text().trimmed(), QString::fromLatin1(c.opened ? "Dear reader" : "my work")) << c.name;
        EXPECT_EQ(form->IsModified(), !c.opened) << c.name;
    }
}

// A dropped picture goes in where it is dropped, as Insert > Image puts it in; what the user
// copied stays on the clipboard.
TEST_F(DropTest, APictureFileIsInsertedWhereItIsDroppedAndTheClipboardIsKept)
{
    const QString picture = pictureFile("tile.png");
    form->txtEdit->setText(QStringLiteral("left right"));
    QGuiApplication::clipboard()->setText(QStringLiteral("copied before"));
    dropFiles({picture, picture}, 5);
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("left \uFFFC\uFFFCright"));
    EXPECT_TRUE(form->IsModified());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("copied before"));
    // Saved as its own PNG bytes, as Insert > Image keeps them.
    dialogs.answerFile(path("out.rtf"), 1);
    ASSERT_TRUE(form->mnuSaveAs_Click());
    EXPECT_TRUE(readFile(path("out.rtf")).contains("\\pngblip"));
}

// Anything else is refused with a message naming it, and the document stays as it was; a
// picture that can't be read is reported as Insert > Image reports it.
TEST_F(DropTest, OtherFilesAreRefusedWithAMessage)
{
    writeFile(path("report.pdf"), "%PDF-1.4");
    writeFile(path("letter.rtf"), "{\\rtf1\\ansi Dear reader\\par}");
    writeFile(path("broken.png"), "not a picture");
    const struct {
        const char *name;
        QStringList files;
        const char *message; // a part of it
    } cases[] = {
        {"a PDF file", {path("report.pdf")}, "report.pdf"},
        {"a picture beside a PDF file", {pictureFile("tile.png"), path("report.pdf")}, "report.pdf"},
        {"two documents", {path("letter.rtf"), path("letter.rtf")}, "one RTF file"},
        {"a picture that can't be read", {path("broken.png")}, "broken.png"},
    };
    for (const auto &c : cases) {
        restart();
        type("my work");
        dropFiles(c.files, 2);
        ASSERT_EQ(messages.shown.size(), 1) << c.name;
        EXPECT_TRUE(messages.shown[0].prompt.contains(QString::fromLatin1(c.message))) << c.name;
        EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("my work")) << c.name;
    }
}

// Text from another program, and a web address, still go in as text.
TEST_F(DropTest, DroppedTextIsInsertedAsBefore)
{
    form->txtEdit->setText(QStringLiteral("ab"));
    QMimeData text;
    text.setText(QStringLiteral("XY"));
    drop(text, 1);
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("aXYb"));

    QMimeData address;
    address.setUrls({QUrl(QStringLiteral("https://example.org/"))});
    address.setText(QStringLiteral("https://example.org/"));
    drop(address, 0);
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("https://example.org/aXYb"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
