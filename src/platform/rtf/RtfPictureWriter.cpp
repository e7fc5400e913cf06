#include "platform/rtf/RtfPictureWriter.h"

#include "platform/rtf/RtfOutput.h"
#include "platform/rtf/RtfWriterUnits.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

struct EncodedPicture
{
    QByteArray bytes;
    const char *blip = nullptr;   // pngblip or jpegblip
    QSize pixels;
};

bool isPng(const QByteArray &bytes) { return bytes.startsWith("\x89PNG\r\n\x1a\n"); }
bool isJpeg(const QByteArray &bytes) { return bytes.startsWith("\xff\xd8\xff"); }

QSize encodedSize(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    return reader.size();
}

EncodedPicture encodeAsPng(const QImage &image)
{
    if (image.isNull())
        return {};
    EncodedPicture picture;
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    picture.blip = "pngblip";
    picture.pixels = image.size();
    return picture;
}

EncodedPicture encode(const QVariant &resource)
{
    // PNG and JPEG bytes go out unchanged: nothing is lost and nothing is re-encoded.
    if (resource.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = resource.toByteArray();
        if (isPng(bytes) || isJpeg(bytes)) {
            const QSize pixels = encodedSize(bytes);
            if (pixels.isValid())
                return {bytes, isPng(bytes) ? "pngblip" : "jpegblip", pixels};
        }
        return encodeAsPng(QImage::fromData(bytes));
    }
    if (resource.canConvert<QImage>())
        return encodeAsPng(resource.value<QImage>());
    return {};
}

} // namespace

bool writeRtfPicture(const QTextDocument &document, const QTextImageFormat &format, RtfOutput &out)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    const EncodedPicture picture = encode(resource);
    if (!picture.blip)
        return false;

    // The drawn size is the format's when it has one (keeping the aspect ratio when only one side
    // is given, as the text layout does), otherwise the picture's own size in pixels.
    QSizeF drawn(format.width(), format.height());
    const QSizeF natural = picture.pixels;
    if (drawn.width() <= 0 && drawn.height() <= 0)
        drawn = natural;
    else if (drawn.width() <= 0)
        drawn.setWidth(natural.width() * drawn.height() / natural.height());
    else if (drawn.height() <= 0)
        drawn.setHeight(natural.height() * drawn.width() / natural.width());

    out.raw("{\\pict");
    out.controlWord(picture.blip);
    out.controlWord("picw", picture.pixels.width());
    out.controlWord("pich", picture.pixels.height());
    out.controlWord("picwgoal", RtfWriterUnits::twipsFromPixels(drawn.width()));
    out.controlWord("pichgoal", RtfWriterUnits::twipsFromPixels(drawn.height()));
    out.hex(picture.bytes);
    out.raw("}");
    return true;
}
