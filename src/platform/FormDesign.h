#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>

// What the program's windows share in their design: the main window and both dialogs are laid
// out in twips and drawn in the same font.
namespace FormDesign {

// Arial 9 pt bold, the font every window and the editing area are designed in.
QFont font();

// A control's place in the design, from twips to pixels.
QRect twipsRect(int left, int top, int width, int height);

// A window icon of nothing: a window whose icon is unset shows its owner's.
QIcon noIcon();

} // namespace FormDesign
