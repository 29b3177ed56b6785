#pragma once
// A picture held as its JPEG stream, decoded with TurboJPEG on request. The
// stream never changes; every decode makes a new image (ScreenPicture keeps the
// one a screen shows).
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace kvarnel {

class JpegPicture {
public:
    explicit JpegPicture(QByteArray stream = {}) : stream_(std::move(stream)) {}

    const QByteArray& stream() const { return stream_; }
    // Width and height from the stream's header, without decoding; empty when unreadable.
    QSize size() const { return headerSize(stream_); }
    QImage decode(QString* error = nullptr) const { return decode(stream_, error); }

    // Decodes a JPEG stream from memory into Format_RGB32 (into `into` when that
    // is an RGB32 image of the picture's size); never throws. On failure returns
    // a null image and, when `error` is given, puts the reason there (it also
    // keeps a decoder warning about a damaged but readable stream).
    static QImage decode(const QByteArray& stream, QString* error = nullptr, QImage into = QImage());
    // Reads the picture size from the stream's header; empty on failure.
    static QSize headerSize(const QByteArray& stream, QString* error = nullptr);

private:
    QByteArray stream_;
};

}  // namespace kvarnel
