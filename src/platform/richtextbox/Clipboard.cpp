#include "platform/richtextbox/Clipboard.h"

#include "base/Failure.h"
#include "platform/richtextbox/CopiedSelection.h"
#include "platform/richtextbox/SelectionMime.h"

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

void SetPicture(const QImage &picture, const QByteArray &fileData)
{
    SetContent(SelectionMime::fromPicture(picture, fileData));
}

} // namespace Clipboard
