#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <cstdint>

class QTextCursor;
class QTextDocument;

// A picture's own encoded data, kept with the picture so that saving and copying write back
// exactly what came in: the same bytes of the same type at the same size, a metafile as a
// metafile, even when the editing area can only draw a grey box for it.
//
// The editing area draws an image resource of the document; the original lives beside it in
// the same document, under the same image name (a resource of its own, so it travels with the
// document's resources and costs nothing in the character formats):
//
//   // a JPEG file inserted as it is (PNG and JPEG bytes are kept; anything else is null
//   // and goes out as PNG of the image drawn)
//   insertPicture(cursor, image, OriginalPicture::fromFileData(fileBytes));
//
//   // what the writer and the clipboard do for each picture they meet
//   const OriginalPicture original = originalPicture(document, imageFormat.name());
//   if (!original.isNull()) ... write original.data as original.type ...
//
// A picture is "changed" when another image is put under its name: its original then no longer
// applies, and the picture is written fresh from the image drawn.
struct OriginalPicture
{
    enum class Type : std::uint8_t {
        None,
        Png,                      // \pngblip
        Jpeg,                     // \jpegblip
        EnhancedMetafile,         // \emfblip
        WindowsMetafile,          // \wmetafileN, N the mapping mode
        MacPict,                  // \macpict
        Os2Metafile,              // \pmmetafileN
        DeviceIndependentBitmap,  // \dibitmapN
        DeviceBitmap,             // \wbitmapN
    };

    Type type = Type::None;
    int typeParameter = 0;   // the N of \wmetafileN, \pmmetafileN, \dibitmapN, \wbitmapN
    QByteArray data;         // the encoded bytes; implicitly shared, so keeping them copies nothing

    // The picture's words as its file gave them; 0 where it gave none.
    int width = 0, height = 0;            // \picw \pich: pixels, or 0.01 mm for metafiles
    int goalWidth = 0, goalHeight = 0;    // \picwgoal \pichgoal: twips
    int scaleX = 100, scaleY = 100;       // \picscalex \picscaley: percent
    int cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;   // \piccropl ...: twips
    int bitsPerPixel = 0, planes = 0, widthBytes = 0;   // \wbmbitspixel \wbmplanes \wbmwidthbytes

    bool isNull() const { return type == Type::None && data.isEmpty(); }
    bool isMetafile() const;

    // The size the picture is shown at, in pixels at 96 DPI: its goal size scaled, else the
    // size of the image decoded from it (`decoded`, empty when it could not be decoded), else
    // its own \picw and \pich; 32 pixels square when nothing says.
    QSizeF displaySize(QSize decoded) const;

    // PNG or JPEG file bytes as they are, with their size in pixels; null for anything else.
    static OriginalPicture fromFileData(const QByteArray &bytes);
};

// Puts `shown` among the document's images, keeps `original` beside it (unless it is null) and
// inserts the picture at the cursor, drawn at `displaySize` pixels, or at the original's size,
// or at the image's own. The name comes from the original's data (or the image's pixels), so
// the same picture inserted twice is stored once. Returns the image name.
QString insertPicture(QTextCursor &cursor, const QImage &shown, const OriginalPicture &original,
                      QSizeF displaySize = {});

// Keeps `original` for the image that the document already holds under `imageName`.
void keepOriginalPicture(QTextDocument &document, const QString &imageName, const OriginalPicture &original);

// The original kept for the image `imageName`; null when none was kept or when another image
// has been put under that name since.
OriginalPicture originalPicture(const QTextDocument &document, const QString &imageName);

// The image drawn for `imageName`; null when the document has none.
QImage pictureImage(const QTextDocument &document, const QString &imageName);

// A name that only this picture has: made from its original's data and words, or from the
// image's pixels when it has no original.
QString pictureName(const QImage &shown, const OriginalPicture &original);
