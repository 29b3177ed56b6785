// Windows-1251 through WideCharToMultiByte. The UTF-8 is decoded here rather than by
// MultiByteToWideChar, so that malformed input gives the same "?"s as the iconv build.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "InOutError.h"
#include "Journal.h"
#include "Utf8Sequence.h"

namespace kvarnel {

namespace {

constexpr UINT kWindows1251 = 1251;

// One UTF-16 unit per character: what Windows-1251 cannot hold anyway (outside the
// Basic Multilingual Plane, malformed) is "?" already.
std::wstring toUtf16Units(const std::string& utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left > 0) {
        const Utf8Character c = nextUtf8Character(p, left);
        // U+0098 is the one code the Windows table maps onto the code page's unassigned byte.
        const bool usable = c.valid && c.codePoint <= 0xFFFF && c.codePoint != 0x98;
        wide += usable ? static_cast<wchar_t>(c.codePoint) : L'?';
        p += c.length;
        left -= c.length;
    }
    return wide;
}

}  // namespace

std::string toWindows1251(const std::string& utf8) {
    const std::wstring wide = toUtf16Units(utf8);
    if (wide.empty()) return std::string();
    std::string result(wide.size(), '\0');
    // No best fit: a character outside the code page is "?", never a look-alike.
    const int written =
        WideCharToMultiByte(kWindows1251, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                            result.data(), static_cast<int>(result.size()), "?", nullptr);
    if (written <= 0) throw EInOutError(static_cast<int>(GetLastError()));
    result.resize(static_cast<std::size_t>(written));
    return result;
}

}  // namespace kvarnel
