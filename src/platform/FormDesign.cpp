#include "platform/FormDesign.h"

#include "platform/Twips.h"

#include <QPixmap>

namespace FormDesign {

QFont font()
{
    // Arial where it is installed; fontconfig puts Liberation Sans, its metric twin, in its place.
    QFont font(QStringLiteral("Arial"), 9, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(Twips::toPixelsX(left), Twips::toPixelsY(top), Twips::toPixelsX(width),
                 Twips::toPixelsY(height));
}

QIcon noIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace FormDesign
