#include "IcoImage.h"

namespace kvarnel {

namespace {

unsigned u8(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }
unsigned u16(std::string_view s, std::size_t i) { return u8(s, i) | u8(s, i + 1) << 8; }
unsigned u32(std::string_view s, std::size_t i) { return u16(s, i) | u16(s, i + 2) << 16; }

}  // namespace

std::optional<IcoImage> IcoImage::read32(std::string_view bytes, std::string* error) {
    auto fail = [&](const char* why) -> std::optional<IcoImage> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (bytes.size() < 6 || u16(bytes, 0) != 0 || u16(bytes, 2) != 1) return fail("not an icon file");
    const unsigned count = u16(bytes, 4);
    if (bytes.size() < 6 + 16 * static_cast<std::size_t>(count)) return fail("icon directory cut short");
    for (unsigned e = 0; e < count; ++e) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(e);
        if (u8(bytes, entry) != 32 || u8(bytes, entry + 1) != 32) continue;
        IcoImage ico;
        ico.colourCount = static_cast<int>(u8(bytes, entry + 2));
        const std::size_t size = u32(bytes, entry + 8), offset = u32(bytes, entry + 12);
        if (offset + size > bytes.size() || size < 40) return fail("icon image runs past the end");
        const std::string_view bmp = bytes.substr(offset, size);
        if (bmp.substr(0, 4) == "\x89PNG") return fail("the 32 x 32 image is PNG, not a 16-colour bitmap");
        if (u32(bmp, 0) != 40 || u32(bmp, 4) != 32 || u32(bmp, 8) != 64)
            return fail("unexpected bitmap header");
        ico.bitCount = static_cast<int>(u16(bmp, 14));
        if (ico.bitCount != 4 || u32(bmp, 16) != 0)
            return fail("the 32 x 32 image is not an uncompressed 4-bit bitmap");
        const std::size_t palette = 40, pixels = palette + 16 * 4, rowBytes = 16;
        if (pixels + 32 * rowBytes + 32 * 4 > bmp.size()) return fail("bitmap cut short");
        ico.image = RgbImage(32, 32);
        for (int y = 0; y < 32; ++y) {
            const std::size_t row = pixels + static_cast<std::size_t>(31 - y) * rowBytes;  // bottom-up
            for (int x = 0; x < 32; ++x) {
                const unsigned byte = u8(bmp, row + static_cast<std::size_t>(x / 2));
                const std::size_t p = palette + 4 * ((x % 2 == 0) ? byte >> 4 : byte & 0x0F);
                ico.image.set(x, y,
                              {static_cast<int>(u8(bmp, p + 2)), static_cast<int>(u8(bmp, p + 1)),
                               static_cast<int>(u8(bmp, p))});
            }
        }
        return ico;
    }
    return fail("no 32 x 32 image in the icon");
}

}  // namespace kvarnel
