#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

// A painter for small pictures designed on a grid of 16 by 16 cells, one cell per pixel of the
// 16-pixel picture. Coordinates name cells: box(2, 1, 12, 14) outlines the cells from column 2 to
// column 12 inclusive. At 32 pixels every cell becomes two by two pixels. Boxes, polygons and
// lines are made of whole cells, so the 32-pixel picture is an exact enlargement of the 16-pixel
// one and never blurred. Only curves are drawn as vector paths, smoothed at 32 pixels where
// there is room for it and kept to single crisp pixels at 16.
class PixelCanvas
{
public:
    static constexpr int Grid = 16;

    explicit PixelCanvas(QImage &image);

    // Cells x0..x1, y0..y1 filled with one colour.
    void fill(int x0, int y0, int x1, int y1, const QColor &colour);
    // Cells x0..x1, y0..y1 filled with body and edged with a one-cell outline.
    void box(int x0, int y0, int x1, int y1, const QColor &body, const QColor &edge);
    // A closed polygon through the given cells, filled with body and edged with edge.
    void shape(const QPolygon &cells, const QColor &body, const QColor &edge);
    // A one-cell-wide line through the cells from (x0, y0) to (x1, y1), both ends included.
    void line(int x0, int y0, int x1, int y1, const QColor &colour);
    // A free-form path in grid units (not cells: (0, 0) is the picture's top-left corner),
    // filled with body and edged with a one-cell outline; used for curves.
    void path(const QPainterPath &units, const QColor &body, const QColor &edge);

private:
    QPainter m_painter;
    bool m_smoothCurves;
};

// The picture drawn by draw on a transparent square of size pixels.
template <typename Draw>
QImage drawPixelPicture(int size, Draw draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        PixelCanvas canvas(image);
        draw(canvas);
    }
    return image;
}
