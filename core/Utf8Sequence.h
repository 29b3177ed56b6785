#pragma once
// Walking and writing UTF-8 text one character at a time, in the way every
// conversion of the program agrees on.
#include <cstddef>
#include <string>

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

// Appends the UTF-8 bytes of a code point up to U+10FFFF.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace kvarnel
