// The toolbar's nine pictures, drawn in code on a 16-cell grid so that each is sharp at 16 and
// at 32 pixels.
#include "platform/toolbar/ImageList.h"
#include "platform/PixelCanvas.h"

#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>

namespace {
namespace Palette {
const QColor Ink(0x3a, 0x3a, 0x3a);
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperShade(0xd8, 0xdc, 0xe2);
const QColor Writing(0x8a, 0x9a, 0xb8);
const QColor Wood(0xc8, 0x8e, 0x48);
const QColor WoodEdge(0x7a, 0x4c, 0x1c);
const QColor Metal(0xc4, 0xc8, 0xcc);
const QColor MetalDark(0x7c, 0x82, 0x88);
const QColor Arrow(0x3c, 0xa8, 0x3c);
const QColor ArrowEdge(0x1e, 0x64, 0x1e);
const QColor Handle(0xc8, 0x32, 0x32);
const QColor HandleEdge(0x78, 0x16, 0x16);
const QColor Folder(0xf4, 0xc8, 0x4a);
const QColor FolderBack(0xd8, 0xa2, 0x2c);
const QColor FolderEdge(0x8c, 0x62, 0x12);
const QColor Casing(0xd6, 0xd8, 0xda);
const QColor CasingShade(0xa4, 0xa8, 0xac);
const QColor Lamp(0x30, 0xc0, 0x30);
const QColor Disk(0x34, 0x5c, 0xa8);
const QColor DiskEdge(0x1a, 0x2c, 0x5c);
} // namespace Palette

// A sheet of paper whose top-right corner is folded over; its outline runs through the cells
// x0..x1, y0..y1 and the fold takes `fold` cells off the corner.
void sheet(PixelCanvas &c, int x0, int y0, int x1, int y1, int fold)
{
    c.shape(QPolygon{{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}},
            Palette::Paper, Palette::Ink);
    c.shape(QPolygon{{x1 - fold, y0}, {x1 - fold, y0 + fold}, {x1, y0 + fold}},
            Palette::PaperShade, Palette::Ink);
}

// Lines of writing across a sheet, every second row from y0 to y1.
void writing(PixelCanvas &c, int x0, int x1, int y0, int y1)
{
    for (int y = y0; y <= y1; y += 2)
        c.line(x0, y, x1, y, Palette::Writing);
}

// The outline of a ring through the cells x0..x1, y0..y1: a box with its corners cut off, which
// at this size reads as round.
void roundel(PixelCanvas &c, int x0, int y0, int x1, int y1, const QColor &colour)
{
    c.shape(QPolygon{{x0 + 1, y0}, {x1 - 1, y0}, {x1, y0 + 1}, {x1, y1 - 1}, {x1 - 1, y1},
                     {x0 + 1, y1}, {x0, y1 - 1}, {x0, y0 + 1}},
            Qt::transparent, colour);
}

void drawCopy(PixelCanvas &c)
{
    sheet(c, 1, 0, 9, 11, 2);
    writing(c, 3, 6, 3, 9);
    sheet(c, 6, 4, 14, 15, 3);
    writing(c, 8, 12, 8, 13);
}

void drawNew(PixelCanvas &c) { sheet(c, 2, 0, 13, 15, 4); }

void drawPaste(PixelCanvas &c)
{
    c.box(1, 2, 11, 15, Palette::Wood, Palette::WoodEdge);
    c.box(4, 0, 8, 3, Palette::Metal, Palette::Ink);
    c.fill(5, 1, 7, 1, Palette::MetalDark);
    sheet(c, 6, 5, 14, 15, 3);
    writing(c, 8, 12, 9, 13);
}

// A thick green arrow that rises on the left, arcs over and comes down on the right, its head
// pointing down: Redo. Undo is its mirror image.
void drawCurvedArrow(PixelCanvas &c)
{
    const QRectF round(3.5, 4.0, 9.0, 9.0);
    QPainterPath arc;
    arc.moveTo(round.left(), 13.0);
    arc.lineTo(round.left(), round.center().y());
    arc.arcTo(round, 180.0, -180.0);
    QPainterPathStroker thick;
    thick.setWidth(2.5);
    thick.setCapStyle(Qt::FlatCap);
    thick.setJoinStyle(Qt::RoundJoin);

    const qreal tipX = round.right();
    const qreal baseY = round.center().y() - 0.5;
    QPainterPath head;
    head.moveTo(tipX - 3.5, baseY);
    head.lineTo(tipX + 3.5, baseY);
    head.lineTo(tipX, baseY + 4.5);
    head.closeSubpath();

    c.path(thick.createStroke(arc).united(head).simplified(), Palette::Arrow, Palette::ArrowEdge);
}

void drawCut(PixelCanvas &c)
{
    // Two blades, each a dark cutting edge beside a lighter back, crossing at the pivot, then
    // the finger rings below them.
    c.line(4, 0, 10, 9, Palette::Ink);
    c.line(5, 0, 11, 9, Palette::MetalDark);
    c.line(11, 0, 5, 9, Palette::Ink);
    c.line(10, 0, 4, 9, Palette::MetalDark);
    c.fill(7, 4, 8, 5, Palette::Ink);
    for (int left : {1, 9}) {
        roundel(c, left, 10, left + 5, 15, Palette::HandleEdge);
        c.box(left + 1, 11, left + 4, 14, Qt::transparent, Palette::Handle);
    }
}

void drawOpen(PixelCanvas &c)
{
    c.shape(QPolygon{{0, 3}, {1, 2}, {5, 2}, {6, 3}, {12, 3}, {12, 14}, {0, 14}},
            Palette::FolderBack, Palette::FolderEdge);
    sheet(c, 3, 0, 11, 10, 2);
    writing(c, 5, 8, 4, 6);
    c.shape(QPolygon{{3, 7}, {15, 7}, {12, 14}, {0, 14}}, Palette::Folder, Palette::FolderEdge);
}

void drawPrint(PixelCanvas &c)
{
    c.box(4, 0, 11, 6, Palette::Paper, Palette::Ink);
    c.box(0, 5, 15, 12, Palette::Casing, Palette::Ink);
    c.fill(1, 10, 14, 11, Palette::CasingShade);
    c.fill(12, 7, 13, 7, Palette::Lamp);
    c.box(3, 10, 12, 15, Palette::Paper, Palette::Ink);
    writing(c, 5, 10, 12, 13);
}

void drawSave(PixelCanvas &c)
{
    c.shape(QPolygon{{0, 0}, {14, 0}, {15, 1}, {15, 15}, {0, 15}}, Palette::Disk,
            Palette::DiskEdge);
    c.box(3, 0, 12, 6, Palette::Metal, Palette::DiskEdge);
    c.fill(9, 1, 10, 5, Palette::DiskEdge);
    c.box(2, 9, 13, 15, Palette::Paper, Palette::DiskEdge);
    writing(c, 4, 11, 11, 13);
}

enum class Facing { AsDrawn, Mirrored };

// A picture at 16 pixels and at 32, so high-density screens get a sharp one. A mirrored picture
// flips the finished pixels rather than the drawing, so that both faces of a curve are
// rasterised alike and are exact mirror images.
template <typename Draw>
QIcon picture(Draw draw, Facing facing = Facing::AsDrawn)
{
    QIcon icon;
    for (int size : {16, 32}) {
        const QImage image = drawPixelPicture(size, draw);
        icon.addPixmap(QPixmap::fromImage(
            facing == Facing::Mirrored ? image.mirrored(true, false) : image));
    }
    return icon;
}
} // namespace

ImageList toolbarImageList()
{
    ImageList list;
    list.Add(picture(drawCopy));
    list.Add(picture(drawNew));
    list.Add(picture(drawPaste));
    list.Add(picture(drawCurvedArrow));
    list.Add(picture(drawCurvedArrow, Facing::Mirrored));
    list.Add(picture(drawCut));
    list.Add(picture(drawOpen));
    list.Add(picture(drawPrint));
    list.Add(picture(drawSave));
    return list;
}
