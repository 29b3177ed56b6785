#include "ApplicationTitle.h"

#include <cstdint>

namespace kvarnel {

namespace {

// Length of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::uint32_t decode(const std::string& s, std::size_t at, std::size_t length) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
    if (length == 1) return byte(0);
    std::uint32_t cp = byte(0) & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) cp = (cp << 6) | (byte(i) & 0x3F);
    return cp;
}

void encode(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::uint32_t lowerCase(std::uint32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;  // Latin-1
    if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;              // А..Я
    if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;              // Ѐ..Џ (Ё)
    return cp;
}

}  // namespace

std::string applicationTitleFrom(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos) name.erase(dot);

    std::string title;
    std::size_t at = 0;
    bool first = true;
    while (at < name.size()) {
        std::size_t length = sequenceLength(static_cast<unsigned char>(name[at]));
        if (at + length > name.size()) length = 1;
        if (first || length == 4) {
            title.append(name, at, length);
        } else {
            const std::uint32_t cp = decode(name, at, length);
            if (length == 1 && cp >= 0x80)
                title += name[at];  // a stray byte stays as it is
            else
                encode(lowerCase(cp), title);
        }
        first = false;
        at += length;
    }
    return title;
}

}  // namespace kvarnel
