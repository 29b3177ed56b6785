#include "ShapeSpriteCache.h"

#include <QPainter>
#include <QtMath>

namespace kvarnel {

const QImage& ShapeSpriteCache::sprite(ShapeKind kind, QSize box, const QColor& pen, int penWidth,
                                       const QColor& brush, qreal ratio) {
    for (const Entry& e : entries_)
        if (e.kind == kind && e.box == box && e.pen == pen.rgba() && e.penWidth == penWidth &&
            e.brush == brush.rgba() && e.ratio == ratio)
            return e.image;
    // Antialiasing is off, so every pixel is either fully covered or left
    // transparent, and copying the image gives exactly what painting would.
    QImage image(qCeil(box.width() * ratio), qCeil(box.height() * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        ShapePainter::paint(painter, QRect(QPoint(0, 0), box), kind, pen, penWidth, brush, false);
    }
    entries_.push_back({kind, box, pen.rgba(), penWidth, brush.rgba(), ratio, std::move(image)});
    return entries_.back().image;
}

}  // namespace kvarnel
