#include "platform/PictureCompleteness.h"

#include <cstdint>
#include <cstdlib>

namespace {

class Bytes
{
public:
    explicit Bytes(const QByteArray &data) : m_data(data) {}

    qint64 size() const { return m_data.size(); }
    bool has(qint64 at, qint64 count = 1) const { return at >= 0 && count >= 0 && at <= size() - count; }
    unsigned at(qint64 index) const { return static_cast<unsigned char>(m_data[index]); }
    unsigned bigEndian16(qint64 index) const { return at(index) << 8 | at(index + 1); }
    unsigned littleEndian16(qint64 index) const { return at(index) | at(index + 1) << 8; }
    std::uint32_t littleEndian32(qint64 index) const { return littleEndian16(index) | std::uint32_t(littleEndian16(index + 2)) << 16; }
    qint64 indexOf(unsigned char byte, qint64 from) const { return m_data.indexOf(char(byte), from); }

private:
    const QByteArray &m_data;
};

bool isRestartMarker(unsigned marker) { return marker >= 0xD0 && marker <= 0xD7; }

// From a scan's coded data to the marker that ends it, or -1 when the data runs out first. An
// 0xFF in the data is followed by 0 (a stuffed byte), a restart marker or more 0xFF (fill).
qint64 endOfScan(const Bytes &bytes, qint64 at)
{
    for (;;) {
        at = bytes.indexOf(0xFF, at);
        if (at < 0 || !bytes.has(at + 1))
            return -1;
        const unsigned next = bytes.at(at + 1);
        if (next == 0xFF)
            at += 1;
        else if (next == 0 || isRestartMarker(next))
            at += 2;
        else
            return at;
    }
}

bool jpegCutShort(const Bytes &bytes)
{
    if (!bytes.has(0, 2) || bytes.at(0) != 0xFF || bytes.at(1) != 0xD8)
        return false; // not JPEG as such: the reader judges it
    qint64 at = 2;
    for (;;) {
        // Bytes between segments are skipped to the next marker, as decoders do.
        at = bytes.indexOf(0xFF, at);
        if (at < 0)
            return true;
        while (bytes.has(at) && bytes.at(at) == 0xFF)
            ++at;
        if (!bytes.has(at))
            return true;
        const unsigned marker = bytes.at(at++);
        if (marker == 0xD9) // end of image
            return false;
        if (marker == 0 || marker == 0x01 || isRestartMarker(marker))
            continue; // no length follows
        if (!bytes.has(at, 2))
            return true;
        const unsigned length = bytes.bigEndian16(at);
        if (length < 2 || !bytes.has(at, length))
            return true;
        at += length;
        if (marker == 0xDA) { // start of scan: its coded data follows the header
            at = endOfScan(bytes, at);
            if (at < 0)
                return true;
        }
    }
}

// Skips a run of data sub-blocks (each a length byte and that many bytes) and the empty one that
// ends them; -1 when the data runs out first.
qint64 afterSubBlocks(const Bytes &bytes, qint64 at)
{
    for (;;) {
        if (!bytes.has(at))
            return -1;
        const unsigned length = bytes.at(at++);
        if (length == 0)
            return at;
        at += length;
    }
}

bool gifCutShort(const Bytes &bytes)
{
    constexpr qint64 kScreenDescriptorEnd = 13;
    if (!bytes.has(0, kScreenDescriptorEnd))
        return true;
    auto colourTable = [](unsigned flags) { return flags & 0x80 ? 3 * (qint64(2) << (flags & 7)) : 0; };
    qint64 at = kScreenDescriptorEnd + colourTable(bytes.at(10));
    int images = 0;
    for (;;) {
        if (!bytes.has(at))
            return images == 0;
        const unsigned introducer = bytes.at(at++);
        if (introducer == 0x3B) // trailer
            return images == 0;
        if (introducer == 0x21) { // extension: a label, then sub-blocks
            at = afterSubBlocks(bytes, at + 1);
        } else if (introducer == 0x2C) { // image: descriptor, colours, code size, sub-blocks
            constexpr qint64 kDescriptorSize = 9;
            if (!bytes.has(at, kDescriptorSize))
                return true;
            at += kDescriptorSize + colourTable(bytes.at(at + 8)) + 1;
            at = afterSubBlocks(bytes, at);
            ++images;
        } else {
            return images == 0; // what follows a whole picture is no concern of its picture
        }
        if (at < 0)
            return true;
    }
}

bool bmpCutShort(const Bytes &bytes)
{
    constexpr qint64 kFileHeaderSize = 14;
    if (!bytes.has(0, kFileHeaderSize + 12) || bytes.at(0) != 'B' || bytes.at(1) != 'M')
        return false;
    const qint64 pixelsAt = bytes.littleEndian32(10);
    const std::uint32_t headerSize = bytes.littleEndian32(kFileHeaderSize);
    qint64 width = 0, height = 0, bitsPerPixel = 0, compression = 0, imageSize = 0;
    if (headerSize == 12) { // OS/2 1.x
        width = bytes.littleEndian16(18);
        height = bytes.littleEndian16(20);
        bitsPerPixel = bytes.littleEndian16(24);
    } else if (headerSize >= 40 && bytes.has(kFileHeaderSize, 40)) {
        width = std::llabs(qint64(std::int32_t(bytes.littleEndian32(18))));
        height = std::llabs(qint64(std::int32_t(bytes.littleEndian32(22))));
        bitsPerPixel = bytes.littleEndian16(28);
        compression = bytes.littleEndian32(30);
        imageSize = bytes.littleEndian32(34);
    } else {
        return false;
    }
    enum { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };
    if (compression == Rle8 || compression == Rle4)
        return imageSize > 0 && bytes.size() < pixelsAt + imageSize;
    if (compression != Rgb && compression != BitFields && compression != AlphaBitFields)
        return false;
    if (width == 0 || height == 0)
        return false;
    // Every row is padded to four bytes, but the last row's padding is no part of the picture.
    const qint64 rowBytes = (width * bitsPerPixel + 7) / 8;
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    qint64 rows = 0, needed = 0;
    if (__builtin_mul_overflow(stride, height - 1, &rows) || __builtin_add_overflow(rows, pixelsAt + rowBytes, &needed))
        return true; // rows no file could hold
    return bytes.size() < needed;
}

} // namespace

namespace PictureCompleteness {

bool isCutShort(const QByteArray &data, const QByteArray &format)
{
    const Bytes bytes(data);
    if (format == "jpeg" || format == "jpg")
        return jpegCutShort(bytes);
    if (format == "gif")
        return gifCutShort(bytes);
    if (format == "bmp")
        return bmpCutShort(bytes);
    return false;
}

} // namespace PictureCompleteness
