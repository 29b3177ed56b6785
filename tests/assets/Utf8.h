#pragma once
// Strict UTF-8 decoding: no overlong forms, surrogates or code points past U+10FFFF.
#include <optional>
#include <string>
#include <string_view>

namespace kvarnel {

class Utf8 {
public:
    static std::optional<std::u32string> decode(std::string_view bytes);
    static bool isCyrillic(char32_t c) { return c >= 0x0400 && c <= 0x04FF; }
};

}  // namespace kvarnel
