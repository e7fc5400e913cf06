#include "platform/rtf/RtfPicture.h"

#include "platform/rtf/RtfTokenizer.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

constexpr double twipsPerPixel = 15.0;         // 1440 twips an inch at 96 DPI
constexpr double himetricPerPixel = 2540.0 / 96.0;
constexpr double maxDisplaySide = 20000.0;     // pixels: keeps layout sane for absurd goals
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

bool RtfPicture::handleControlWord(QByteArrayView name, int parameter, bool hasParameter)
{
    const int value = hasParameter ? parameter : 0;
    if (name == "pngblip")
        m_format = Format::Png;
    else if (name == "jpegblip")
        m_format = Format::Jpeg;
    else if (name == "dibitmap")
        m_format = Format::DeviceIndependentBitmap;
    else if (name == "wbitmap")
        m_format = Format::DeviceBitmap;
    else if (name == "wmetafile" || name == "emfblip" || name == "macpict" || name == "pmmetafile")
        m_format = Format::Metafile;
    else if (name == "picw")
        m_width = value;
    else if (name == "pich")
        m_height = value;
    else if (name == "picwgoal")
        m_goalWidth = value;
    else if (name == "pichgoal")
        m_goalHeight = value;
    else if (name == "picscalex")
        m_scaleX = value;
    else if (name == "picscaley")
        m_scaleY = value;
    else if (name == "wbmbitspixel")
        m_bitsPerPixel = value;
    else if (name == "wbmwidthbytes")
        m_widthBytes = value;
    else
        return false;
    return true;
}

bool RtfPicture::append(char byte)
{
    if (m_data.size() >= maxDataBytes) {
        m_truncated = true;
        return false;
    }
    m_data.append(byte);
    return true;
}

void RtfPicture::appendHex(QByteArrayView text)
{
    if (m_truncated)
        return;
    for (char c : text) {
        const int v = RtfTokenizer::hexDigitValue(c);
        if (v < 0)
            continue;   // spaces and line ends between the digits
        if (m_highNibble < 0) {
            m_highNibble = v;
        } else {
            if (!append(char(m_highNibble * 16 + v)))
                return;
            m_highNibble = -1;
        }
    }
}

void RtfPicture::appendBinary(QByteArrayView bytes)
{
    if (m_truncated)
        return;
    if (m_data.size() + bytes.size() > maxDataBytes) {
        m_truncated = true;
        return;
    }
    m_data.append(bytes);
}

QImage RtfPicture::decode(qint64 &pixelBudget) const
{
    if (m_truncated || m_data.isEmpty())
        return {};
    QByteArray encoded;
    QByteArray format;
    switch (m_format) {
    case Format::Png:
        encoded = m_data;
        format = "png";
        break;
    case Format::Jpeg:
        encoded = m_data;
        format = "jpeg";
        break;
    case Format::DeviceIndependentBitmap: {
        // The data is a BITMAPINFO and the bits; a BMP file only adds a 14-byte header.
        if (m_data.size() < 40)
            return {};
        const quint32 headerSize = readLittleEndian(m_data, 0, 4);
        const quint32 bitCount = readLittleEndian(m_data, 14, 2);
        quint32 colours = readLittleEndian(m_data, 32, 4);
        if (colours == 0 && bitCount <= 8)
            colours = 1u << bitCount;
        const quint64 bitsOffset = 14ull + headerSize + 4ull * std::min<quint32>(colours, 256);
        encoded.resize(14);
        encoded[0] = 'B';
        encoded[1] = 'M';
        putLittleEndian(encoded.data() + 2, quint32(14 + m_data.size()), 4);
        putLittleEndian(encoded.data() + 6, 0, 4);
        putLittleEndian(encoded.data() + 10, quint32(std::min<quint64>(bitsOffset, 0xFFFFFFFF)), 4);
        encoded.append(m_data);
        format = "bmp";
        break;
    }
    case Format::DeviceBitmap:
        return decodeDeviceBitmap(pixelBudget);
    case Format::Metafile:
    case Format::Unknown:
        return {};
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
    const int width = m_width, height = m_height;
    if (width <= 0 || height <= 0 || width > maxPixelSide || height > maxPixelSide)
        return {};
    QImage::Format format;
    switch (m_bitsPerPixel) {
    case 1: format = QImage::Format_Mono; break;
    case 24: format = QImage::Format_BGR888; break;
    case 32: format = QImage::Format_RGB32; break;
    default: return {};
    }
    const qint64 rowBytes = m_widthBytes > 0 ? m_widthBytes : (qint64(width) * m_bitsPerPixel + 15) / 16 * 2;
    if (rowBytes * 8 < qint64(width) * m_bitsPerPixel || rowBytes * height > m_data.size())
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
        std::memcpy(image.scanLine(y), m_data.constData() + y * rowBytes, size_t(copy));
    return image;
}

QSizeF RtfPicture::naturalSize(const QImage &image) const
{
    double width = 0, height = 0;
    if (m_goalWidth > 0 && m_goalHeight > 0) {
        width = m_goalWidth / twipsPerPixel;
        height = m_goalHeight / twipsPerPixel;
    } else if (!image.isNull()) {
        width = image.width();
        height = image.height();
    } else if (m_width > 0 && m_height > 0) {
        // Metafile sizes are in hundredths of a millimetre, bitmap sizes in pixels.
        const bool metric = m_format == Format::Metafile;
        width = metric ? m_width / himetricPerPixel : m_width;
        height = metric ? m_height / himetricPerPixel : m_height;
    }
    if (width <= 0 || height <= 0)
        width = height = 32;
    const double scaleX = m_scaleX > 0 ? m_scaleX / 100.0 : 1.0;
    const double scaleY = m_scaleY > 0 ? m_scaleY / 100.0 : 1.0;
    return {std::clamp(width * scaleX, 1.0, maxDisplaySide), std::clamp(height * scaleY, 1.0, maxDisplaySide)};
}

QImage RtfPicture::placeholderImage()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter painter(&image);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    return image;
}

RtfPicture::Result RtfPicture::finish(qint64 &pixelBudget) const
{
    Result result;
    result.image = decode(pixelBudget);
    result.displaySize = naturalSize(result.image);
    result.placeholder = result.image.isNull();
    return result;
}
