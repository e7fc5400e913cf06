#include "rtf/read/RtfPicture.h"

#include "rtf/RtfTokenizer.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstring>

namespace {

constexpr int maxPixelSide = 32767;

void putLittleEndian(char *out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[i] = char((value >> (8 * i)) & 0xFF);
}

quint32 readLittleEndian(const QByteArray &data, qsizetype offset, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | uchar(data[offset + i]);
    return value;
}

} // namespace

void RtfPicture::setType(OriginalPicture::Type type, int parameter)
{
    m_picture.type = type;
    m_picture.typeParameter = parameter;
}

void RtfPicture::setProperty(RtfControlWords::PictureProperty property, int value)
{
    using namespace RtfControlWords;
    OriginalPicture &p = m_picture;
    int *const fields[] = {
        &p.width, &p.height, &p.goalWidth, &p.goalHeight, &p.scaleX, &p.scaleY, &p.cropLeft,
        &p.cropTop, &p.cropRight, &p.cropBottom, &p.bitsPerPixel, &p.planes, &p.widthBytes,
    };
    static_assert(std::size(fields) == PictureWidthBytes + 1);
    if (property >= 0 && property < int(std::size(fields)))
        *fields[property] = value;
}

void RtfPicture::appendHex(QByteArrayView text)
{
    QByteArray &data = m_picture.data;
    for (char c : text) {
        const int v = RtfTokenizer::hexDigitValue(c);
        if (v < 0)
            continue;   // spaces and line ends between the digits
        if (m_highNibble < 0) {
            m_highNibble = v;
        } else {
            data.append(char(m_highNibble * 16 + v));
            m_highNibble = -1;
        }
    }
}

void RtfPicture::appendBinary(QByteArrayView bytes)
{
    m_picture.data.append(bytes);
}

QImage RtfPicture::decode(qint64 &pixelBudget) const
{
    const QByteArray &data = m_picture.data;
    if (data.isEmpty() || data.size() > maxDecodedBytes)
        return {};
    QByteArray encoded;
    QByteArray format;
    switch (m_picture.type) {
    case OriginalPicture::Type::Png:
        encoded = data;
        format = "png";
        break;
    case OriginalPicture::Type::Jpeg:
        encoded = data;
        format = "jpeg";
        break;
    case OriginalPicture::Type::DeviceIndependentBitmap: {
        // The data is a BITMAPINFO and the bits; a BMP file only adds a 14-byte header.
        if (data.size() < 40)
            return {};
        const quint32 headerSize = readLittleEndian(data, 0, 4);
        const quint32 bitCount = readLittleEndian(data, 14, 2);
        quint32 colours = readLittleEndian(data, 32, 4);
        if (colours == 0 && bitCount <= 8)
            colours = 1u << bitCount;
        const quint64 bitsOffset = 14ull + headerSize + 4ull * std::min<quint32>(colours, 256);
        encoded.resize(14);
        encoded[0] = 'B';
        encoded[1] = 'M';
        putLittleEndian(encoded.data() + 2, quint32(14 + data.size()), 4);
        putLittleEndian(encoded.data() + 6, 0, 4);
        putLittleEndian(encoded.data() + 10, quint32(std::min<quint64>(bitsOffset, 0xFFFFFFFF)), 4);
        encoded.append(data);
        format = "bmp";
        break;
    }
    case OriginalPicture::Type::DeviceBitmap:
        return decodeDeviceBitmap(pixelBudget);
    default:
        return {};   // metafiles: Qt draws none of them
    }
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAllocationLimit(allocationLimitMegabytes);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maxPixelSide || size.height() > maxPixelSide)
        return {};
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes > pixelBudget)
        return {};
    pixelBudget -= bytes;
    return reader.read();
}

// A device-dependent bitmap is raw rows; the monochrome and true-colour ones are drawable.
QImage RtfPicture::decodeDeviceBitmap(qint64 &pixelBudget) const
{
    const int width = m_picture.width, height = m_picture.height;
    const int bitsPerPixel = m_picture.bitsPerPixel > 0 ? m_picture.bitsPerPixel : 1;
    if (width <= 0 || height <= 0 || width > maxPixelSide || height > maxPixelSide)
        return {};
    QImage::Format format;
    switch (bitsPerPixel) {
    case 1: format = QImage::Format_Mono; break;
    case 24: format = QImage::Format_BGR888; break;
    case 32: format = QImage::Format_RGB32; break;
    default: return {};
    }
    const QByteArray &data = m_picture.data;
    const qint64 rowBytes = m_picture.widthBytes > 0 ? m_picture.widthBytes : (qint64(width) * bitsPerPixel + 15) / 16 * 2;
    if (rowBytes * 8 < qint64(width) * bitsPerPixel || rowBytes * height > data.size())
        return {};
    const qint64 bytes = qint64(width) * height * 4;
    if (bytes > pixelBudget)
        return {};
    pixelBudget -= bytes;
    QImage image(width, height, format);
    if (image.isNull())
        return {};
    if (format == QImage::Format_Mono)
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const qint64 copy = std::min<qint64>(rowBytes, image.bytesPerLine());
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), data.constData() + y * rowBytes, size_t(copy));
    return image;
}

QString RtfPicture::kindLabel(const OriginalPicture &picture)
{
    switch (picture.type) {
    case OriginalPicture::Type::WindowsMetafile: return QStringLiteral("WMF");
    case OriginalPicture::Type::EnhancedMetafile: return QStringLiteral("EMF");
    case OriginalPicture::Type::MacPict: return QStringLiteral("PICT");
    case OriginalPicture::Type::Os2Metafile: return QStringLiteral("Metafile");
    default: return {};
    }
}

QSize RtfPicture::placeholderPixels(QSizeF displaySize)
{
    const double longest = std::max(displaySize.width(), displaySize.height());
    const double scale = longest > maxBoxSide ? maxBoxSide / longest : 1.0;
    return {std::max(1, int(std::lround(displaySize.width() * scale))),
            std::max(1, int(std::lround(displaySize.height() * scale)))};
}

QImage RtfPicture::placeholderImage(QSize pixels, const QString &label)
{
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(QColor(0xF4, 0xF4, 0xF4));
    QPainter painter(&image);
    painter.setPen(QColor(0xB8, 0xB8, 0xB8));
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    if (!label.isEmpty() && image.width() >= 40 && image.height() >= 20) {
        QFont font = painter.font();
        font.setPixelSize(std::min(12, image.height() - 6));
        painter.setFont(font);
        painter.setPen(QColor(0x90, 0x90, 0x90));
        painter.drawText(image.rect(), Qt::AlignCenter, label);
    }
    return image;
}

RtfPicture::Result RtfPicture::finish(qint64 &pixelBudget)
{
    Result result;
    result.image = decode(pixelBudget);
    result.displaySize = m_picture.displaySize(result.image.size());
    result.original = std::move(m_picture);
    m_picture = {};
    return result;
}
