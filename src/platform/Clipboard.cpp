#include "platform/Clipboard.h"

#include "platform/Failure.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {

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
    return data && data->hasText() && !data->text().isEmpty();
}

const QMimeData *Content() { return systemClipboard().mimeData(); }

void SetContent(QMimeData *data)
{
    std::unique_ptr<QMimeData> owned(data);
    systemClipboard().setMimeData(owned.release());
}

void SetPicture(const QImage &picture)
{
    auto *data = new QMimeData;
    data->setImageData(picture);
    SetContent(data);
}

} // namespace Clipboard
