#include "rtf/OriginalPicture.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>

namespace {

// What the document holds beside an image: its original, and which image it was kept with.
struct KeptPicture
{
    OriginalPicture original;
    qint64 imageKey = 0;
};

constexpr double twipsPerPixel = 15.0;   // 1440 twips an inch at 96 DPI
constexpr double himetricPerPixel = 2540.0 / 96.0;
constexpr double maxDisplaySide = 20000.0;   // pixels: keeps layout sane for absurd goals

// The original's own resource name: never a name an image or a file could have.
QUrl keptName(const QString &imageName)
{
    return QUrl(QStringLiteral("original-picture:") + QString::fromLatin1(imageName.toUtf8().toHex()));
}

qint64 imageKey(const QTextDocument &document, const QString &imageName)
{
    const QVariant image = document.resource(QTextDocument::ImageResource, QUrl(imageName));
    return image.typeId() == QMetaType::QImage ? image.value<QImage>().cacheKey() : 0;
}

} // namespace

Q_DECLARE_METATYPE(KeptPicture)

bool OriginalPicture::isMetafile() const
{
    return type == Type::WindowsMetafile || type == Type::EnhancedMetafile || type == Type::Os2Metafile;
}

QSizeF OriginalPicture::displaySize(QSize decoded) const
{
    double w = 0, h = 0;
    if (goalWidth > 0 && goalHeight > 0) {
        w = goalWidth / twipsPerPixel;
        h = goalHeight / twipsPerPixel;
    } else if (!decoded.isEmpty()) {
        w = decoded.width();
        h = decoded.height();
    } else if (width > 0 && height > 0) {
        const double perPixel = isMetafile() ? himetricPerPixel : 1.0;
        w = width / perPixel;
        h = height / perPixel;
    }
    if (w <= 0 || h <= 0)
        w = h = 32;
    const double sx = scaleX > 0 ? scaleX / 100.0 : 1.0;
    const double sy = scaleY > 0 ? scaleY / 100.0 : 1.0;
    return {std::clamp(w * sx, 1.0, maxDisplaySide), std::clamp(h * sy, 1.0, maxDisplaySide)};
}

OriginalPicture OriginalPicture::fromFileData(const QByteArray &bytes)
{
    OriginalPicture picture;
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        picture.type = Type::Png;
    else if (bytes.startsWith("\xff\xd8\xff"))
        picture.type = Type::Jpeg;
    else
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    const QSize size = QImageReader(&buffer).size();
    if (!size.isValid())
        return {};
    picture.data = bytes;
    picture.width = size.width();
    picture.height = size.height();
    return picture;
}

QString pictureName(const QImage &shown, const OriginalPicture &original)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!original.isNull()) {
        const int words[] = {int(original.type), original.typeParameter, original.width, original.height,
                             original.goalWidth, original.goalHeight, original.scaleX, original.scaleY,
                             original.cropLeft, original.cropTop, original.cropRight, original.cropBottom,
                             original.bitsPerPixel, original.planes, original.widthBytes};
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(words), sizeof words));
        hash.addData(original.data);
    } else {
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(shown.constBits()), shown.sizeInBytes()));
        hash.addData(QByteArray::number(shown.width()) + 'x' + QByteArray::number(shown.height()));
    }
    return QStringLiteral("picture-") + QString::fromLatin1(hash.result().toHex());
}

void keepOriginalPicture(QTextDocument &document, const QString &imageName, const OriginalPicture &original)
{
    document.addResource(QTextDocument::UserResource, keptName(imageName),
                         QVariant::fromValue(KeptPicture{original, imageKey(document, imageName)}));
}

OriginalPicture originalPicture(const QTextDocument &document, const QString &imageName)
{
    const QVariant kept = document.resource(QTextDocument::UserResource, keptName(imageName));
    if (kept.typeId() != qMetaTypeId<KeptPicture>())
        return {};
    const auto *picture = static_cast<const KeptPicture *>(kept.constData());
    if (picture->imageKey != imageKey(document, imageName))
        return {};   // another image has taken the name: the picture was changed
    return picture->original;
}

QImage pictureImage(const QTextDocument &document, const QString &imageName)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(imageName));
    if (resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    if (resource.canConvert<QImage>())
        return resource.value<QImage>();
    return {};
}

QString insertPicture(QTextCursor &cursor, const QImage &shown, const OriginalPicture &original,
                      QSizeF displaySize)
{
    QTextDocument &document = *cursor.document();
    const QString name = pictureName(shown, original);
    // The same name is the same picture: one that the document holds already is shared.
    if (document.resource(QTextDocument::ImageResource, QUrl(name)).isNull()) {
        document.addResource(QTextDocument::ImageResource, QUrl(name), shown);
        if (!original.isNull())
            keepOriginalPicture(document, name, original);
    }
    if (displaySize.isEmpty())
        displaySize = original.displaySize(shown.size());
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
    cursor.insertImage(format);
    return name;
}
