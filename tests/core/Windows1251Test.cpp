#include <gtest/gtest.h>

#include <string>

#include "core/Windows1251.h"

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

// Every system's build runs these; the iconv comparison (Windows1251IconvTest.cpp)
// checks every other character on Linux.
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

}  // namespace
