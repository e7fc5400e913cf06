#pragma once

#include <QString>

// What the program knows about itself: where its executable lives and the title under which
// it is known to the system (and which titles every message box that has none of its own).
namespace App {

// The directory of the executable, without a trailing separator.
QString Path();

QString Title();
void setTitle(const QString &title);

} // namespace App
