#pragma once
// Draws one surface element (picture, label, push button, hotspot or marker) into
// the surface's painter; the painter is already clipped to the element's box.
// Everything is placed in layout pixels; where the painter's device has more
// pixels than that (a hi-DPI screen), pictures come from their double-size
// renderings (ScreenPicture) and hotspots from sprites made at the device's density.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

#include "SurfaceElement.h"

class QPainter;
class QFont;
class QString;

namespace kvarnel {

class Surface;
class ShapeSpriteCache;

class ElementPainter {
public:
    // `surface` resolves the colour numbers (system colours from its palette);
    // `sprites` holds the hotspots' pre-drawn copies, filled as they are needed.
    // The painter's transform must still be the device's own (no world transform).
    ElementPainter(QPainter& painter, const Surface& surface, ShapeSpriteCache& sprites);

    // Device pixels per layout pixel of the painter's device.
    qreal ratio() const { return ratio_; }

    // `held`: a push button held down with the pointer over it (drawn sunken).
    void paint(const SurfaceElement& element, bool held);
    // What a picture element covers with opaque pixels (layout pixels), known
    // before the picture is made; empty for other elements. A picture that
    // cannot be decoded fills it with the surface's background when painted.
    QRect opaqueArea(const SurfaceElement& element);

    // The size of an auto-sized label: its text's width and height; an empty
    // text is as wide as one blank and one line high.
    static QSize labelSize(const QFont& font, const QString& text);
    // Where a picture of the given size starts: centred in the box (integer division
    // truncating) or at the box's top-left corner.
    static QPoint pictureOrigin(const SurfaceElement& element, QSize picture);

    // The keyboard's focus ring: a black circle with a white rim around the
    // element's box, over whatever lies there; the area it covers.
    void paintFocusRing(const QRect& box);
    static QRect focusRingArea(const QRect& box);

private:
    void paintPicture(const SurfaceElement& element);
    void paintLabel(const SurfaceElement& element);
    void paintButton(const SurfaceElement& element, bool held);
    void paintShape(const SurfaceElement& element);

    QPainter& painter_;
    const Surface& surface_;
    ShapeSpriteCache& sprites_;
    qreal ratio_;
};

}  // namespace kvarnel
