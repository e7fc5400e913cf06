#include "rtf/write/PngEncoding.h"

#include <QImage>
#include <QtEndian>

#include <array>

namespace {

// CRC-32 of PNG (and zlib): polynomial 0xEDB88320, reflected.
constexpr std::array<quint32, 256> crcTable = [] {
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

quint32 crc32(QByteArrayView bytes)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = crcTable[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray &out, const char *type, QByteArrayView data)
{
    appendBigEndian(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    appendBigEndian(out, crc32(QByteArrayView(out).sliced(start)));
}

// The rows as PNG filters them (filter 0 on each), one byte a channel, colour not
// premultiplied.
QByteArray rows(const QImage &image, bool alpha)
{
    const int width = image.width();
    QByteArray raw;
    raw.reserve(qsizetype(image.height()) * (1 + qsizetype(width) * (alpha ? 4 : 3)));
    const QImage::Format format = image.format();
    const bool direct = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
    for (int y = 0; y < image.height(); ++y) {
        raw.append('\0');
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb pixel = direct ? line[x] : image.pixel(x, y);
            if (format == QImage::Format_ARGB32_Premultiplied)
                pixel = qUnpremultiply(pixel);
            raw.append(char(qRed(pixel)));
            raw.append(char(qGreen(pixel)));
            raw.append(char(qBlue(pixel)));
            if (alpha)
                raw.append(char(qAlpha(pixel)));
        }
    }
    return raw;
}

} // namespace

QByteArray pngFromImage(const QImage &image)
{
    if (image.isNull())
        return {};
    const bool alpha = image.hasAlphaChannel();
    QByteArray header;
    appendBigEndian(header, quint32(image.width()));
    appendBigEndian(header, quint32(image.height()));
    header.append(char(8));             // bits a channel
    header.append(char(alpha ? 6 : 2)); // RGBA or RGB
    header.append(3, '\0');             // deflate, the one filter method, not interlaced
    // qCompress puts the data's length before the zlib stream that PNG wants.
    const QByteArray compressed = qCompress(rows(image, alpha), 6);
    if (compressed.size() <= 4)
        return {};
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", QByteArrayView(compressed).sliced(4));
    appendChunk(png, "IEND", {});
    return png;
}
