#include "JpegPicture.h"

#include <turbojpeg.h>
#include <QSysInfo>

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

QImage decodeStream(const QByteArray& stream, QString* error, QImage image) {
    int width = 0;
    int height = 0;
    const DecompressHandle handle = openStream(stream, width, height, error);
    if (!handle) return {};
    if (image.size() != QSize(width, height) || image.format() != QImage::Format_RGB32)
        image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        setError(error, QStringLiteral("no memory for a %1 x %2 picture").arg(width).arg(height));
        return {};
    }
    const auto* data = reinterpret_cast<const unsigned char*>(stream.constData());
    const int result =
        tjDecompress2(handle.get(), data, static_cast<unsigned long>(stream.size()), image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height, kRgb32PixelFormat, 0);
    // A warning (a damaged but readable stream, e.g. cut short) still leaves a
    // complete picture, the missing part grey, as any JPEG viewer shows it.
    if (result != 0 && tjGetErrorCode(handle.get()) != TJERR_WARNING) {
        setError(error, turboError(handle.get()));
        return {};
    }
    setError(error, result != 0 ? turboError(handle.get()) : QString());
    return image;
}

}  // namespace

QSize JpegPicture::headerSize(const QByteArray& stream, QString* error) {
    int width = 0;
    int height = 0;
    if (!openStream(stream, width, height, error)) return {};
    return {width, height};
}

QImage JpegPicture::decode(const QByteArray& stream, QString* error, QImage into) {
    return decodeStream(stream, error, std::move(into));
}

}  // namespace kvarnel
