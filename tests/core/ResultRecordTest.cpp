#include <gtest/gtest.h>

#include <ctime>
#include <regex>
#include <string>
#include <vector>

#include "core/ResultRecord.h"
#include "tests/support/FixedClock.h"

using namespace kvarnel;
using kvarnel::testing::FixedClock;

namespace {

struct FieldCase {
    std::string typed;
    std::string written;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.typed); }

class SanitizeField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(SanitizeField, ControlCharactersBecomeSpacesOthersStay) {
    EXPECT_EQ(sanitizeField(GetParam().typed), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SanitizeField,
    ::testing::Values(FieldCase{"Петров", "Петров"}, FieldCase{"41-ТЭ", "41-ТЭ"}, FieldCase{"a\r\nb", "a  b"},
                      FieldCase{"a\tb", "a b"}, FieldCase{std::string("a\x01\x1F\x7F", 4) + "b", "a   b"},
                      FieldCase{std::string("x\0y", 3), "x y"}, FieldCase{"a / b", "a / b"},
                      FieldCase{"  lead and trail  ", "  lead and trail  "}, FieldCase{"   ", "   "},
                      FieldCase{"~ !#", "~ !#"}, FieldCase{"", ""}));

TEST(ResultRecord, FourFieldsJoinedDateFirst) {
    FixedClock clock;
    EXPECT_EQ(buildResultRecord(clock, "41-ТЭ", "Петров"), "07.12.2026 / 14:13:51 / 41-ТЭ / Петров");
}

TEST(ResultRecord, TimeIsReadBeforeTheDate) {
    FixedClock clock("d", "t");
    buildResultRecord(clock, "g", "s");
    EXPECT_EQ(clock.reads, (std::vector<std::string>{"time", "date"}));
}

TEST(ResultRecord, FieldsAreWrittenAsTypedExceptControlCharacters) {
    FixedClock clock("01.01.2027", "00:00:01");
    EXPECT_EQ(buildResultRecord(clock, " a / b ", "   "), "01.01.2027 / 00:00:01 /  a / b  /    ");
    EXPECT_EQ(buildResultRecord(clock, "41\n", "Ив\tанов\r"), "01.01.2027 / 00:00:01 / 41  / Ив анов ");
}

std::string localNow(const char* format) {
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);  // one thread here, so the shared buffer is safe
    char buffer[32];
    return std::string(buffer, std::strftime(buffer, sizeof buffer, format, &local));
}

TEST(DefaultDateTimeTexts, DayMonthYearAnd24HourTime) {
    DefaultDateTimeTexts clock;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::string dateBefore = localNow("%d.%m.%Y");
        const std::string timeBefore = localNow("%H:%M:%S");
        const std::string date = clock.dateText();
        const std::string time = clock.timeText();
        ASSERT_TRUE(std::regex_match(date, std::regex(R"(\d\d\.\d\d\.\d{4})"))) << date;
        ASSERT_TRUE(std::regex_match(time, std::regex(R"(([01]\d|2[0-3]):[0-5]\d:[0-5]\d)"))) << time;
        // Equal unless a second ticked over in between; then try again.
        if (date == dateBefore && time == timeBefore) return;
    }
    FAIL() << "the texts never matched the local date and time";
}

}  // namespace
