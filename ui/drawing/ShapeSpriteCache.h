#pragma once
// Copy-mode shapes (the 50 hotspots) drawn once into a transparent image and
// then only copied: the same figure, pixel for pixel, at a fraction of the cost
// of filling its outline path on every repaint. A sprite is made at the
// density it is drawn at (device pixels per layout pixel), so a hi-DPI screen
// gets the figure at its own resolution, not an enlarged copy.
#include <QColor>
#include <QImage>
#include <QSize>
#include <vector>

#include "ShapePainter.h"

namespace kvarnel {

class ShapeSpriteCache {
public:
    const QImage& sprite(ShapeKind kind, QSize box, const QColor& pen, int penWidth, const QColor& brush,
                         qreal ratio = 1);

private:
    struct Entry {
        ShapeKind kind;
        QSize box;
        QRgb pen;
        int penWidth;
        QRgb brush;
        qreal ratio;
        QImage image;
    };
    std::vector<Entry> entries_;
};

}  // namespace kvarnel
