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

// The double-size rendering drawn smoothly into the place of a picture of
// `size` at `origin`, through a painter scaled by `ratio` as the screen's is:
// the pixels a paint straight onto the screen gives. The image begins at the
// device's origin (painting it shifted could round the sampling positions
// differently); `device` says which of its pixels the picture covers.
QImage resampled(const QImage& fine, QSize size, QPoint origin, qreal ratio, QRect& device) {
    const QRectF target{QPointF(origin), QSizeF(size)};
    device = filledPixels(QRectF(target.topLeft() * ratio, target.bottomRight() * ratio));
    if (device.isEmpty() || device.left() < 0 || device.top() < 0) return {};
    QImage canvas(device.right() + 1, device.bottom() + 1, QImage::Format_RGB32);
    if (canvas.isNull()) return {};
    QPainter painter(&canvas);
    painter.setTransform(QTransform::fromScale(ratio, ratio));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, fine);
    return canvas;
}

}  // namespace

ScreenPicture::ScreenPicture(JpegPicture picture, JpegPicture doubled, Decoder decoder)
    : picture_(std::move(picture)),
      doubled_(std::move(doubled)),
      decoder_(decoder ? std::move(decoder) : [](const QByteArray& stream, QString* error) {
          return JpegPicture::decode(stream, error);
      }) {}

ScreenPicture::~ScreenPicture() = default;  // the future of std::async waits for its thread

QSize ScreenPicture::size() {
    if (!sizeRead_) {
        sizeRead_ = true;
        size_ = picture_.size();
    }
    return size_;
}

ScreenPicture::Sources ScreenPicture::sources(qreal ratio) {
    // The double-size rendering is used only where it fits exactly; its header
    // is read only for a screen that may need it.
    if (ratio > 1 && !doubledChecked_) {
        doubledChecked_ = true;
        doubledFits_ = !size().isEmpty() && doubled_.size() == size() * 2;
    }
    const bool fits = ratio > 1 && doubledFits_;
    return {picture_.stream(), fits ? doubled_.stream() : QByteArray(), size(), fits, decoder_};
}

ScreenPicture::Drawing ScreenPicture::drawingFor(const Sources& sources, Key key) {
    if (key.ratio <= 1 || !sources.doubledFits) return Drawing::Plain;
    return key.ratio < 2 && key.pureScale ? Drawing::Device : Drawing::Doubled;
}

ScreenPicture::Shown ScreenPicture::make(const Sources& sources, Key key) {
    Shown shown;
    shown.key = key;
    shown.drawing = drawingFor(sources, key);
    if (shown.drawing != Drawing::Plain) {
        QImage fine = sources.decoder(sources.doubledStream, &shown.error);
        if (shown.drawing == Drawing::Device && !fine.isNull())
            fine = resampled(fine, sources.size, key.origin, key.ratio, shown.device);
        if (!fine.isNull()) {
            shown.image = std::move(fine);
            return shown;
        }
        shown.drawing = Drawing::Plain;  // the picture itself, as where there is no rendering
    }
    shown.image = sources.decoder(sources.stream, &shown.error);
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
        ahead_ = std::async(std::launch::async,
                            [s = sources(ratio), key, after, made = std::move(made)]() mutable {
                                if (after.valid()) after.wait();
                                Shown shown = make(s, key);
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
    shown_ = make(sources(key.ratio), key);
}

ScreenPicture::Key ScreenPicture::keyFor(QPainter& painter, QPoint origin) {
    const QTransform device = painter.deviceTransform();
    return {device.m11(), origin,
            device.type() <= QTransform::TxScale && device.m11() == device.m22() && device.dx() == 0 &&
                device.dy() == 0};
}

QRect ScreenPicture::opaqueArea(QPainter& painter, QPoint origin) {
    makeFor(keyFor(painter, origin));
    // A JPEG picture decodes to opaque pixels.
    if (shown_.drawing == Drawing::None) return {};
    return QRect(origin, size()).adjusted(1, 1, -1, -1);
}

void ScreenPicture::paint(QPainter& painter, QPoint origin) {
    const Key key = keyFor(painter, origin);
    makeFor(key);
    switch (shown_.drawing) {
    case Drawing::None:
        return;
    case Drawing::Plain:
        painter.drawImage(origin, shown_.image);
        return;
    case Drawing::Doubled:
        // At twice the density each of its pixels is one device pixel; at any
        // other density it is resampled smoothly, not by dropping or repeating pixels.
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, key.ratio != 2);
        painter.drawImage(QRect(origin, size_), shown_.image);
        painter.restore();
        return;
    case Drawing::Device:
        // One image pixel per device pixel: a plain copy.
        painter.save();
        painter.setWorldTransform(QTransform::fromScale(1 / key.ratio, 1 / key.ratio));
        painter.drawImage(shown_.device.topLeft(), shown_.image, shown_.device);
        painter.restore();
        return;
    }
}

}  // namespace kvarnel
