#include "platform/Colors.h"

#include <QApplication>
#include <QPalette>

namespace {

// The few system colours the program names, taken from the desktop's palette.
QColor systemColour(int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 5: return palette.color(QPalette::Base);            // window background
    case 8: return palette.color(QPalette::Text);            // window text
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);         // button face
    default: return palette.color(QPalette::Window);
    }
}

} // namespace

namespace Colors {

QColor toQColor(int colour)
{
    if (colour & 0x80000000)
        return systemColour(colour & 0xFF);
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int fromQColor(const QColor &colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

} // namespace Colors
