#pragma once
// A picture held as its JPEG stream and decoded with TurboJPEG the first time it
// is needed; the decoded image is then kept, so later draws only copy pixels.
// A picture known to be drawn soon can be decoded ahead on a worker thread.
// A picture that may never be drawn (the double-size renderings, used only on
// hi-DPI screens) can be given a source that reads its stream on first use.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <future>

namespace kvarnel {

class JpegPicture {
public:
    using StreamSource = std::function<QByteArray()>;

    explicit JpegPicture(QByteArray stream = {});
    // The stream is read by `source` when it is first needed, not before.
    explicit JpegPicture(StreamSource source);

    const QByteArray& stream() const;
    // Width and height from the stream's header, without decoding (empty when
    // unreadable); read once, then kept.
    QSize size() const;

    // The decoded picture in QImage::Format_RGB32; a null image when the stream
    // cannot be decoded (error() then says why; it also keeps a decoder warning
    // about a damaged but readable stream). Decodes on the first call only.
    const QImage& image() const;
    // Starts the one decode on a worker thread, so that it runs while the caller
    // does other work; image() then waits for it. Does nothing when decoding has
    // begun already; when no thread can be started, image() decodes as usual.
    void decodeAhead() const;
    // True once decoding has begun (ahead or by image()).
    bool isDecoded() const { return decoded_; }
    int decodeCount() const { return decodeCount_; }
    const QString& error() const { return error_; }

    // Decodes a JPEG stream from memory into Format_RGB32; never throws. On failure
    // returns a null image and, when `error` is given, puts the reason there.
    static QImage decode(const QByteArray& stream, QString* error = nullptr);
    // Reads the picture size from the stream's header; empty on failure.
    static QSize headerSize(const QByteArray& stream, QString* error = nullptr);

private:
    struct Decoded {
        QImage image;
        QString error;
    };

    mutable QByteArray stream_;
    mutable StreamSource source_;  // set until the stream has been read
    mutable QSize size_;
    mutable bool sizeRead_ = false;
    // The cache of a const object: filled by the first image() call.
    mutable QImage image_;
    mutable QString error_;
    mutable std::future<Decoded> ahead_;  // valid while a decode ahead is not collected
    mutable bool decoded_ = false;
    mutable int decodeCount_ = 0;
};

}  // namespace kvarnel
