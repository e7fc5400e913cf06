#pragma once

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QSizeF>
#include <QString>

// A picture loaded from a file: the image to draw, and the file's own bytes, kept so that the
// picture can be saved as it came (a photo as its JPEG data) instead of being encoded again.
struct StdPicture {
    QImage Image;
    QByteArray FileData;

    bool isNull() const { return Image.isNull(); }
};

// Loading pictures and cursors from files, as the editor's commands need them.
namespace Pictures {

// Reads a picture file (bmp, gif, jpeg, png, ico, cur), whatever its name says. Throws Failure,
// naming the file and the reason, when the file is missing, unreadable or not a picture, when
// it is damaged (its picture can't be decoded whole, as when the file was cut short), or when
// decoding it would cost more memory than a picture in a document reasonably may.
StdPicture LoadPictureFile(const QString &path);
QImage LoadPicture(const QString &path);

// A mouse cursor from a Windows cursor file; the hot spot is the picture's centre when the
// file does not say otherwise. Throws Failure like LoadPicture.
QCursor LoadCursor(const QString &path);

// The size a picture is shown at, in pixels at 96 DPI, as word processors show it: its size
// on paper when its file records a resolution, else one pixel for each of its pixels.
QSizeF NaturalSize(const QImage &picture);

} // namespace Pictures
