#include "rtf/write/RtfPictureWriter.h"

#include "rtf/OriginalPicture.h"
#include "rtf/write/PngEncoding.h"
#include "rtf/write/RtfOutput.h"
#include "rtf/write/RtfWriterUnits.h"

#include <QImage>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <cmath>

namespace {

using Type = OriginalPicture::Type;

// A picture without an original: PNG or JPEG bytes that the document holds go out as they are,
// anything else as the image drawn, encoded as PNG.
OriginalPicture freshPicture(const QTextDocument &document, const QString &name, const QImage &image)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.typeId() == QMetaType::QByteArray) {
        const OriginalPicture picture = OriginalPicture::fromFileData(resource.toByteArray());
        if (!picture.isNull())
            return picture;
    }
    if (image.isNull())
        return {};
    // Encoded here, not by Qt's image plugins: the recovery copy's writer runs in a child forked
    // from the window's process, where a plugin's lock held by another thread at the fork would
    // never be released.
    OriginalPicture picture;
    picture.data = pngFromImage(image);
    if (picture.data.isEmpty())
        return {};
    picture.type = Type::Png;
    picture.width = image.width();
    picture.height = image.height();
    return picture;
}

void writeTypeWord(const OriginalPicture &picture, RtfOutput &out)
{
    switch (picture.type) {
    case Type::None: break;
    case Type::Png: out.controlWord("pngblip"); break;
    case Type::Jpeg: out.controlWord("jpegblip"); break;
    case Type::EnhancedMetafile: out.controlWord("emfblip"); break;
    case Type::WindowsMetafile: out.controlWord("wmetafile", picture.typeParameter); break;
    case Type::MacPict: out.controlWord("macpict"); break;
    case Type::Os2Metafile: out.controlWord("pmmetafile", picture.typeParameter); break;
    case Type::DeviceIndependentBitmap: out.controlWord("dibitmap", picture.typeParameter); break;
    case Type::DeviceBitmap: out.controlWord("wbitmap", picture.typeParameter); break;
    }
}

void writeIfSet(const char *word, int value, int unset, RtfOutput &out)
{
    if (value != unset)
        out.controlWord(word, value);
}

} // namespace

bool writeRtfPicture(const QTextDocument &document, const QTextImageFormat &format, RtfOutput &out)
{
    const QString name = format.name();
    const QImage image = pictureImage(document, name);
    OriginalPicture picture = originalPicture(document, name);
    if (picture.isNull())
        picture = freshPicture(document, name, image);
    if (picture.isNull())
        return false;

    // The drawn size is the format's when it has one (keeping the aspect ratio when only one side
    // is given, as the text layout does), otherwise the picture's own.
    const QSizeF natural = picture.displaySize(image.size());
    QSizeF drawn(format.width(), format.height());
    if (drawn.width() <= 0 && drawn.height() <= 0)
        drawn = natural;
    else if (drawn.width() <= 0)
        drawn.setWidth(natural.width() * drawn.height() / natural.height());
    else if (drawn.height() <= 0)
        drawn.setHeight(natural.height() * drawn.width() / natural.width());
    // Drawn as its words say, the picture keeps its words; drawn at another size, it gets a goal
    // of that size.
    const bool keepsItsSize = picture.goalWidth > 0 && picture.goalHeight > 0
        && std::abs(drawn.width() - natural.width()) < 0.5 && std::abs(drawn.height() - natural.height()) < 0.5;

    out.raw("{\\pict");
    writeTypeWord(picture, out);
    if (keepsItsSize) {
        writeIfSet("picscalex", picture.scaleX, 100, out);
        writeIfSet("picscaley", picture.scaleY, 100, out);
    }
    writeIfSet("piccropl", picture.cropLeft, 0, out);
    writeIfSet("piccropt", picture.cropTop, 0, out);
    writeIfSet("piccropr", picture.cropRight, 0, out);
    writeIfSet("piccropb", picture.cropBottom, 0, out);
    // Metafiles measure themselves in hundredths of a millimetre, bitmaps in pixels.
    const double perPixel = picture.isMetafile() ? 2540.0 / 96.0 : 1.0;
    const QSizeF own = image.isNull() || picture.isMetafile() ? drawn * perPixel : QSizeF(image.size());
    out.controlWord("picw", picture.width > 0 ? picture.width : int(std::lround(own.width())));
    out.controlWord("pich", picture.height > 0 ? picture.height : int(std::lround(own.height())));
    out.controlWord("picwgoal", keepsItsSize ? picture.goalWidth : RtfWriterUnits::twipsFromPixels(drawn.width()));
    out.controlWord("pichgoal", keepsItsSize ? picture.goalHeight : RtfWriterUnits::twipsFromPixels(drawn.height()));
    writeIfSet("wbmbitspixel", picture.bitsPerPixel, 0, out);
    writeIfSet("wbmplanes", picture.planes, 0, out);
    writeIfSet("wbmwidthbytes", picture.widthBytes, 0, out);
    out.hex(picture.data);
    out.raw("}");
    return true;
}
