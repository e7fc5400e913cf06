#include "platform/toolbar/ImageList.h"

#include "base/Failure.h"

QIcon ImageList::ListImages(int index) const
{
    if (index < 1 || index > Count())
        throw Failure(QStringLiteral("Index out of bounds"));
    return m_images.at(index - 1);
}
