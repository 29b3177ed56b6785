#pragma once
// Walking and writing UTF-8 text one character at a time, in the way every
// conversion of the program agrees on.
#include <cstddef>
#include <string>
#include <string_view>

namespace kvarnel {

struct Utf8Character {
    char32_t codePoint;  // meaningful only when valid
    std::size_t length;  // bytes taken, at least 1
    bool valid;
};

// The character at p (left > 0 bytes remain). A sequence whose lead and
// continuation bytes fit together is one character, valid unless it is overlong,
// a surrogate or beyond U+10FFFF; any other byte is an invalid character of its own.
Utf8Character nextUtf8Character(const unsigned char* p, std::size_t left);

// Calls visit(character, bytes) for each character of the text in turn, `bytes`
// being those the character took.
template <typename Visit>
void forEachUtf8Character(std::string_view text, Visit visit) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character c = nextUtf8Character(p + at, text.size() - at);
        visit(c, text.substr(at, c.length));
        at += c.length;
    }
}

// Appends the UTF-8 bytes of a code point up to U+10FFFF.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace kvarnel
