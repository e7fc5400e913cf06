#include "rtf/RtfRevisions.h"

#include <array>

namespace RtfRevision {

namespace {

// One colour per author, as LibreOffice gives authors theirs.
QColor authorColor(int author)
{
    static constexpr std::array<QRgb, 9> colors{0xc69200, 0x0646a2, 0x579d1c, 0x692b9d, 0xc5000b,
                                                0x008080, 0x8c8400, 0x35556b, 0xd17600};
    return QColor::fromRgb(colors[size_t(author < 0 ? -author : author) % colors.size()]);
}

} // namespace

void show(QTextCharFormat &format)
{
    if (!isRevision(format))
        return;
    format.setProperty(ownLook, (format.fontUnderline() ? OwnUnderline : 0) | (format.fontStrikeOut() ? OwnStrikeOut : 0));
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        format.setProperty(ownColor, format.foreground().color());
    const bool deleted = format.hasProperty(deletedBy);
    if (format.hasProperty(insertedBy))
        format.setFontUnderline(true);
    if (deleted)
        format.setFontStrikeOut(true);
    format.setForeground(authorColor(format.intProperty(deleted ? deletedBy : insertedBy)));
}

QTextCharFormat withoutRevision(QTextCharFormat format)
{
    if (!isRevision(format))
        return format;
    const int look = format.intProperty(ownLook);
    format.setFontUnderline(look & OwnUnderline);
    format.setFontStrikeOut(look & OwnStrikeOut);
    if (format.hasProperty(ownColor))
        format.setForeground(format.colorProperty(ownColor));
    else
        format.clearForeground();
    for (const int property : {insertedBy, insertedAt, deletedBy, deletedAt, ownLook, ownColor})
        format.clearProperty(property);
    return format;
}

} // namespace RtfRevision
