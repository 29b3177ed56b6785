// The codec against iconv, an independent table of Windows-1251: every character of
// the Basic Multilingual Plane and every byte. Linux only, where glibc's iconv is.
#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "core/Utf8Sequence.h"
#include "core/Windows1251.h"

using namespace kvarnel;

namespace {

// One text through iconv: the converted bytes, or nullopt when iconv refuses it.
std::optional<std::string> throughIconv(const char* to, const char* from, const std::string& text) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    char* o = out.data();
    std::size_t inLeft = text.size(), outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

TEST(Windows1251Iconv, EveryCharacterOfTheBasicPlaneMapsOntoIconvsByteOrQuestionMark) {
    ASSERT_TRUE(throughIconv("CP1251", "UTF-8", "a")) << "iconv has no CP1251";
    int mismatches = 0;
    for (char32_t c = 0; c <= 0xFFFF && mismatches < 10; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are no characters
        std::string utf8;
        appendUtf8(utf8, c);
        // iconv lacks no character that the code page has, and maps none onto 0x98.
        const std::string expected = throughIconv("CP1251", "UTF-8", utf8).value_or("?");
        if (toWindows1251(utf8) != expected) {
            ++mismatches;
            ADD_FAILURE() << "U+" << std::hex << std::uppercase << static_cast<unsigned>(c) << " gave "
                          << ::testing::PrintToString(toWindows1251(utf8)) << ", iconv "
                          << ::testing::PrintToString(expected);
        }
    }
}

TEST(Windows1251Iconv, EveryByteDecodesAsIconvDecodesIt) {
    for (int byte = 0; byte < 256; ++byte) {
        std::string decoded;
        appendUtf8(decoded, fromWindows1251(static_cast<unsigned char>(byte)));
        // 0x98 holds no character: iconv refuses it, the codec gives U+FFFD.
        const std::string expected =
            throughIconv("UTF-8", "CP1251", std::string(1, static_cast<char>(byte))).value_or("\uFFFD");
        EXPECT_EQ(decoded, expected) << "byte " << byte;
    }
}

}  // namespace
