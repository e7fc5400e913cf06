// Files dropped on the window: an RTF document opens as Open opens it, a picture goes into the
// document as Insert > Image puts it there, anything else is refused with a message. Text and
// web addresses dragged from other programs are left to the editing area, which inserts them.
#include "mainwindow/Form1.h"

#include "base/Failure.h"
#include "platform/Pictures.h"
#include "platform/richtextbox/SelectionMime.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

enum class DroppedFile { Document, Picture, Other };

DroppedFile kindOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("rtf"))
        return DroppedFile::Document;
    for (const char *picture : {"bmp", "gif", "jpg", "jpeg", "png"})
        if (suffix == QLatin1String(picture))
            return DroppedFile::Picture;
    return DroppedFile::Other;
}

// The local files a drag carries; none when it carries anything else as well (a web address),
// which the editing area takes as text, as it always did.
QStringList draggedFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

bool Form1::FileDragEvent(QEvent *event, bool atDropPoint)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    // QDragEnterEvent is a QDragMoveEvent, which is a QDropEvent.
    auto *drag = static_cast<QDropEvent *>(event);
    const QStringList files = draggedFiles(drag->mimeData());
    if (files.isEmpty())
        return false;
    // A copy, whatever the source proposes: a file manager that offered a move would delete the
    // file after it had been opened or inserted.
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop) {
        const int position = atDropPoint ? txtEdit->cursorForPosition(drag->position().toPoint()).position() : -1;
        // After the drop has ended: the program the files came from waits for its end, and the
        // question about unsaved changes, or a message, must not hold it up.
        QTimer::singleShot(0, this, [this, files, position] { runCommand([&] { DropFiles(files, position); }); });
    }
    return true;
}

void Form1::DropFiles(const QStringList &files, int position)
{
    for (const QString &file : files) {
        const DroppedFile kind = kindOf(file);
        if (kind == DroppedFile::Other) {
            throw Failure(QStringLiteral("Cannot take \"%1\": drop an RTF document (.rtf) to open it, or a "
                                         "picture (.bmp, .gif, .jpg, .png) to insert it.")
                              .arg(QDir::toNativeSeparators(file)));
        }
        if (kind == DroppedFile::Document && files.size() > 1)
            throw Failure(QStringLiteral("Only one document can be opened at a time: drop one RTF file."));
    }
    if (kindOf(files.first()) == DroppedFile::Document) {
        if (MayReplaceDocument())
            OpenDocument(QFileInfo(files.first()).absoluteFilePath());
        return;
    }
    // Every picture is read before any goes in: a damaged one leaves the document as it was.
    QList<StdPicture> pictures;
    for (const QString &file : files)
        pictures.append(Pictures::LoadPictureFile(file));
    if (position >= 0)
        txtEdit->setSelStart(position);
    // The pictures go in as Insert > Image pastes them, with their files' bytes, but not by way
    // of the clipboard: a drop leaves what the user copied where it was.
    for (const StdPicture &picture : pictures) {
        const std::unique_ptr<QMimeData> content(SelectionMime::fromPicture(picture.Image, picture.FileData));
        txtEdit->Insert(*content);
    }
}
