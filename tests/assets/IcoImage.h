#pragma once
// The 32 x 32 image of a Windows icon file, read from its uncompressed
// 4-bit (16-colour) bitmap with the palette applied.
#include <optional>
#include <string>
#include <string_view>

#include "RgbImage.h"

namespace kvarnel {

struct IcoImage {
    int bitCount = 0;     // bits per pixel of the entry's bitmap
    int colourCount = 0;  // palette entries declared by the entry (16 for a 16-colour image)
    RgbImage image{0, 0};

    // The file's 32 x 32 entry; nullopt with a reason in *error when there is none
    // or it is not an uncompressed 4-bit bitmap.
    static std::optional<IcoImage> read32(std::string_view bytes, std::string* error = nullptr);
};

}  // namespace kvarnel
