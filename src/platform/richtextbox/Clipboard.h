#pragma once

#include <QImage>

class QMimeData;

// The system clipboard, as the editor's commands use it. Every function throws Failure when
// there is no clipboard to use (no application object).
namespace Clipboard {

// Whether the clipboard holds plain text with at least one character. A picture alone, or
// rich content without a plain-text rendering, does not count.
bool HasText();

// What the clipboard holds now; null when it holds nothing. Owned by the clipboard.
const QMimeData *Content();

// Empties the clipboard, freeing what this program had put on it: done before a new copy is made,
// so that the old one and the new are never held together.
void Release();

// Replaces the clipboard's content; the clipboard takes ownership.
void SetContent(QMimeData *data);

// Replaces the clipboard's content with a picture and nothing else, so that a paste inserts it.
// The bytes of the file it came from, when they are PNG or JPEG, go beside it as image/png or
// image/jpeg: a paste here keeps them, and so do other programs that take those types.
void SetPicture(const QImage &picture, const QByteArray &fileData = {});

// The content SetPicture puts on the clipboard, for whoever takes it: a new object.
QMimeData *PictureContent(const QImage &picture, const QByteArray &fileData = {});

// The picture file bytes that content carries beside its image (see SetPicture); empty when
// there are none.
QByteArray PictureFileData(const QMimeData &data);

} // namespace Clipboard
