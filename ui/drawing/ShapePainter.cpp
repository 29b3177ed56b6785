#include "ShapePainter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kvarnel {

namespace {

// A circle is the square's inscribed ellipse; a rounded rectangle keeps the box's proportions.
bool isSquare(ShapeKind kind) { return kind == ShapeKind::Circle; }

bool isRounded(ShapeKind kind) { return kind == ShapeKind::RoundRect; }

bool isElliptic(ShapeKind kind) { return kind == ShapeKind::Circle; }

// The figure's shape around `rect` with corners of radius `radius`.
QPainterPath figurePath(ShapeKind kind, const QRectF& rect, qreal radius) {
    QPainterPath path;
    if (isElliptic(kind))
        path.addEllipse(rect);
    else if (isRounded(kind) && radius > 0)
        path.addRoundedRect(rect, radius, radius, Qt::AbsoluteSize);
    else
        path.addRect(rect);
    return path;
}

// The band a pen `width` wide covers, centred on the line through the centres of
// the figure's border pixels: between that line grown and shrunk by half the width.
QPainterPath outlinePath(ShapeKind kind, const QRect& figure, int corner, int width) {
    const QRectF centre = QRectF(figure).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal half = width / 2.0;
    const qreal radius = corner / 2.0;  // Qt takes radii, the corner is an ellipse's width
    const qreal outerRadius = radius > 0 ? radius + half : 0;  // square corners stay square
    QPainterPath band = figurePath(kind, centre.adjusted(-half, -half, half, half), outerRadius);
    const QRectF inner = centre.adjusted(half, half, -half, -half);
    if (inner.width() > 0 && inner.height() > 0)
        band.addPath(figurePath(kind, inner, std::max(radius - half, 0.0)));
    band.setFillRule(Qt::OddEvenFill);
    return band;
}

}  // namespace

FigureGeometry ShapePainter::geometry(ShapeKind kind, QSize box, int penWidth) {
    int x = penWidth / 2;
    int y = x;
    int w = box.width() - penWidth + 1;
    int h = box.height() - penWidth + 1;
    if (penWidth == 0) {
        --w;
        --h;
    }
    const int s = std::min(w, h);
    if (isSquare(kind)) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    FigureGeometry g;
    g.rect = QRect(x, y, std::max(w, 0), std::max(h, 0));
    g.corner = isRounded(kind) ? std::max(s, 0) / 4 : 0;
    return g;
}

void ShapePainter::paint(QPainter& painter, const QRect& box, ShapeKind kind, const QColor& pen, int penWidth,
                         const QColor& brush, bool mask) {
    const FigureGeometry g = geometry(kind, box.size(), penWidth);
    if (g.rect.isEmpty()) return;

    painter.save();
    painter.translate(box.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), box.size()), Qt::IntersectClip);
    // Mask mode must act once per pixel with exact colours: no blending at edges.
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (mask) painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);

    // Both are filled areas sampled at pixel centres, so a pen p wide covers exactly
    // p pixels across a straight side, half of them outside the figure.
    painter.fillPath(figurePath(kind, QRectF(g.rect), g.corner / 2.0), brush);
    if (penWidth > 0) painter.fillPath(outlinePath(kind, g.rect, g.corner, penWidth), pen);
    painter.restore();
}

}  // namespace kvarnel
