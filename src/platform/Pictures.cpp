#include "platform/Pictures.h"

#include "platform/Failure.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace {

// Decoding is refused above this many megabytes, so a small file that claims a gigantic
// picture cannot exhaust memory.
constexpr int kPictureAllocationLimitMB = 256;

} // namespace

namespace Pictures {

QImage LoadPicture(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw Failure(QStringLiteral("File not found: %1").arg(path));
    QImageReader reader(path);
    reader.setAllocationLimit(kPictureAllocationLimitMB);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        throw Failure(QStringLiteral("Invalid picture: %1 (%2)").arg(path, reader.errorString()));
    return image;
}

QCursor LoadCursor(const QString &path)
{
    const QImage image = LoadPicture(path);
    return QCursor(QPixmap::fromImage(image));
}

} // namespace Pictures
