#include "platform/Twips.h"

#include <gtest/gtest.h>

namespace {

// The offscreen screen has 96 logical DPI, so a pixel is 15 twips, as on the classic desktop.
TEST(Twips, FifteenTwipsAPixelAtNinetySixDpi)
{
    EXPECT_DOUBLE_EQ(Twips::perPixelX(), 15.0);
    const struct {
        int twips;
        int pixels;
    } cases[] = {{0, 0}, {15, 1}, {360, 24}, {8370, 558}, {7110, 474}, {345, 23}, {330, 22}, {7, 0}, {8, 1}};
    for (const auto &c : cases) {
        EXPECT_EQ(Twips::toPixelsX(c.twips), c.pixels) << c.twips;
        EXPECT_EQ(Twips::toPixelsY(c.twips), c.pixels) << c.twips;
    }
    EXPECT_EQ(Twips::fromPixelsX(558), 8370);
    EXPECT_EQ(Twips::fromPixelsY(24), 360);
}

} // namespace
