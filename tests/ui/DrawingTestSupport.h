#pragma once
// Helpers of the drawing tests: generated JPEG streams, the frame a window shows,
// and surface elements built like the window's own.
#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QWidget>

#include <map>
#include <mutex>

#include "core/Colours.h"
#include "ui/drawing/JpegPicture.h"
#include "ui/drawing/ScreenPicture.h"
#include "ui/drawing/SurfaceElement.h"

namespace kvarnel::testing {

inline QByteArray jpegStream(const QImage& image, int quality = 95) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return bytes;
}

inline QImage noiseImage(QSize size, quint32 seed) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, 0xFF000000u | random.generate());
    return image;
}

inline QImage solidImage(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// What the window shows now: the platform's copy of its backing store after all
// pending repaints, i.e. the frame composed from the partial updates.
inline QImage frameOf(QWidget& window) {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    QImage frame = window.screen()->grabWindow(window.winId()).toImage();
    return frame.convertToFormat(QImage::Format_RGB32);
}

inline QRgb rgb(ColourNumber c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

inline SurfaceElement hotspot(const QString& name, int left, int top, int node = 1) {
    SurfaceElement e;
    e.name = name;
    e.kind = SurfaceElement::Kind::Hotspot;
    e.box = QRect(left, top, 15, 15);
    e.pen = clRed;
    e.brush = clLime;
    e.penWidth = 1;
    e.node = node;
    return e;
}

inline SurfaceElement marker(const QString& name, QRect box, ColourNumber outline) {
    SurfaceElement e;
    e.name = name;
    e.kind = SurfaceElement::Kind::Marker;
    e.box = box;
    e.pen = outline;
    e.brush = clAqua;
    e.penWidth = 7;
    return e;
}

// Pixel-sized fonts drawn without antialiasing, so that text pixels carry exactly
// the colour they are drawn in.
inline QFont testFont(const QString& family, int pixelSize, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

inline SurfaceElement label(const QString& name, QRect box, const QString& text, bool autoSize) {
    SurfaceElement e;
    e.name = name;
    e.kind = SurfaceElement::Kind::Label;
    e.box = box;
    e.text = text;
    e.font = testFont(QStringLiteral("Liberation Sans"), 16);
    e.fontColour = clBlack;
    e.background = clCream;
    e.autoSize = autoSize;
    return e;
}

inline SurfaceElement button(const QString& name, QRect box, const QString& caption) {
    SurfaceElement e;
    e.name = name;
    e.kind = SurfaceElement::Kind::Button;
    e.box = box;
    e.text = caption;
    e.font = testFont(QStringLiteral("Liberation Serif"), 16);
    e.fontColour = clWindowText;
    e.background = clBtnFace;
    return e;
}

inline SurfaceElement picture(const QString& name, QRect box, ScreenPicture* source, bool centred) {
    SurfaceElement e;
    e.name = name;
    e.kind = SurfaceElement::Kind::Picture;
    e.box = box;
    e.picture = source;
    e.centred = centred;
    return e;
}

// Decodes as the program does and counts the decodes of each stream, from
// whichever thread they come.
class CountingDecoder {
public:
    ScreenPicture::Decoder decoder() {
        return [this](const QByteArray& stream, QImage into, QString* error) {
            const std::lock_guard<std::mutex> lock(mutex_);
            ++counts_[stream];
            return JpegPicture::decode(stream, error, std::move(into));
        };
    }
    int count(const QByteArray& stream) {
        const std::lock_guard<std::mutex> lock(mutex_);
        return counts_[stream];
    }

private:
    std::mutex mutex_;
    std::map<QByteArray, int> counts_;
};

}  // namespace kvarnel::testing
