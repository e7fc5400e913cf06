#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

// Bytes kept deflated (zlib), taken a piece at a time and given back whole when asked for. What
// the clipboard holds for Copy is RTF, which deflates to a sixth of its size: the RTF of a big
// document is written straight into it, so that it is never held at full size while nobody
// asks for it.
class PackedBytes
{
public:
    PackedBytes();
    ~PackedBytes();
    PackedBytes(PackedBytes &&) noexcept;
    PackedBytes &operator=(PackedBytes &&) noexcept;

    void append(QByteArrayView piece);
    // No more pieces come: what is kept shrinks to what it holds.
    void finish();
    // The bytes as they were appended, after `front` in the same buffer; empty if the packed
    // bytes can't be read back (zlib out of memory), which the clipboard then offers as no
    // content rather than as wrong content.
    QByteArray unpacked(QByteArrayView front = {}) const;
    qsizetype unpackedSize() const { return m_unpackedSize; }

private:
    struct Stream;
    void deflateInto(QByteArrayView piece, int flush);

    std::unique_ptr<Stream> m_stream; // null once finished
    QByteArray m_packed;
    qsizetype m_unpackedSize = 0;
};
