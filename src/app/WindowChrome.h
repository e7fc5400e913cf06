#pragma once

#include <QColor>
#include <QString>

class QMenuBar;
class QWidget;
class SkinFramework;
class Toolbar;

// The window's look: the optional skin, the toolbar's background and the menu colours. None of
// these routines reports a failure itself; its caller does.
namespace WindowChrome {

// The skin file: the application directory followed by "/x/o.cjs".
QString SkinFilePath(const QString &applicationDirectory);

// With an ordinary skin file present (not a directory, not hidden), the window takes the
// button-face colour and the skin control, when there is one, loads and applies the skin.
// Without the file nothing happens.
void LoadSkin(QWidget &window, SkinFramework *skin, const QString &applicationDirectory);

// Makes `brush` the toolbar's background (mode 1, the only mode the program uses).
void ToolbarBackground(Toolbar &toolbar, const QColor &brush, int mode);

// A solid brush of an RGB colour (&H00BBGGRR), and the system's brush of a system colour index
// (15: the button face).
QColor CreateSolidBrush(int rgb);
QColor GetSysColorBrush(int index);
constexpr int COLOR_BTNFACE = 15;

// Repaints every window of the program, so that a new background shows.
void InvalidateAllWindows();

// The menu bar and its first menu (with any menus under it) get a white background; the other
// menus keep the system's menu colour.
void MenuColor(QMenuBar &menuBar);

} // namespace WindowChrome
