#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window positions and sizes are kept in twips (1/1440 inch) and turned into pixels through
// the screen's logical DPI: 15 twips a pixel at 96 DPI.
namespace Twips {

double perPixelX();
double perPixelY();

int toPixelsX(int twips);
int toPixelsY(int twips);
int fromPixelsX(int pixels);
int fromPixelsY(int pixels);

QSize toPixels(int widthTwips, int heightTwips);

} // namespace Twips
