#pragma once

#include "rtf/OriginalPicture.h"
#include "rtf/read/RtfControlWords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSizeF>

// One \pict group: its words and data, then the image to show, the size to show it at, and the
// original data and words, kept whole so that saving writes the picture back as it came.
class RtfPicture
{
public:
    // Data beyond this is kept but not decoded; the picture then shows as a box.
    static constexpr qsizetype maxDecodedBytes = 64 * 1024 * 1024;
    // What decoding one picture may allocate.
    static constexpr int allocationLimitMegabytes = 256;

    void setType(OriginalPicture::Type type, int parameter);
    void setProperty(RtfControlWords::PictureProperty property, int value);
    void appendHex(QByteArrayView text);
    void appendBinary(QByteArrayView bytes);

    struct Result
    {
        QImage image;           // null when the picture cannot be drawn here
        QSizeF displaySize;     // in pixels at 96 DPI
        OriginalPicture original;
    };
    // Decodes what was read, taking the decoded image's bytes from `pixelBudget`, which all
    // the pictures of one file share, and hands over the original. Metafiles, broken data and
    // pictures beyond the budget are not drawn.
    Result finish(qint64 &pixelBudget);

    // What is drawn for a picture that cannot be: a light box with a thin outline, of the
    // picture's size (at most `maxBoxSide` pixels a side, scaled up beyond that), naming the
    // kind of picture when it is one that is never drawn here.
    static constexpr int maxBoxSide = 1024;
    static QImage placeholderImage(QSize pixels, const QString &label);
    // The pixel size placeholderImage is made at for a display size.
    static QSize placeholderPixels(QSizeF displaySize);
    // The label of a picture kind that is never drawn here ("WMF", "EMF", ...); empty otherwise.
    static QString kindLabel(const OriginalPicture &picture);

private:
    QImage decode(qint64 &pixelBudget) const;
    QImage decodeDeviceBitmap(qint64 &pixelBudget) const;

    OriginalPicture m_picture;
    int m_highNibble = -1;
};
