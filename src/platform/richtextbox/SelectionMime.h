#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class QImage;
class QMimeData;
class QTextCursor;

// What the editing area puts on the clipboard and how it takes content back from it.
namespace SelectionMime {

// The clipboard's name for RTF, the type word processors offer and take.
inline const QString rtfFormat = QStringLiteral("text/rtf");

// The selection's characters as plain text: "\n" for every break, list items with their
// markers, pictures left out.
QString plainText(const QTextCursor &selection);

// The selection as RTF, as Save As would write it, in two parts written once: the body handed to
// `body` a piece at a time, and what goes in front of it returned at the end.
QByteArray richText(const QTextCursor &selection, const std::function<void(QByteArrayView)> &body);

// Content holding a picture and nothing else, so that a paste inserts it. The bytes of the file
// it came from, when they are PNG or JPEG, go beside it as image/png or image/jpeg: a paste here
// keeps them, and so do other programs that take those types. (A selection's content is a
// CopiedSelection.)
QMimeData *fromPicture(const QImage &picture, const QByteArray &fileData = {});

// The picture file bytes that content carries beside its image (see fromPicture); empty when
// there are none.
QByteArray pictureFileData(const QMimeData &data);

// Puts clipboard content in place of the cursor's selection, as one undo step: RTF (ours or
// another program's), else HTML, else non-empty plain text, else a picture. Returns false, changing nothing,
// when the content offers none of these.
bool insert(QTextCursor &cursor, const QMimeData &data);

// Whether insert would find anything to put in place.
bool canInsert(const QMimeData &data);

} // namespace SelectionMime
