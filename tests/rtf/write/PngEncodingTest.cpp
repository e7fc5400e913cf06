#include "rtf/write/PngEncoding.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage sample(QImage::Format format, bool translucent)
{
    QImage image(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 36, y * 60, (x + y) * 20, translucent ? 40 + x * 30 : 255));
    return image.convertToFormat(format);
}

// Every kind of image the document can hold reads back, through Qt's own decoder, as the same
// pixels, with its transparency.
TEST(PngEncodingTest, TheImageReadsBackAsTheSamePixels)
{
    const struct {
        const char *name;
        QImage::Format format;
        bool translucent;
    } cases[] = {
        {"opaque RGB32", QImage::Format_RGB32, false},
        {"ARGB32", QImage::Format_ARGB32, true},
        {"premultiplied", QImage::Format_ARGB32_Premultiplied, false},
        {"RGB888", QImage::Format_RGB888, false},
        {"indexed", QImage::Format_Indexed8, false},
        {"grayscale", QImage::Format_Grayscale8, false},
    };
    for (const auto &c : cases) {
        const QImage image = sample(c.format, c.translucent);
        const QImage read = QImage::fromData(pngFromImage(image), "PNG");
        ASSERT_FALSE(read.isNull()) << c.name;
        EXPECT_EQ(read.hasAlphaChannel(), image.hasAlphaChannel()) << c.name;
        EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32)) << c.name;
    }
    EXPECT_TRUE(pngFromImage(QImage()).isEmpty());
}

} // namespace
