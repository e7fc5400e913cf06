#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSizeF>

// One \pict group: its properties and data, then the image to show and the size to show it at.
class RtfPicture
{
public:
    // Encoded data beyond this is not kept; the picture then shows as a placeholder.
    static constexpr qsizetype maxDataBytes = 64 * 1024 * 1024;
    // What decoding one picture may allocate.
    static constexpr int allocationLimitMegabytes = 256;

    enum class Format { Unknown, Png, Jpeg, DeviceIndependentBitmap, DeviceBitmap, Metafile };

    // The picture's own control words (\pngblip, \picwgoal, ...); false for any other word.
    bool handleControlWord(QByteArrayView name, int parameter, bool hasParameter);

    void appendHex(QByteArrayView text);
    void appendBinary(QByteArrayView bytes);

    struct Result
    {
        QImage image;
        QSizeF displaySize;   // in pixels at 96 DPI
        bool placeholder = false;
    };
    // Decodes what was read, taking the decoded image's bytes from `pixelBudget`, which all
    // the pictures of one file share. A picture that cannot be drawn here (metafiles, broken
    // data, or more than the budget) becomes a light grey box of the picture's size.
    Result finish(qint64 &pixelBudget) const;

    // The grey box: one small image that the document draws at each placeholder's size.
    static QImage placeholderImage();

private:
    bool append(char byte);
    QImage decode(qint64 &pixelBudget) const;
    QImage decodeDeviceBitmap(qint64 &pixelBudget) const;
    QSizeF naturalSize(const QImage &image) const;

    Format m_format = Format::Unknown;
    int m_width = 0, m_height = 0;             // \picw, \pich
    int m_goalWidth = 0, m_goalHeight = 0;     // \picwgoal, \pichgoal: twips
    int m_scaleX = 100, m_scaleY = 100;        // percent
    int m_bitsPerPixel = 1, m_widthBytes = 0;  // \wbitmap
    QByteArray m_data;
    int m_highNibble = -1;
    bool m_truncated = false;
};
