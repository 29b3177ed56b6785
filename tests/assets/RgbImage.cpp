#include "RgbImage.h"

#include <turbojpeg.h>

#include <memory>

namespace kvarnel {

RgbImage::RgbImage(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height * 3, 255) {}

Rgb RgbImage::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
    return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
}

void RgbImage::set(int x, int y, Rgb c) {
    const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
    pixels_[i] = static_cast<std::uint8_t>(c.r);
    pixels_[i + 1] = static_cast<std::uint8_t>(c.g);
    pixels_[i + 2] = static_cast<std::uint8_t>(c.b);
}

std::optional<RgbImage> RgbImage::decodeJpeg(std::string_view bytes, std::string* error) {
    std::unique_ptr<void, int (*)(tjhandle)> tj(tjInitDecompress(), tjDestroy);
    auto fail = [&](const char* what) -> std::optional<RgbImage> {
        if (error) *error = std::string(what) + ": " + tjGetErrorStr2(tj.get());
        return std::nullopt;
    };
    if (!tj) return fail("TurboJPEG cannot start");
    const auto* buf = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int w = 0, h = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(tj.get(), buf, size, &w, &h, &subsampling, &colourspace) != 0)
        return fail("not a readable JPEG header");
    RgbImage image(w, h);
    if (tjDecompress2(tj.get(), buf, size, image.pixels_.data(), w, 0, h, TJPF_RGB, 0) != 0)
        return fail("JPEG data cannot be decoded");
    return image;
}

}  // namespace kvarnel
