#include "platform/Pictures.h"

#include "base/Failure.h"
#include "platform/PictureCompleteness.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace {

// Decoding is refused above this many megabytes, so a small file that claims a gigantic
// picture cannot exhaust memory.
constexpr int kPictureAllocationLimitMB = 256;

constexpr double kDocumentDpi = 96.0;
constexpr double kInchesPerMetre = 1 / 0.0254;

[[noreturn]] void cannotRead(const QString &path, const QString &reason)
{
    throw Failure(QStringLiteral("Cannot read the picture \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
}

// One side in document pixels; a resolution of 0, or the one every image gets when its file
// records none, means one pixel a pixel.
double naturalSide(int pixels, int dotsPerMetre, int unrecordedDotsPerMetre)
{
    if (dotsPerMetre <= 0 || dotsPerMetre == unrecordedDotsPerMetre)
        return pixels;
    return pixels * kDocumentDpi / (dotsPerMetre / kInchesPerMetre);
}

} // namespace

namespace Pictures {

StdPicture LoadPictureFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        cannotRead(path, QStringLiteral("the file does not exist."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        cannotRead(path, file.errorString());
    StdPicture picture;
    picture.FileData = file.readAll();
    if (file.error() != QFileDevice::NoError)
        cannotRead(path, file.errorString());

    QBuffer buffer(&picture.FileData);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kPictureAllocationLimitMB);
    const QByteArray format = reader.format(); // known only until the picture is read
    picture.Image = reader.read();
    if (picture.Image.isNull()) {
        cannotRead(path, reader.error() == QImageReader::UnsupportedFormatError
                             ? QStringLiteral("it is not a picture in a format Corvala reads (BMP, GIF, JPEG, PNG).")
                             : QStringLiteral("the file is damaged: its picture can't be decoded (%1).").arg(reader.errorString()));
    }
    // Qt decodes a file cut short without a word, the missing part grey or black.
    if (PictureCompleteness::isCutShort(picture.FileData, format))
        cannotRead(path, QStringLiteral("the file is damaged: its picture ends before it is complete."));
    return picture;
}

QImage LoadPicture(const QString &path) { return LoadPictureFile(path).Image; }

QCursor LoadCursor(const QString &path)
{
    const QImage image = LoadPicture(path);
    return QCursor(QPixmap::fromImage(image));
}

QSizeF NaturalSize(const QImage &picture)
{
    const QImage unrecorded(1, 1, QImage::Format_RGB32);
    return {naturalSide(picture.width(), picture.dotsPerMeterX(), unrecorded.dotsPerMeterX()),
            naturalSide(picture.height(), picture.dotsPerMeterY(), unrecorded.dotsPerMeterY())};
}

} // namespace Pictures
