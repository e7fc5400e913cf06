#pragma once

#include <QLoggingCategory>

// The editing area reads and corrects a few of Qt's private classes (QtLayoutState.h, and the
// document's pieces of text). Their members are where the private headers built against say only
// in that same Qt, so every such read waits for usable(). Where it says no, the editing area does
// what a program using Qt's public interface alone does: Qt lays out every change itself.
namespace QtPrivateState {

// The variable that turns the private state off, as another Qt would: set to 1, the editing
// area uses Qt's own layout only (for testing what a user of another Qt gets).
inline constexpr char qtLayoutOnlyVariable[] = "CORVALA_QT_LAYOUT_ONLY";

// Whether the private state may be read: the running Qt is the minor version built against and
// qtLayoutOnlyVariable is not set. Decided once per process; a refusal says why, once, on
// the corvala.layout logging category.
bool usable();

} // namespace QtPrivateState

// When the short ways of the editing area's layout are refused, and why (on at the level of
// information; QT_LOGGING_RULES="corvala.layout.debug=true" adds each change that is left to Qt
// because the layout's state disagrees with its public answers).
Q_DECLARE_LOGGING_CATEGORY(layoutLog)
