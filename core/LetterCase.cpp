#include "LetterCase.h"

#include "Utf8Sequence.h"

namespace kvarnel {

namespace {

char32_t lowerCaseLetter(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // Latin-1, without ×
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;             // А..Я
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;             // Ѐ..Џ (Ё, Ђ, Є, І, Ї, Ў...)
    if (c == 0x490) return 0x491;                              // Ґ
    return c;
}

}  // namespace

std::string lowerCased(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    forEachUtf8Character(utf8, [&result](const Utf8Character& c, std::string_view bytes) {
        if (c.valid)
            appendUtf8(result, lowerCaseLetter(c.codePoint));
        else
            result += bytes;
    });
    return result;
}

}  // namespace kvarnel
