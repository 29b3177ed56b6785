#pragma once
// Copy-mode shapes (the 50 hotspots) drawn once into a transparent image and
// then only copied: the same figure, pixel for pixel, at a fraction of the cost
// of filling its outline path on every repaint.
#include <QColor>
#include <QImage>
#include <QSize>
#include <vector>

#include "ShapePainter.h"

namespace kvarnel {

class ShapeSpriteCache {
public:
    const QImage& sprite(ShapeKind kind, QSize box, const QColor& pen, int penWidth,
                         const QColor& brush);

private:
    struct Entry {
        ShapeKind kind;
        QSize box;
        QRgb pen;
        int penWidth;
        QRgb brush;
        QImage image;
    };
    std::vector<Entry> entries_;
};

}  // namespace kvarnel
