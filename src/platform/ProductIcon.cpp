#include "platform/ProductIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {
// The icon is designed on a 64-unit square and scaled.
constexpr qreal Units = 64.0;

const QColor Ink(0x2c, 0x34, 0x48);
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperShade(0xe4, 0xe8, 0xf0);
const QColor Writing(0x8a, 0x9a, 0xb8);
const QColor ArcLight(0x3c, 0x6e, 0xe0);
const QColor ArcDark(0x1c, 0x32, 0x8c);

void drawPage(QPainter &p, qreal hairline)
{
    const qreal left = 14, top = 4, right = 52, bottom = 60, fold = 12;
    QPainterPath page;
    page.moveTo(left, top);
    page.lineTo(right - fold, top);
    page.lineTo(right, top + fold);
    page.lineTo(right, bottom);
    page.lineTo(left, bottom);
    page.closeSubpath();
    QPen outline(Ink, hairline, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    outline.setMiterLimit(1.0); // the fold's sharp corners would otherwise spike out
    p.setPen(outline);
    p.setBrush(Paper);
    p.drawPath(page);

    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    corner.closeSubpath();
    p.setBrush(PaperShade);
    p.drawPath(corner);
}

void drawWriting(QPainter &p, int size)
{
    // Small icons get fewer, bolder lines: thin ones would blur into a grey page.
    const bool small = size < 32;
    const qreal thickness = small ? 4.0 : 3.0;
    const qreal step = small ? 10.0 : 7.0;
    p.setPen(Qt::NoPen);
    p.setBrush(Writing);
    for (qreal y = 14; y <= 52; y += step) {
        const qreal right = (y < 24) ? 38 : 46;
        p.drawRect(QRectF(22, y, right - 22, thickness));
    }
}

void drawLetterC(QPainter &p)
{
    // A thick arc open to the right; a paper-coloured halo keeps it apart from the writing.
    QPainterPath arc;
    const QRectF circle(6, 27, 29, 29);
    arc.arcMoveTo(circle, 45);
    arc.arcTo(circle, 45, 270);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Paper, 14, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    QLinearGradient shade(circle.topLeft(), circle.bottomRight());
    shade.setColorAt(0, ArcLight);
    shade.setColorAt(1, ArcDark);
    p.setPen(QPen(QBrush(shade), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
}
} // namespace

QList<int> productIconSizes() { return {16, 22, 24, 32, 48, 64, 128, 256}; }

QImage drawProductIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / Units;
    p.scale(scale, scale);
    // The page's outline stays at least one pixel wide however small the icon.
    drawPage(p, qMax(2.0, 1.0 / scale));
    drawWriting(p, size);
    drawLetterC(p);
    return image;
}

QIcon productIcon()
{
    QIcon icon;
    for (int size : productIconSizes())
        icon.addPixmap(QPixmap::fromImage(drawProductIcon(size)));
    return icon;
}
