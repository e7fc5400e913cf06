#include "platform/PixelCanvas.h"

#include <cstdlib>

namespace {
// A cell's centre: a one-unit pen through it covers exactly that cell, at every scale.
QPointF centre(qreal x, qreal y) { return QPointF(x + 0.5, y + 0.5); }

QPen outlinePen(const QColor &colour)
{
    // Square caps and mitred joins so that line ends and corners fill their whole cell; the
    // limit bevels the sharp corners of a folded page instead of letting them spike out.
    QPen pen(colour, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setMiterLimit(1.0);
    return pen;
}
} // namespace

PixelCanvas::PixelCanvas(QImage &image) : m_painter(&image), m_smoothCurves(image.width() > Grid)
{
    const qreal scale = qreal(image.width()) / Grid;
    m_painter.scale(scale, scale);
}

void PixelCanvas::fill(int x0, int y0, int x1, int y1, const QColor &colour)
{
    m_painter.fillRect(QRectF(x0, y0, x1 - x0 + 1, y1 - y0 + 1), colour);
}

void PixelCanvas::box(int x0, int y0, int x1, int y1, const QColor &body, const QColor &edge)
{
    fill(x0, y0, x1, y1, body);
    m_painter.setPen(outlinePen(edge));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(centre(x0, y0), centre(x1, y1)));
}

void PixelCanvas::shape(const QPolygon &cells, const QColor &body, const QColor &edge)
{
    QPolygonF centres;
    for (const QPoint &cell : cells)
        centres << centre(cell.x(), cell.y());
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(body);
    m_painter.drawPolygon(centres);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QPoint from = cells.at(i), to = cells.at((i + 1) % cells.size());
        line(from.x(), from.y(), to.x(), to.y(), edge);
    }
}

void PixelCanvas::line(int x0, int y0, int x1, int y1, const QColor &colour)
{
    // The cells are chosen on the 16-cell grid (Bresenham's walk) and each filled whole, so a
    // diagonal is the same clean staircase at every size; a stroked pen would leave ragged
    // steps at 32 pixels.
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        fill(x0, y0, x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void PixelCanvas::path(const QPainterPath &units, const QColor &body, const QColor &edge)
{
    QPen pen = outlinePen(edge);
    pen.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(body);
    m_painter.setRenderHint(QPainter::Antialiasing, m_smoothCurves);
    m_painter.drawPath(units);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}
