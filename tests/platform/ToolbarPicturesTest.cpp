// The toolbar's pictures and the product icon: every one present at each size it promises,
// drawn (not blank), on a transparent background, and no two toolbar pictures alike.
#include "base/Failure.h"
#include "platform/toolbar/ImageList.h"
#include "platform/ProductIcon.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {
QImage pictureAt(const QIcon &icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) == 255;
    return count;
}

bool hasTransparentPixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                return true;
    return false;
}

struct ToolbarPicture
{
    int position;
    const char *shows;
};

const ToolbarPicture toolbarPictures[] = {
    {1, "Copy"}, {2, "New"}, {3, "Paste"}, {4, "Redo"}, {5, "Undo"},
    {6, "Cut"},  {7, "Open"}, {8, "Print"}, {9, "Save"},
};

class ToolbarPictureTest : public testing::TestWithParam<ToolbarPicture>
{
};

TEST_P(ToolbarPictureTest, IsDrawnAt16And32PixelsOnATransparentGround)
{
    const QIcon icon = toolbarImageList().ListImages(GetParam().position);
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = pictureAt(icon, size);
        ASSERT_EQ(image.size(), QSize(size, size));
        // At least a fifth of the square is drawn, and some of it is left see-through.
        EXPECT_GE(opaquePixels(image), size * size / 5);
        EXPECT_TRUE(hasTransparentPixel(image));
    }
}

INSTANTIATE_TEST_SUITE_P(Toolbar, ToolbarPictureTest, testing::ValuesIn(toolbarPictures),
                         [](const auto &info) { return std::string(info.param.shows); });

TEST(ToolbarPictures, AreNineInListOrderAt16Pixels)
{
    const ImageList list = toolbarImageList();
    EXPECT_EQ(list.Count(), 9);
    EXPECT_EQ(list.ImageWidth, 16);
    EXPECT_EQ(list.ImageHeight, 16);
}

TEST(ToolbarPictures, NoTwoAreAlike)
{
    const ImageList list = toolbarImageList();
    for (int size : {16, 32})
        for (int a = 1; a <= list.Count(); ++a)
            for (int b = a + 1; b <= list.Count(); ++b)
                EXPECT_NE(pictureAt(list.ListImages(a), size), pictureAt(list.ListImages(b), size))
                    << "pictures " << a << " and " << b << " at " << size << " pixels";
}

TEST(ToolbarPictures, UndoArrowIsTheRedoArrowCurvingTheOtherWay)
{
    const ImageList list = toolbarImageList();
    for (int size : {16, 32}) {
        const QImage redo = pictureAt(list.ListImages(4), size);
        const QImage undo = pictureAt(list.ListImages(5), size);
        EXPECT_EQ(undo, redo.mirrored(true, false)) << size << " pixels";
    }
}

TEST(ToolbarPictures, PositionsOutsideTheListFail)
{
    const ImageList list = toolbarImageList();
    for (int position : {0, 10, -1})
        EXPECT_THROW(list.ListImages(position), Failure) << position;
}

class ProductIconTest : public testing::TestWithParam<int>
{
};

TEST_P(ProductIconTest, IsDrawnAtThisSize)
{
    const int size = GetParam();
    EXPECT_TRUE(productIcon().availableSizes().contains(QSize(size, size)));
    const QImage image = pictureAt(productIcon(), size);
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_GE(opaquePixels(image), size * size / 4);
    // The corners stay clear, so the icon sits on any panel or menu colour.
    EXPECT_EQ(qAlpha(image.pixel(size - 1, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProductIconTest, testing::Values(16, 22, 24, 32, 48, 64, 128, 256));

TEST(ProductIcon, HoldsTheSameDrawingTheIconFilesAreMadeFrom)
{
    for (int size : productIconSizes())
        EXPECT_EQ(drawProductIcon(size).convertToFormat(QImage::Format_ARGB32),
                  pictureAt(productIcon(), size))
            << size;
}
} // namespace
