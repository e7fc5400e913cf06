#pragma once

#include <cmath>

// Lengths in a QTextDocument are pixels at 96 per inch; RTF measures in twips (1/1440 inch).
namespace RtfWriterUnits {

constexpr int twipsPerPixel = 15;

inline int twipsFromPixels(double pixels) { return int(std::lround(pixels * twipsPerPixel)); }

} // namespace RtfWriterUnits
