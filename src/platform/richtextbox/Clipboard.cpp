#include "platform/richtextbox/Clipboard.h"

#include "base/Failure.h"
#include "platform/richtextbox/CopiedSelection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {

const QString kPngType = QStringLiteral("image/png");
const QString kJpegType = QStringLiteral("image/jpeg");
const QByteArray kPngSignature("\x89PNG\r\n\x1a\n");
const QByteArray kJpegSignature("\xff\xd8\xff");

QClipboard &systemClipboard()
{
    QClipboard *clipboard = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        ? QGuiApplication::clipboard()
        : nullptr;
    if (!clipboard)
        throw Failure(QStringLiteral("Can't open Clipboard"));
    return *clipboard;
}

} // namespace

namespace Clipboard {

bool HasText()
{
    const QMimeData *data = systemClipboard().mimeData();
    // What this program copied knows without making its text.
    if (const auto *copied = qobject_cast<const CopiedSelection *>(data))
        return copied->hasPlainText();
    return data && data->hasText() && !data->text().isEmpty();
}

void Release() { systemClipboard().clear(); }

const QMimeData *Content() { return systemClipboard().mimeData(); }

void SetContent(QMimeData *data)
{
    std::unique_ptr<QMimeData> owned(data);
    systemClipboard().setMimeData(owned.release());
}

void SetPicture(const QImage &picture, const QByteArray &fileData) { SetContent(PictureContent(picture, fileData)); }

QMimeData *PictureContent(const QImage &picture, const QByteArray &fileData)
{
    auto *data = new QMimeData;
    data->setImageData(picture);
    if (fileData.startsWith(kPngSignature))
        data->setData(kPngType, fileData);
    else if (fileData.startsWith(kJpegSignature))
        data->setData(kJpegType, fileData);
    return data;
}

QByteArray PictureFileData(const QMimeData &data)
{
    for (const QString &type : {kJpegType, kPngType}) {
        if (data.hasFormat(type))
            return data.data(type);
    }
    return {};
}

} // namespace Clipboard
