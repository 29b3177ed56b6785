#include "Utf8Sequence.h"

namespace kvarnel {

Utf8Character nextUtf8Character(const unsigned char* p, std::size_t left) {
    std::size_t length = 1;
    char32_t codePoint = p[0];
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        length = 2;
        codePoint = p[0] & 0x1F;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        length = 3;
        codePoint = p[0] & 0x0F;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        length = 4;
        codePoint = p[0] & 0x07;
    } else if (p[0] >= 0x80) {
        return {0, 1, false};  // a continuation or never-used byte on its own
    }
    if (length > left) return {0, 1, false};
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return {0, 1, false};
        codePoint = (codePoint << 6) | (p[i] & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = codePoint >= kSmallest[length] && codePoint <= 0x10FFFF &&
                       !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
    return {codePoint, length, valid};
}

void appendUtf8(std::string& out, char32_t c) {
    // One append of the whole sequence: decoding a journal calls this for each of its characters.
    char bytes[4];
    std::size_t length = 1;
    if (c < 0x80) {
        bytes[0] = static_cast<char>(c);
    } else if (c < 0x800) {
        bytes[0] = static_cast<char>(0xC0 | (c >> 6));
        length = 2;
    } else if (c < 0x10000) {
        bytes[0] = static_cast<char>(0xE0 | (c >> 12));
        length = 3;
    } else {
        bytes[0] = static_cast<char>(0xF0 | (c >> 18));
        length = 4;
    }
    for (std::size_t i = 1; i < length; ++i)
        bytes[i] = static_cast<char>(0x80 | ((c >> (6 * (length - 1 - i))) & 0x3F));
    out.append(bytes, length);
}

}  // namespace kvarnel
