#pragma once
// An 8-bit RGB pixel grid, decoded from a JPEG stream the way the program does.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarnel {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

class RgbImage {
public:
    RgbImage(int width, int height);  // all white

    // Full-size, full-colour decode with TurboJPEG; nullopt with a reason in *error.
    static std::optional<RgbImage> decodeJpeg(std::string_view bytes, std::string* error = nullptr);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb c);
    const std::uint8_t* data() const { return pixels_.data(); }  // rows of width * 3 bytes

private:
    int width_, height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace kvarnel
