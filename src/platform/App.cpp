#include "platform/App.h"

#include <QCoreApplication>
#include <QDir>

namespace App {

QString Path()
{
    QString dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString Title() { return QCoreApplication::applicationName(); }

void setTitle(const QString &title) { QCoreApplication::setApplicationName(title); }

} // namespace App
