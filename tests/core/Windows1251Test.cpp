#include <gtest/gtest.h>

#include <string>

#include "core/Journal.h"

using namespace kvarnel;

namespace {

struct ConversionCase {
    std::string utf8;
    std::string cp1251;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.utf8); }

class ToWindows1251 : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ToWindows1251, ConvertsOrWritesQuestionMark) {
    EXPECT_EQ(toWindows1251(GetParam().utf8), GetParam().cp1251);
}

// The same table runs on every platform: the iconv and the WideCharToMultiByte builds
// must give the same bytes.
INSTANTIATE_TEST_SUITE_P(
    Cases, ToWindows1251,
    ::testing::Values(ConversionCase{"", ""}, ConversionCase{"good / 41-1", "good / 41-1"},
                      ConversionCase{"АЯаяЁё", "\xC0\xDF\xE0\xFF\xA8\xB8"},
                      ConversionCase{"Тест прерван", "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED"},
                      ConversionCase{"№ € «»", "\xB9 \x88 \xAB\xBB"}, ConversionCase{"aΩb", "a?b"},
                      ConversionCase{"日本", "??"}, ConversionCase{"x😀y", "x?y"},
                      ConversionCase{"éü", "??"},  // no look-alike "eu"
                      ConversionCase{"a\xFF"
                                     "b",
                                     "a?b"},          // not UTF-8 at all
                      ConversionCase{"a\xD0", "a?"},  // cut short at the end
                      ConversionCase{"\xE6\x97"
                                     "b",
                                     "??b"},  // cut short before an ASCII byte
                      ConversionCase{"a\xED\xA0\x80"
                                     "b",
                                     "a?b"},  // a surrogate
                      ConversionCase{"a\xE0\x80\xAF"
                                     "b",
                                     "a?b"},  // overlong "/"
                      ConversionCase{"a\xF4\x90\x80\x80"
                                     "b",
                                     "a?b"},  // beyond U+10FFFF
                      ConversionCase{"a\xC2\x98"
                                     "b",
                                     "a?b"},  // the code page's unassigned byte
                      ConversionCase{std::string("a\0b", 3), std::string("a\0b", 3)},
                      ConversionCase{std::string(5000, 'z') + "Ω", std::string(5000, 'z') + "?"}));

// Bytes 0x80..0xFF of Windows-1251 as Unicode; 0 marks 0x98, which holds no character.
constexpr char16_t kUpperHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

TEST(ToWindows1251, EveryCharacterOfTheBasicPlaneMapsOntoItsByteOrQuestionMark) {
    std::string utf8;
    std::string expected;
    std::u32string characters;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are no characters
        appendUtf8(utf8, c);
        characters += c;
        char byte = '?';
        if (c < 0x80) byte = static_cast<char>(c);
        for (int i = 0; i < 128; ++i)
            if (kUpperHalf[i] != 0 && kUpperHalf[i] == c) byte = static_cast<char>(0x80 + i);
        expected += byte;
    }
    const std::string converted = toWindows1251(utf8);
    ASSERT_EQ(converted.size(), expected.size());
    int mismatches = 0;
    for (std::size_t i = 0; i < expected.size() && mismatches < 10; ++i)
        if (converted[i] != expected[i]) {
            ++mismatches;
            ADD_FAILURE() << "U+" << std::hex << std::uppercase << static_cast<unsigned>(characters[i])
                          << " gave byte " << static_cast<unsigned>(converted[i] & 0xFF);
        }
}

}  // namespace
