#pragma once
// One of the window's pictures as the screen shows it, at its own size in layout
// pixels. Where a layout pixel is one device pixel (or less) that is the picture
// itself; on a denser screen it comes from the picture's rendering at twice the
// width and height: at exactly twice the density one of its pixels per device
// pixel, between the two resampled smoothly once into an image of the screen's
// own pixels (the same pixels as resampling it at every paint), above twice the
// density resampled at each paint. What a paint at one density needs is made by
// the first paint there and kept (one density at a time), or made ahead on a
// worker thread. The worker touches nothing but its own copies of the streams
// and the image it makes, which the next paint collects.
#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <future>

#include "JpegPicture.h"

class QPainter;

namespace kvarnel {

class ScreenPicture {
public:
    // Decodes a stream (into `into` where that has the picture's size); a null
    // image on failure, with the reason in `error`.
    using Decoder = std::function<QImage(const QByteArray& stream, QImage into, QString* error)>;

    // `doubled` is the same picture at twice the width and height (it may be
    // missing); `decoder` defaults to JpegPicture::decode.
    explicit ScreenPicture(JpegPicture picture = JpegPicture(), JpegPicture doubled = JpegPicture(),
                           Decoder decoder = {});
    ScreenPicture(const ScreenPicture&) = delete;
    ScreenPicture& operator=(const ScreenPicture&) = delete;
    ~ScreenPicture();  // waits for a worker that is still making an image

    // The picture's size in layout pixels, from its stream's header (empty when
    // unreadable); read on the first call.
    QSize size();
    // Draws the picture with its top-left corner at `origin` (layout pixels); the
    // painter's device transform (its world transform is the identity) says how
    // many device pixels a layout pixel covers. An undecodable picture draws
    // nothing and returns false: what lies beneath shows.
    bool paint(QPainter& painter, QPoint origin);
    // The part of the picture's place that paint() covers with opaque pixels
    // when the picture decodes, in layout pixels (its edges left out, where a
    // device pixel may be only partly the picture's); empty when even its
    // header is unreadable. Known before the picture is made, so that what
    // lies around it can be drawn while a worker is still making it.
    QRect opaqueArea(QPoint origin);
    // Starts making what a paint at `ratio` device pixels per layout pixel, with
    // the top-left corner at `origin`, needs on a worker thread, unless it is made
    // or being made already; the worker begins once `after` (if valid) is
    // ready, so that pictures made one after another take their memory one at a
    // time. Returns what is ready when this picture is made (or `after` when
    // nothing was started). Without a thread the paint makes it as usual.
    std::shared_future<void> prepareAhead(qreal ratio, QPoint origin, std::shared_future<void> after = {});
    // Why the picture last made could not be decoded (or a decoder warning).
    const QString& error() const { return shown_.error; }

    // How a paint draws what it was made for.
    enum class Drawing {
        None,     // nothing made yet, or nothing to draw
        Plain,    // the picture at its own size (scaled by the painter where the density is not 1)
        Doubled,  // the double-size rendering in the picture's place
        Device,   // an image of device pixels, drawn where it was made for
    };

private:
    struct Key {
        qreal ratio = 0;  // device pixels per layout pixel; 0: nothing made
        QPoint origin;
        bool pureScale = true;  // the device transform has no translation
        bool operator==(const Key& other) const {
            return ratio == other.ratio && origin == other.origin && pureScale == other.pureScale;
        }
    };
    struct Shown {
        Key key;
        Drawing drawing = Drawing::None;
        QImage image;
        QRect device;  // Drawing::Device: the pixels of `image` that the picture covers
        QString error;
    };
    // What make() reads: copies, so that a worker thread can hold them.
    struct Sources {
        QByteArray stream;
        QByteArray doubledStream;
        QSize size;
        bool doubledFits = false;  // the rendering has exactly twice the size (and is needed)
        Decoder decoder;
        QImage decoded;  // taken for the decoder
        QImage canvas;   // taken for the resampling (Drawing::Device)
    };

    Sources sources(Key key);
    static Shown make(Sources sources, Key key);
    static Drawing drawingFor(const Sources& sources, Key key);
    static Key keyFor(QPainter& painter, QPoint origin);
    void makeFor(Key key);

    JpegPicture picture_;
    JpegPicture doubled_;
    Decoder decoder_;
    QSize size_;
    bool sizeRead_ = false;
    bool doubledChecked_ = false;
    bool doubledFits_ = false;
    Shown shown_;
    std::future<Shown> ahead_;  // valid while a worker's image is not collected
};

}  // namespace kvarnel
