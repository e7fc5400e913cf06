// Placeholder pictures until the drawn ones land.
#include "platform/ImageList.h"

#include <QPainter>
#include <QPixmap>

namespace {
QIcon square(QColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}
} // namespace

ImageList toolbarImageList()
{
    ImageList list;
    for (int i = 0; i < 9; ++i)
        list.Add(square(QColor::fromHsv(i * 40, 200, 200)));
    return list;
}

QIcon productIcon() { return square(Qt::darkBlue); }
