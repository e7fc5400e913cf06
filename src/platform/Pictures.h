#pragma once

#include <QCursor>
#include <QImage>
#include <QString>

// Loading pictures and cursors from files, as the editor's commands need them.
namespace Pictures {

// Reads a picture file (bmp, gif, jpeg, png, ico, cur). Throws Failure when the file is
// missing, unreadable or not a picture, or when decoding it would cost more memory than a
// picture in a document reasonably may.
QImage LoadPicture(const QString &path);

// A mouse cursor from a Windows cursor file; the hot spot is the picture's centre when the
// file does not say otherwise. Throws Failure like LoadPicture.
QCursor LoadCursor(const QString &path);

} // namespace Pictures
