#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackTwipsPerPixel = 15.0; // 96 DPI, when there is no screen at all

double twipsPerPixel(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return kFallbackTwipsPerPixel;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? kTwipsPerInch / dpi : kFallbackTwipsPerPixel;
}

int scaledToPixels(int twips, double factor) { return int(std::lround(twips / factor)); }
int scaledFromPixels(int pixels, double factor) { return int(std::lround(pixels * factor)); }

} // namespace

namespace Twips {

double perPixelX() { return twipsPerPixel(true); }
double perPixelY() { return twipsPerPixel(false); }

int toPixelsX(int twips) { return scaledToPixels(twips, perPixelX()); }
int toPixelsY(int twips) { return scaledToPixels(twips, perPixelY()); }
int fromPixelsX(int pixels) { return scaledFromPixels(pixels, perPixelX()); }
int fromPixelsY(int pixels) { return scaledFromPixels(pixels, perPixelY()); }

QSize toPixels(int widthTwips, int heightTwips)
{
    return QSize(toPixelsX(widthTwips), toPixelsY(heightTwips));
}

} // namespace Twips
