// Pictures: decoded from the file's own data, shown at the size the file asks for; what
// cannot be drawn here is a light box of that size, never stray text.
#include "RtfReaderTestSupport.h"

#include <QBuffer>
#include <QImage>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

struct Picture
{
    QSizeF shown;      // the display size in the document
    QImage image;      // the document's image resource
};

QList<Picture> picturesOf(const QTextDocument &document)
{
    QList<Picture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            // equal pictures side by side share one fragment
            const QTextImageFormat image = format.toImageFormat();
            const Picture picture{QSizeF(image.width(), image.height()),
                                  document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>()};
            for (int i = 0; i < it.fragment().length(); ++i)
                pictures.append(picture);
        }
    }
    return pictures;
}

QImage sample(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray pict(const QByteArray &properties, const QByteArray &data)
{
    return "{\\rtf1 a{\\pict" + properties + " " + data.toHex() + "}b}";
}

TEST(ReaderPictures, PngAtItsGoalSize)
{
    const auto document = readRtf(pict("\\pngblip\\picw4\\pich3\\picwgoal1500\\pichgoal750", encoded(sample({4, 3}), "PNG")));
    EXPECT_EQ(textOf(*document), QString::fromUtf16(u"a\uFFFCb"));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].shown, QSizeF(100, 50));
    EXPECT_EQ(pictures[0].image.size(), QSize(4, 3));
    EXPECT_EQ(pictures[0].image.pixelColor(0, 0), QColor(10, 200, 30));
}

TEST(ReaderPictures, JpegScaledByPercent)
{
    const auto document = readRtf(pict("\\jpegblip\\picwgoal300\\pichgoal150\\picscalex200\\picscaley50",
                                       encoded(sample({8, 4}), "JPEG")));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].shown, QSizeF(40, 5));
    EXPECT_EQ(pictures[0].image.size(), QSize(8, 4));
}

TEST(ReaderPictures, WithoutGoalTheImageSize)
{
    const auto document = readRtf(pict("\\pngblip", encoded(sample({7, 5}), "PNG")));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].shown, QSizeF(7, 5));
}

TEST(ReaderPictures, DeviceIndependentBitmap)
{
    const QByteArray bmp = encoded(sample({5, 2}), "BMP");
    const auto document = readRtf(pict("\\dibitmap0\\picw5\\pich2", bmp.mid(14)));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].image.size(), QSize(5, 2));
    EXPECT_EQ(pictures[0].image.pixelColor(4, 1), QColor(10, 200, 30));
}

TEST(ReaderPictures, MonochromeDeviceBitmap)
{
    // 16 pixels a row in two bytes: white, then black
    const QByteArray rows = QByteArray::fromHex("ff00ff00");
    const auto document = readRtf(pict("\\wbitmap0\\picw16\\pich2\\wbmbitspixel1\\wbmplanes1\\wbmwidthbytes2", rows));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].image.size(), QSize(16, 2));
    EXPECT_EQ(pictures[0].image.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(pictures[0].image.pixelColor(15, 1), QColor(Qt::black));
}

TEST(ReaderPictures, BinaryData)
{
    const QByteArray png = encoded(sample({3, 3}), "PNG");
    const QByteArray rtf = "{\\rtf1 {\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}z}";
    const auto document = readRtf(rtf);
    EXPECT_EQ(textOf(*document), QString::fromUtf16(u"\uFFFCz"));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].image.size(), QSize(3, 3));
}

struct PlaceholderCase
{
    const char *name;
    QByteArray rtf;
    QSizeF shown;
};

void PrintTo(const PlaceholderCase &c, std::ostream *out) { *out << c.name; }

class ReaderPlaceholders : public testing::TestWithParam<PlaceholderCase> {};

TEST_P(ReaderPlaceholders, AreABoxOfThePictureSize)
{
    const PlaceholderCase &c = GetParam();
    const auto document = readRtf(c.rtf);
    EXPECT_EQ(textOf(*document), QString::fromUtf16(u"a\uFFFCb"));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].shown, c.shown);
    EXPECT_EQ(pictures[0].image.pixelColor(0, 0), QColor(0xB8, 0xB8, 0xB8));   // its outline
}

const PlaceholderCase placeholderCases[] = {
    {"windows metafile", pict("\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720", "0102030405"), {96, 48}},
    {"metafile without goal uses hundredths of a millimetre",
     pict("\\wmetafile8\\picw2540\\pich1270", "0102"), {96, 48}},
    {"enhanced metafile", pict("\\emfblip\\picwgoal300\\pichgoal300", "0102"), {20, 20}},
    {"broken png", pict("\\pngblip\\picwgoal300\\pichgoal150", "89504e47"), {20, 10}},
    {"png claiming a huge size",
     pict("\\pngblip\\picwgoal300\\pichgoal150",
          QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000")), {20, 10}},
    {"absurd goal is bounded", pict("\\emfblip\\picwgoal2147483647\\pichgoal15", "00"), {20000, 1}},
};
INSTANTIATE_TEST_SUITE_P(Placeholders, ReaderPlaceholders, testing::ValuesIn(placeholderCases));

TEST(ReaderPictures, PlaceholdersOfOneSizeShareOneImage)
{
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 1000; ++i)
        rtf += "{\\pict\\emfblip\\picwgoal15000\\pichgoal15000 00}";
    const auto document = readRtf(rtf + "}");
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1000);
    EXPECT_EQ(pictures.first().image.cacheKey(), pictures.last().image.cacheKey());
    EXPECT_EQ(pictures.first().image.size(), QSize(1000, 1000));
}

TEST(ReaderPictures, ShapePictureIsPreferredOverItsFallback)
{
    const QByteArray png = encoded(sample({2, 2}), "PNG").toHex();
    const auto document = readRtf("{\\rtf1 {\\*\\shppict{\\pict\\pngblip " + png + "}}"
                                  "{\\nonshppict{\\pict\\wmetafile8\\picw10\\pich10 0102}}x}");
    EXPECT_EQ(textOf(*document), QString::fromUtf16(u"\uFFFCx"));
    const QList<Picture> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].image.size(), QSize(2, 2));
}

TEST(ReaderPictures, FallbackAloneIsShown)
{
    const auto document = readRtf("{\\rtf1 {\\nonshppict{\\pict\\wmetafile8\\picwgoal150\\pichgoal150 0102}}x}");
    EXPECT_EQ(picturesOf(*document).size(), 1);
}

TEST(ReaderPictures, ObjectShowsItsResultPictureOnly)
{
    const auto document = readRtf("{\\rtf1 {\\object\\objemb{\\*\\objclass Package}{\\*\\objdata 01050000deadbeef}"
                                  "{\\result{\\pict\\wmetafile8\\picwgoal150\\pichgoal150 0102}}}}");
    EXPECT_EQ(textOf(*document), QString::fromUtf16(u"\uFFFC"));
    EXPECT_EQ(picturesOf(*document).size(), 1);
}

TEST(ReaderPictures, LinkedPictureLoadsNothing)
{
    const auto document = readRtf("{\\rtf1 {\\field{\\*\\fldinst INCLUDEPICTURE \"http://example.org/a.png\" \\\\d}"
                                  "{\\fldrslt }}x}");
    EXPECT_EQ(textOf(*document), "x");
    EXPECT_TRUE(picturesOf(*document).isEmpty());
}

} // namespace
