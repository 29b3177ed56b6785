#pragma once
// One journal line's bytes as UTF-8 text. A line that is valid UTF-8 and holds
// a byte above 0x7F is read as UTF-8 (a journal saved by an editor such as
// Notepad); any other as Windows-1251, the trainer's own encoding, whose lines
// are never valid multi-byte UTF-8. The characters that cannot be shown as text
// are counted for the reader's reports.
#include <cstddef>
#include <string>
#include <string_view>

namespace kvarnel {

struct DecodedLine {
    std::string utf8;
    // Windows-1251 lines: 0x98, the one byte the code page leaves undefined.
    std::size_t undefinedCount = 0;
    std::size_t firstUndefinedColumn = 0;  // 1-based, in characters; 0 when none
    // Control characters (codes below 32, 127 and 128..159): the trainer never
    // writes them, and passed on they could drive the teacher's terminal.
    std::size_t controlCount = 0;
    std::size_t firstControlColumn = 0;
    char32_t firstControl = 0;
};

// Every undefined byte and control character becomes U+FFFD. `into` is
// overwritten; its buffer is reused from call to call.
void decodeJournalLine(std::string_view bytes, DecodedLine& into);

}  // namespace kvarnel
