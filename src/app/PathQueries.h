#pragma once

#include <QString>

// Questions about paths on disk, answered without ever failing.

// True when the path names something on disk whose date and time of last change can be read.
bool FileExists(const QString &path);

namespace modRTF {

// True when the path names an existing file or directory; false otherwise, including for an
// empty name. It never fails.
bool PathExists(const QString &FileName);

} // namespace modRTF
