#include "JpegPicture.h"

#include <turbojpeg.h>
#include <QSysInfo>

#include <exception>
#include <memory>

namespace kvarnel {

namespace {

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using DecompressHandle = std::unique_ptr<void, HandleCloser>;

// QImage::Format_RGB32 keeps each pixel as the 32-bit value 0xFFRRGGBB, so its
// byte order in memory depends on the machine; TurboJPEG writes 0xFF as X.
constexpr int kRgb32PixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

QString turboError(void* handle) { return QString::fromLocal8Bit(tjGetErrorStr2(handle)); }

bool readHeader(void* handle, const QByteArray& stream, int& width, int& height, QString* error) {
    if (stream.isEmpty()) {
        setError(error, QStringLiteral("empty JPEG stream"));
        return false;
    }
    int subsampling = 0;
    int colourspace = 0;
    const auto* data = reinterpret_cast<const unsigned char*>(stream.constData());
    if (tjDecompressHeader3(handle, data, static_cast<unsigned long>(stream.size()), &width, &height,
                            &subsampling, &colourspace) != 0) {
        setError(error, turboError(handle));
        return false;
    }
    if (width <= 0 || height <= 0) {
        setError(error, QStringLiteral("JPEG stream without picture size"));
        return false;
    }
    return true;
}

// A decoder that has read the stream's header, or none (with the error set).
DecompressHandle openStream(const QByteArray& stream, int& width, int& height, QString* error) {
    DecompressHandle handle(tjInitDecompress());
    if (!handle) {
        setError(error, QStringLiteral("cannot start the JPEG decoder"));
        return nullptr;
    }
    if (!readHeader(handle.get(), stream, width, height, error)) return nullptr;
    return handle;
}

// A decode in two steps: the header read and the picture's memory taken, then
// the pixels decoded into it (which a worker thread may do).
struct PreparedDecode {
    DecompressHandle handle;
    QImage image;  // null when the first step failed
    QString error;
};

PreparedDecode prepareDecode(const QByteArray& stream) {
    PreparedDecode p;
    int width = 0;
    int height = 0;
    p.handle = openStream(stream, width, height, &p.error);
    if (!p.handle) return p;
    p.image = QImage(width, height, QImage::Format_RGB32);
    if (p.image.isNull()) p.error = QStringLiteral("no memory for a %1 x %2 picture").arg(width).arg(height);
    return p;
}

void finishDecode(PreparedDecode& p, const QByteArray& stream) {
    if (p.image.isNull()) return;
    const auto* data = reinterpret_cast<const unsigned char*>(stream.constData());
    const int result = tjDecompress2(
        p.handle.get(), data, static_cast<unsigned long>(stream.size()), p.image.bits(), p.image.width(),
        static_cast<int>(p.image.bytesPerLine()), p.image.height(), kRgb32PixelFormat, 0);
    // A warning (a damaged but readable stream, e.g. cut short) still leaves a
    // complete picture, the missing part grey, as any JPEG viewer shows it.
    if (result != 0 && tjGetErrorCode(p.handle.get()) != TJERR_WARNING) {
        p.error = turboError(p.handle.get());
        p.image = QImage();
        return;
    }
    p.error = result != 0 ? turboError(p.handle.get()) : QString();
}

}  // namespace

JpegPicture::JpegPicture(QByteArray stream) : stream_(std::move(stream)) {}

JpegPicture::JpegPicture(StreamSource source) : source_(std::move(source)) {}

const QByteArray& JpegPicture::stream() const {
    if (source_) {
        stream_ = source_();
        source_ = nullptr;
    }
    return stream_;
}

QSize JpegPicture::size() const {
    if (decoded_ && !image_.isNull()) return image_.size();
    if (!sizeRead_) {
        size_ = headerSize(stream());
        sizeRead_ = true;
    }
    return size_;
}

const QImage& JpegPicture::image() const {
    if (ahead_.valid()) {
        // Called from paint events: nothing may be thrown from here.
        try {
            Decoded done = ahead_.get();
            image_ = std::move(done.image);
            error_ = std::move(done.error);
        } catch (const std::exception& e) {
            image_ = QImage();
            error_ = QString::fromLocal8Bit(e.what());
        }
    } else if (!decoded_) {
        decoded_ = true;
        ++decodeCount_;
        image_ = decode(stream(), &error_);
    }
    return image_;
}

void JpegPicture::decodeAhead() const {
    if (decoded_) return;
    // The picture's memory is taken here, on the caller's thread, so that it
    // comes from the same heap as every other picture's.
    PreparedDecode prepared = prepareDecode(stream());
    if (!prepared.image.isNull()) {
        try {
            // The stream is shared, not copied; neither thread changes it.
            ahead_ = std::async(std::launch::async, [stream = stream_, p = std::move(prepared)]() mutable {
                finishDecode(p, stream);
                return Decoded{std::move(p.image), std::move(p.error)};
            });
        } catch (const std::exception&) {
            return;  // no worker thread: image() decodes on the first draw
        }
    } else {
        image_ = QImage();
        error_ = std::move(prepared.error);
    }
    decoded_ = true;
    ++decodeCount_;
}

QSize JpegPicture::headerSize(const QByteArray& stream, QString* error) {
    int width = 0;
    int height = 0;
    if (!openStream(stream, width, height, error)) return {};
    return {width, height};
}

QImage JpegPicture::decode(const QByteArray& stream, QString* error) {
    PreparedDecode p = prepareDecode(stream);
    finishDecode(p, stream);
    setError(error, p.error);
    return p.image;
}

}  // namespace kvarnel
