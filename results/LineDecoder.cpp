#include "LineDecoder.h"

#include "core/Utf8Sequence.h"
#include "core/Windows1251.h"

namespace kvarnel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Valid UTF-8 holding at least one sequence of more than one byte.
bool isMultiByteUtf8(const unsigned char* p, std::size_t left) {
    bool multiByte = false;
    while (left > 0) {
        if (*p < 0x80) {
            ++p;
            --left;
            continue;
        }
        const Utf8Character c = nextUtf8Character(p, left);
        if (!c.valid) return false;
        multiByte = true;
        p += c.length;
        left -= c.length;
    }
    return multiByte;
}

}  // namespace

void decodeJournalLine(std::string_view bytes, DecodedLine& d) {
    d.utf8.clear();
    d.undefinedCount = d.firstUndefinedColumn = 0;
    d.controlCount = d.firstControlColumn = 0;
    d.firstControl = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    const bool utf8 = isMultiByteUtf8(p, left);
    for (std::size_t column = 1; left > 0; ++column) {
        // Most of a line is printable ASCII (dates, separators, outcome words),
        // taken a run at a time: this is the reader's innermost loop.
        std::size_t run = 0;
        while (run < left && p[run] >= 0x20 && p[run] < 0x7F) ++run;
        if (run > 0) {
            d.utf8.append(reinterpret_cast<const char*>(p), run);
            p += run;
            left -= run;
            column += run - 1;
            continue;
        }
        char32_t c = *p;
        std::size_t length = 1;
        if (utf8 && c >= 0x80) {
            const Utf8Character u = nextUtf8Character(p, left);
            c = u.codePoint;
            length = u.length;
        } else if (!utf8) {
            c = fromWindows1251(*p);
            if (c == kReplacement && d.undefinedCount++ == 0) d.firstUndefinedColumn = column;
        }
        p += length;
        left -= length;
        if (isControl(c)) {
            if (d.controlCount++ == 0) {
                d.firstControlColumn = column;
                d.firstControl = c;
            }
            c = kReplacement;
        }
        appendUtf8(d.utf8, c);
    }
}

}  // namespace kvarnel
