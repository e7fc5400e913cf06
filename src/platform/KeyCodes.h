#pragma once

#include <Qt>

// Qt keys as the virtual-key codes and modifier masks that key handlers were written for.
namespace KeyCodes {

constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// The virtual-key code of a Qt key, or 0 for a key that has none.
int virtualKey(int qtKey);

int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace KeyCodes
