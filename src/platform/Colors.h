#pragma once

#include <QColor>

// Colours as 32-bit values: an RGB colour written &H00BBGGRR (red in the lowest byte), or a
// system colour when the high bit is set (&H8000000F is the button face, &H80000005 the window).
namespace Colors {

constexpr int vbWhite = 0x00FFFFFF;
constexpr int vbButtonFace = int(0x8000000F);
constexpr int vbWindowBackground = int(0x80000005);

constexpr int RGB(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

QColor toQColor(int colour);
int fromQColor(const QColor &colour);

} // namespace Colors
