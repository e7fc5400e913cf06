#include "platform/PictureCompleteness.h"
#include "support/OneColourGif.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A picture with detail everywhere, so that every part of its file holds some of it.
QImage detailedPicture(QImage::Format format = QImage::Format_RGB32)
{
    QImage picture(120, 90, format);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (int y = 0; y < 90; y += 6)
        painter.drawLine(0, y, 120, 90 - y);
    return picture;
}

QByteArray encoded(const QImage &picture, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(picture)) << format;
    return bytes;
}

// A JPEG file with an Exif thumbnail, a whole JPEG of its own, end marker included, in front.
QByteArray jpegWithThumbnail()
{
    const QByteArray photo = encoded(detailedPicture(), "jpeg");
    const QByteArray thumbnail = encoded(detailedPicture().scaled(16, 12), "jpeg");
    QByteArray app1 = "Exif\0\0" + thumbnail;
    const int length = int(app1.size()) + 2;
    return photo.left(2) + QByteArray("\xff\xe1") + char(length >> 8) + char(length & 0xFF) + app1 + photo.mid(2);
}

TEST(PictureCompleteness, AFileCutShortAnywhereIsToldFromAWholeOne)
{
    const struct {
        const char *name;
        QByteArray whole;
        const char *format;
    } cases[] = {
        {"baseline JPEG", encoded(detailedPicture(), "jpeg"), "jpeg"},
        {"progressive JPEG", encoded(detailedPicture(), "jpeg", true), "jpeg"},
        {"JPEG with a thumbnail", jpegWithThumbnail(), "jpeg"},
        {"GIF", oneColourGif(120, 90, Qt::blue), "gif"},
        {"24-bit BMP", encoded(detailedPicture(QImage::Format_RGB888), "bmp"), "bmp"},
        {"1-bit BMP", encoded(detailedPicture().convertToFormat(QImage::Format_Mono), "bmp"), "bmp"},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(PictureCompleteness::isCutShort(c.whole, c.format)) << c.name;
        for (double kept : {0.99, 0.75, 0.5, 0.1}) {
            const QByteArray cut = c.whole.left(qsizetype(c.whole.size() * kept));
            EXPECT_TRUE(PictureCompleteness::isCutShort(cut, c.format)) << c.name << " cut to " << kept;
        }
    }
}

TEST(PictureCompleteness, WhatDecodersReadWholeIsWhole)
{
    const QByteArray jpeg = encoded(detailedPicture(), "jpeg");
    // 120 pixels of one bit are 15 bytes, and a row is padded to 16.
    const QByteArray bmp = encoded(detailedPicture().convertToFormat(QImage::Format_Mono), "bmp");
    const struct {
        const char *name;
        QByteArray bytes;
        const char *format;
    } cases[] = {
        {"JPEG with bytes after its end", jpeg + "trailing bytes", "jpeg"},
        {"GIF without its trailer", oneColourGif(120, 90, Qt::blue).chopped(1), "gif"},
        {"BMP without its last row's padding", bmp.left(bmp.size() - 1), "bmp"},
        {"a format that reports itself", encoded(detailedPicture(), "png").left(100), "png"},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(PictureCompleteness::isCutShort(c.bytes, c.format)) << c.name;
}

} // namespace
