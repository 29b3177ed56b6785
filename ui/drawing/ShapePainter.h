#pragma once
// Turns a shape element's box into its figure and paints it: hotspots as a lime
// disc in a red ring, markers as rounded rectangles that tint what lies beneath
// by a per-pixel AND of their colours (mask mode).
#include <QColor>
#include <QRect>
#include <QSize>

class QPainter;

namespace kvarnel {

// The figures the window draws: markers (rounded rectangles) and hotspots (circles).
enum class ShapeKind { RoundRect, Circle };

struct FigureGeometry {
    // In the box's own coordinates, right and bottom edges excluded.
    QRect rect;
    // Width and height of the ellipse that rounds each corner (0 when not rounded).
    int corner = 0;
};

class ShapePainter {
public:
    // The figure of a box of the given size drawn with a pen `penWidth` pixels wide.
    static FigureGeometry geometry(ShapeKind kind, QSize box, int penWidth);

    // Fills the figure with `brush`, then draws its outline, `penWidth` pixels wide and
    // centred on the figure's boundary, with `pen`; both clipped to the box. In mask
    // mode every painted pixel becomes (pixel AND colour), red, green and blue apart.
    static void paint(QPainter& painter, const QRect& box, ShapeKind kind, const QColor& pen, int penWidth,
                      const QColor& brush, bool mask);

    static void paintMarker(QPainter& painter, const QRect& box, const QColor& outline, int penWidth,
                            const QColor& fill) {
        paint(painter, box, ShapeKind::RoundRect, outline, penWidth, fill, true);
    }
};

}  // namespace kvarnel
