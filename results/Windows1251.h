#pragma once
// Windows-1251 bytes to UTF-8, by table, with the bytes that cannot be shown
// as text counted for the reader's reports.
#include <cstddef>
#include <string>
#include <string_view>

namespace kvarnel {

struct DecodedText {
    std::string utf8;
    // 0x98 is the one byte Windows-1251 leaves undefined.
    std::size_t undefinedCount = 0;
    std::size_t firstUndefinedColumn = 0;  // 1-based; 0 when none
    // Codes below 32 and 127: the trainer never writes them, and passed on they
    // could drive the teacher's terminal.
    std::size_t controlCount = 0;
    std::size_t firstControlColumn = 0;
    unsigned char firstControlByte = 0;
};

// Every undefined byte and control character becomes U+FFFD. `into` is
// overwritten; its buffer is reused from call to call.
void decodeWindows1251(std::string_view bytes, DecodedText& into);

// Columns the UTF-8 text takes in a terminal. Every character that decoding can
// produce takes one column, so this counts characters.
std::size_t displayWidth(std::string_view utf8);

}  // namespace kvarnel
