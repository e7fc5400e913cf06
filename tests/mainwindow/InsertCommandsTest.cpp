#include "MainWindowFixture.h"
#include "dialogs/DateDialogFixture.h"
#include "dialogs/PushToggleButton.h"

#include "app/PictureClipboard.h"
#include "base/Failure.h"
#include "support/OneColourGif.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QTextBlock>
#include <QTextImageFormat>
#include <QTimer>
#include <QUrl>

namespace {

const QDateTime kThursdayAfternoon(QDate(2026, 3, 5), QTime(14, 5, 9));

class InsertCommandsTest : public MainWindowTest
{
public:
    void SetUp() override
    {
        resetDateDialogState();
        MainWindowTest::SetUp();
    }
    void TearDown() override { resetDateDialogState(); }

    // Insert > Date and Time with the clock at `now`; `user` works the dialog while it waits.
    void dateAndTime(const QDateTime &now, const std::function<void(frmDate &)> &user)
    {
        frmDate *dialog = fixedDateDialog(messages, form.get(), now);
        QTimer::singleShot(0, dialog, [dialog, user] { user(*dialog); });
        form->mnuDateTime_Click();
    }

    // "hello world" with "world" selected.
    void selectWorld()
    {
        type("hello world");
        form->txtEdit->setSelStart(6);
        form->txtEdit->setSelLength(5);
    }
};

auto choose(int row)
{
    return [row](frmDate &d) {
        d.LstFormat->setCurrentRow(row);
        d.cmdInsert->click();
    };
}

TEST_F(InsertCommandsTest, DateAndTimeInsertsTheChosenEntryOnlyOnInsert)
{
    const struct {
        const char *name;
        std::function<void(frmDate &)> user;
        const char *text;
    } cases[] = {
        {"Insert", choose(9), "hello 05 March 2026"},
        {"Cancel", [](frmDate &d) { d.LstFormat->setCurrentRow(9); d.cmdCancel->click(); }, "hello world"},
        {"close box", [](frmDate &d) { d.LstFormat->setCurrentRow(9); d.close(); }, "hello world"},
    };
    for (const auto &c : cases) {
        resetDateDialogState();
        form->txtEdit->setText(QString());
        selectWorld();
        dateAndTime(kThursdayAfternoon, c.user);
        EXPECT_EQ(form->txtEdit->Text(), QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(DateDialogResult, DateDialogConsumed) << c.name;
        EXPECT_TRUE(DateDialog.isNull()) << c.name;
    }
}

TEST_F(InsertCommandsTest, InsertWithoutAChoiceGivesTheEarlierEntryAsItIsNow)
{
    dateAndTime(kThursdayAfternoon, choose(12));
    dateAndTime(kThursdayAfternoon.addSecs(2 * 3600 + 60), [](frmDate &d) { d.cmdInsert->click(); });
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("02:05 PM04:06 PM"));
}

TEST_F(InsertCommandsTest, InsertWithNoChoiceEverKeepsTheSelection)
{
    selectWorld();
    dateAndTime(kThursdayAfternoon, [](frmDate &d) { d.cmdInsert->click(); });
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("hello world"));
    EXPECT_EQ(form->txtEdit->SelText(), QStringLiteral("world"));
}

// The pictures of the editing area, in order, as they are drawn.
QList<QImage> picturesIn(const RichTextBox &box)
{
    QList<QImage> pictures;
    const QTextDocument &document = *box.document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                // Neighbouring pictures of one format share a fragment, a character each.
                const QVariant resource = document.resource(
                    QTextDocument::ImageResource, QUrl(it.fragment().charFormat().toImageFormat().name()));
                pictures.append(QList<QImage>(it.fragment().length(), resource.canConvert<QImage>()
                                                  ? resource.value<QImage>()
                                                  : QImage::fromData(resource.toByteArray())));
            }
    return pictures;
}

class InsertPictureTest : public MainWindowTest
{
public:
    // A 40 x 30 picture file, orange, of the given format.
    QString pictureFile(const char *name, const char *format)
    {
        const QColor orange(255, 128, 0);
        const QString file = path(name);
        if (qstrcmp(format, "GIF") == 0) {
            writeFile(file, oneColourGif(40, 30, orange));
            return file;
        }
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(orange);
        EXPECT_TRUE(picture.save(file, format, 90));
        return file;
    }

    void insertPicture(const QString &file, int fileType)
    {
        dialogs.answerFile(file, fileType);
        form->mnuPic->trigger();
    }
};

