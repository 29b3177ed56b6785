#include "ElementPainter.h"

#include <qdrawutil.h>
#include <QFontMetrics>
#include <QPainter>

#include "ScreenPicture.h"
#include "ShapePainter.h"
#include "Surface.h"

namespace kvarnel {

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
// The focus ring's black circle lies this far outside the box, 2 pixels wide,
// with a 1-pixel white rim outside it so that it shows on dark lines as well.
constexpr qreal kRingGap = 3;
constexpr qreal kRingWidth = 2;
constexpr int kRingReach = 6;  // whole pixels beyond the box that the ring may touch

}  // namespace

ElementPainter::ElementPainter(QPainter& painter, const Surface& surface, ShapeSpriteCache& sprites)
    : painter_(painter), surface_(surface), sprites_(sprites), ratio_(painter.deviceTransform().m11()) {}

void ElementPainter::paint(const SurfaceElement& element, bool held) {
    switch (element.kind) {
    case SurfaceElement::Kind::Picture:
        paintPicture(element);
        break;
    case SurfaceElement::Kind::Label:
        paintLabel(element);
        break;
    case SurfaceElement::Kind::Button:
        paintButton(element, held);
        break;
    case SurfaceElement::Kind::Hotspot:
    case SurfaceElement::Kind::Marker:
        paintShape(element);
        break;
    }
}

QSize ElementPainter::labelSize(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    // An empty label is a blank wide and as high as a line of text laid out in
    // its font (which includes the leading), like a label with a text.
    if (text.isEmpty())
        return {metrics.horizontalAdvance(QLatin1Char(' ')),
                metrics.size(kTextFlags, QStringLiteral(" ")).height()};
    return metrics.size(kTextFlags, text);
}

QPoint ElementPainter::pictureOrigin(const SurfaceElement& element, QSize picture) {
    if (!element.centred) return element.box.topLeft();
    return element.box.topLeft() +
           QPoint((element.box.width() - picture.width()) / 2, (element.box.height() - picture.height()) / 2);
}

QRect ElementPainter::focusRingArea(const QRect& box) {
    return box.adjusted(-kRingReach, -kRingReach, kRingReach, kRingReach);
}

void ElementPainter::paintFocusRing(const QRect& box) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setBrush(Qt::NoBrush);
    const QRectF circle = QRectF(box).adjusted(-kRingGap, -kRingGap, kRingGap, kRingGap);
    const qreal rim = kRingWidth / 2 + 0.5;
    painter_.setPen(QPen(Qt::white, 1));
    painter_.drawEllipse(circle.adjusted(-rim, -rim, rim, rim));
    painter_.setPen(QPen(Qt::black, kRingWidth));
    painter_.drawEllipse(circle);
    painter_.restore();
}

void ElementPainter::paintPicture(const SurfaceElement& element) {
    // Decoded for this screen on the first draw (or collected from the worker
    // that made it ahead); an undecodable stream draws nothing: the background
    // shows, also where it was left out for the picture.
    if (element.picture && !element.picture->paint(painter_, pictureOrigin(element, element.picture->size())))
        painter_.fillRect(opaqueArea(element), Surface::kBackground);
}

QRect ElementPainter::opaqueArea(const SurfaceElement& element) {
    if (element.kind != SurfaceElement::Kind::Picture || !element.picture) return {};
    // The picture is clipped to its box.
    return element.picture->opaqueArea(pictureOrigin(element, element.picture->size()))
        .intersected(element.box);
}

void ElementPainter::paintLabel(const SurfaceElement& element) {
    painter_.fillRect(element.box, surface_.colour(element.background));
    if (element.text.isEmpty()) return;
    painter_.setFont(element.font);
    painter_.setPen(surface_.colour(element.fontColour));
    // No wrapping: what does not fit is cut off by the clip at the box's edges.
    painter_.drawText(element.box, kTextFlags | Qt::TextDontClip, element.text);
}

void ElementPainter::paintButton(const SurfaceElement& element, bool held) {
    const bool sunken = held && element.enabled;
    QPalette bevel = surface_.palette();
    bevel.setColor(QPalette::Light, surface_.colour(clBtnHighlight));
    bevel.setColor(QPalette::Dark, surface_.colour(clBtnShadow));
    bevel.setColor(QPalette::Button, surface_.colour(clBtnFace));
    const QBrush face(surface_.colour(element.background));
    qDrawWinButton(&painter_, element.box, bevel, sunken, &face);

    if (element.text.isEmpty()) return;
    painter_.setFont(element.font);
    const QRect caption = element.box.translated(sunken ? QPoint(1, 1) : QPoint(0, 0));
    constexpr int flags = Qt::AlignCenter | Qt::TextDontClip;
    if (!element.enabled) {
        // Embossed: the highlight 1 px right and down, the shadow in place over it.
        painter_.setPen(surface_.colour(clBtnHighlight));
        painter_.drawText(caption.translated(1, 1), flags, element.text);
        painter_.setPen(surface_.colour(clBtnShadow));
        painter_.drawText(caption, flags, element.text);
        return;
    }
    painter_.setPen(surface_.colour(element.fontColour));
    painter_.drawText(caption, flags, element.text);
}

void ElementPainter::paintShape(const SurfaceElement& element) {
    const QColor pen = surface_.colour(element.pen);
    const QColor brush = surface_.colour(element.brush);
    if (element.kind == SurfaceElement::Kind::Hotspot)
        painter_.drawImage(element.box.topLeft(), sprites_.sprite(ShapeKind::Circle, element.box.size(), pen,
                                                                  element.penWidth, brush, ratio_));
    else
        ShapePainter::paintMarker(painter_, element.box, pen, element.penWidth, brush);
}

}  // namespace kvarnel
