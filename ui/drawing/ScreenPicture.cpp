#include "ScreenPicture.h"

#include <QPainter>

#include <exception>

namespace kvarnel {

namespace {

// The device pixels that a painter without antialiasing fills for a rectangle
// of device coordinates: its edges rounded to whole pixels.
QRect filledPixels(const QRectF& rect) {
    const int left = qRound(rect.left());
    const int top = qRound(rect.top());
    return {left, top, qRound(rect.right()) - left, qRound(rect.bottom()) - top};
}

// The device pixels that a picture of `size` at `origin` covers on a screen of `ratio`.
QRect devicePixels(QSize size, QPoint origin, qreal ratio) {
    // Both corners mapped, as the painter maps them.
    const QRectF place{QPointF(origin), QSizeF(size)};
    return filledPixels(QRectF(place.topLeft() * ratio, place.bottomRight() * ratio));
}

// The double-size rendering drawn smoothly into the place of a picture of
// `size` at `origin`, through a painter scaled by `ratio` as the screen's is:
// the pixels a paint straight onto the screen gives. `canvas` begins at the
// device's origin (painting it shifted could round the sampling positions
// differently) and reaches the picture's far corner.
QImage resampled(const QImage& fine, QSize size, QPoint origin, qreal ratio, QImage canvas) {
    if (canvas.isNull()) return {};
    QPainter painter(&canvas);
    painter.setTransform(QTransform::fromScale(ratio, ratio));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(origin), QSizeF(size)), fine);
    painter.end();
    return canvas;
}

}  // namespace

ScreenPicture::ScreenPicture(JpegPicture picture, JpegPicture doubled, Decoder decoder)
    : picture_(std::move(picture)),
      doubled_(std::move(doubled)),
      decoder_(decoder ? std::move(decoder) : [](const QByteArray& stream, QImage into, QString* error) {
          return JpegPicture::decode(stream, error, std::move(into));
      }) {}

ScreenPicture::~ScreenPicture() = default;  // the future of std::async waits for its thread

QSize ScreenPicture::size() {
    if (!sizeRead_) {
        sizeRead_ = true;
        size_ = picture_.size();
    }
    return size_;
}

ScreenPicture::Sources ScreenPicture::sources(Key key) {
    // The double-size rendering is used only where it fits exactly; its header
    // is read only for a screen that may need it.
    if (key.ratio > 1 && !doubledChecked_) {
        doubledChecked_ = true;
        doubledFits_ = !size().isEmpty() && doubled_.size() == size() * 2;
    }
    const bool fits = key.ratio > 1 && doubledFits_;
    Sources s{picture_.stream(), fits ? doubled_.stream() : QByteArray(), size(), fits, decoder_, {}, {}};
    // The images are taken here, on this thread, from the heap every other
    // picture comes from; a worker fills them (and touches their pages first).
    switch (drawingFor(s, key)) {
    case Drawing::Device: {
        const QRect device = devicePixels(s.size, key.origin, key.ratio);
        if (!device.isEmpty() && device.left() >= 0 && device.top() >= 0)
            s.canvas = QImage(device.right() + 1, device.bottom() + 1, QImage::Format_RGB32);
        s.decoded = QImage(s.size * 2, QImage::Format_RGB32);
        break;
    }
    case Drawing::Doubled:
        s.decoded = QImage(s.size * 2, QImage::Format_RGB32);
        break;
    default:
        s.decoded = QImage(s.size, QImage::Format_RGB32);
        break;
    }
    return s;
}

ScreenPicture::Drawing ScreenPicture::drawingFor(const Sources& sources, Key key) {
    if (key.ratio <= 1 || !sources.doubledFits) return Drawing::Plain;
    return key.ratio < 2 && key.pureScale ? Drawing::Device : Drawing::Doubled;
}

ScreenPicture::Shown ScreenPicture::make(Sources sources, Key key) {
    Shown shown;
    shown.key = key;
    shown.drawing = drawingFor(sources, key);
    if (shown.drawing != Drawing::Plain) {
        QImage fine = sources.decoder(sources.doubledStream, std::move(sources.decoded), &shown.error);
        if (shown.drawing == Drawing::Device && !fine.isNull()) {
            shown.device = devicePixels(sources.size, key.origin, key.ratio);
            fine = resampled(fine, sources.size, key.origin, key.ratio, std::move(sources.canvas));
        }
        if (!fine.isNull()) {
            shown.image = std::move(fine);
            return shown;
        }
        shown.drawing = Drawing::Plain;  // the picture itself, as where there is no rendering
    }
    shown.image = sources.decoder(sources.stream, std::move(sources.decoded), &shown.error);
    if (shown.image.isNull()) shown.drawing = Drawing::None;
    return shown;
}

std::shared_future<void> ScreenPicture::prepareAhead(qreal ratio, QPoint origin,
                                                     std::shared_future<void> after) {
    const Key key{ratio, origin, true};
    if (shown_.key == key || ahead_.valid()) return after;
    std::promise<void> made;
    std::shared_future<void> done = made.get_future().share();
    try {
        ahead_ =
            std::async(std::launch::async, [s = sources(key), key, after, made = std::move(made)]() mutable {
                if (after.valid()) after.wait();
                Shown shown = make(std::move(s), key);
                made.set_value();
                return shown;
            });
    } catch (const std::exception&) {
        return after;  // no worker thread: the paint makes it
    }
    return done;
}

void ScreenPicture::makeFor(Key key) {
    if (shown_.key == key) return;
    if (ahead_.valid()) {
        // Called from paint events: nothing may be thrown from here.
        try {
            Shown made = ahead_.get();
            if (made.key == key) {
                shown_ = std::move(made);
                return;
            }
        } catch (const std::exception&) {
            // made below on this thread
        }
    }
    shown_ = make(sources(key), key);
}

ScreenPicture::Key ScreenPicture::keyFor(QPainter& painter, QPoint origin) {
    const QTransform device = painter.deviceTransform();
    return {device.m11(), origin,
            device.type() <= QTransform::TxScale && device.m11() == device.m22() && device.dx() == 0 &&
                device.dy() == 0};
}

QRect ScreenPicture::opaqueArea(QPoint origin) {
    // A JPEG picture decodes to opaque pixels.
    if (size().isEmpty()) return {};
    return QRect(origin, size()).adjusted(1, 1, -1, -1);
}

bool ScreenPicture::paint(QPainter& painter, QPoint origin) {
    const Key key = keyFor(painter, origin);
    makeFor(key);
    switch (shown_.drawing) {
    case Drawing::None:
        return false;
    case Drawing::Plain:
        painter.drawImage(origin, shown_.image);
        return true;
    case Drawing::Doubled:
        // At twice the density each of its pixels is one device pixel; at any
        // other density it is resampled smoothly, not by dropping or repeating pixels.
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, key.ratio != 2);
        painter.drawImage(QRect(origin, size_), shown_.image);
        painter.restore();
        return true;
    case Drawing::Device:
        // One image pixel per device pixel: a plain copy.
        painter.save();
        painter.setWorldTransform(QTransform::fromScale(1 / key.ratio, 1 / key.ratio));
        painter.drawImage(shown_.device.topLeft(), shown_.image, shown_.device);
        painter.restore();
        return true;
    }
    return false;
}

}  // namespace kvarnel
