#include "app/PathQueries.h"

#include <QFileInfo>

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

namespace modRTF {

bool PathExists(const QString &FileName)
{
    return !FileName.isEmpty() && QFileInfo::exists(FileName);
}

} // namespace modRTF