TEST_F(InsertPictureTest, ImageInsertsThePictureOfEachFileType)
{
    const struct {
        const char *name, *format;
        int fileType;
    } cases[] = {{"orange.bmp", "BMP", 1}, {"orange.gif", "GIF", 2}, {"orange.jpg", "JPEG", 3}};
    for (const auto &c : cases) {
        form->txtEdit->setText(QStringLiteral("ab"));
        form->txtEdit->setSelStart(1);
        insertPicture(pictureFile(c.name, c.format), c.fileType);
        EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("a\uFFFCb")) << c.name;
        const QList<QImage> pictures = picturesIn(*form->txtEdit);
        ASSERT_EQ(pictures.size(), 1) << c.name;
        EXPECT_EQ(pictures[0].size(), QSize(40, 30)) << c.name;
        EXPECT_NEAR(qRed(pictures[0].pixel(20, 15)), 255, 8) << c.name;
        EXPECT_NEAR(qGreen(pictures[0].pixel(20, 15)), 128, 8) << c.name;
        EXPECT_TRUE(form->PicData.Picture.isNull()) << c.name;
    }
    EXPECT_TRUE(form->IsModified());
    EXPECT_TRUE(messages.shown.isEmpty());
    const FileDialogRequest &request = dialogs.fileRequests.constFirst();
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.title, QStringLiteral("Picture"));
    EXPECT_EQ(request.nameFilters,
              QStringList({"Picture Files(*.bmp)", "GIF Files(*.gif)", "JPEG Files(*.jpg)"}));
}

TEST_F(InsertPictureTest, PasteAfterImageInsertsThePictureAgain)
{
    insertPicture(pictureFile("orange.gif", "GIF"), 2);
    form->mnuPaste_Click();
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("\uFFFC\uFFFC"));
    EXPECT_EQ(picturesIn(*form->txtEdit).size(), 2);
}

TEST_F(InsertPictureTest, AFileThatIsNoWholePictureIsNamedAndChangesNothing)
{
    type("keep");
    QGuiApplication::clipboard()->setText(QStringLiteral("clipboard text"));
    writeFile(path("broken.jpg"), "\xff\xd8\xff this is no photo");
    const QByteArray photo = readFile(pictureFile("photo.jpg", "JPEG"));
    writeFile(path("cut short.jpg"), photo.left(photo.size() * 3 / 4));
    const QByteArray gif = oneColourGif(40, 30, Qt::blue);
    writeFile(path("cut short.gif"), gif.left(gif.size() / 2));
    const struct {
        QString file;
        const char *said; // what the message says of the file
    } cases[] = {
        {path("broken.jpg"), "damaged"},
        {path("cut short.jpg"), "damaged"},
        {path("cut short.gif"), "damaged"},
        {path("missing.gif"), "does not exist"},
    };
    for (const auto &c : cases) {
        messages.shown.clear();
        insertPicture(c.file, 3);
        EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("keep")) << c.file.toStdString();
        ASSERT_EQ(messages.shown.size(), 1) << c.file.toStdString();
        const QString prompt = messages.shown[0].prompt;
        EXPECT_TRUE(prompt.contains(QFileInfo(c.file).fileName())) << prompt.toStdString();
        EXPECT_TRUE(prompt.contains(QLatin1String(c.said))) << prompt.toStdString();
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("clipboard text"));
}

TEST_F(InsertPictureTest, APhotoSurvivesSaveAsAndOpenAsItsJpegData)
{
    const QString photo = pictureFile("photo.jpg", "JPEG");
    const QByteArray photoBytes = readFile(photo);
    form->txtEdit->setText(QStringLiteral("x"));
    dialogs.answerFile(path("empty.rtf"), 1);
    form->mnuSaveAs_Click();
    form->txtEdit->setSelStart(1);
    insertPicture(photo, 3);

    // The Picture dialog's third type does not exist in Save As: it opens on the first.
    dialogs.answerFile(path("photo.rtf"), 1);
    form->mnuSaveAs_Click();
    EXPECT_EQ(dialogs.fileRequests.last().filterIndex, 1);
    const QByteArray rtf = readFile(path("photo.rtf"));
    EXPECT_TRUE(rtf.contains("\\jpegblip"));
    EXPECT_TRUE(QByteArray(rtf).replace('\n', "").replace('\r', "").contains(photoBytes.toHex()));
    EXPECT_LT(rtf.size() - readFile(path("empty.rtf")).size(), 2 * photoBytes.size() + 400);

    form->txtEdit->setText(QString());
    messages.answers = {vbNo}; // the emptied document is not saved first
    dialogs.answerFile(path("photo.rtf"), 1);
    form->mnuOpen_Click();
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("x\uFFFC"));
    ASSERT_EQ(picturesIn(*form->txtEdit).size(), 1);
    EXPECT_EQ(picturesIn(*form->txtEdit)[0].size(), QSize(40, 30));
}

TEST(PutPictureOnClipboard, TriesUpToAThousandTimesAndStopsAtTheFirstSuccess)
{
    const struct {
        int failures, attempts;
    } cases[] = {{0, 1}, {999, 1000}, {5000, 1000}};
    for (const auto &c : cases) {
        int attempts = 0;
        PutPictureOnClipboard(StdPicture{}, vbCFBitmap, [&](const StdPicture &, int format) {
            EXPECT_EQ(format, vbCFBitmap);
            if (++attempts <= c.failures)
                throw Failure(QStringLiteral("Can't open Clipboard"));
        });
        EXPECT_EQ(attempts, c.attempts) << c.failures << " failures";
    }
}

} // namespace
