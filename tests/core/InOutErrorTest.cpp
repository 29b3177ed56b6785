#include <gtest/gtest.h>

#include "core/InOutError.h"

using namespace kvarnel;

namespace {

struct MessageCase {
    int code;
    const char* message;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << "code " << c.code; }

class InOutErrorMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(InOutErrorMessages, CodeGivesItsFixedMessage) {
    const EInOutError error(GetParam().code);
    EXPECT_EQ(error.code(), GetParam().code);
    EXPECT_STREQ(error.what(), GetParam().message);
    EXPECT_EQ(EInOutError::messageFor(GetParam().code), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InOutErrorMessages,
    ::testing::Values(MessageCase{2, "File not found"}, MessageCase{3, "Invalid filename"},
                      MessageCase{4, "Too many open files"}, MessageCase{5, "File access denied"},
                      MessageCase{100, "Read beyond end of file"}, MessageCase{101, "Disk full"},
                      MessageCase{106, "Invalid numeric input"}, MessageCase{28, "I/O error 28"},
                      MessageCase{32, "I/O error 32"}, MessageCase{1, "I/O error 1"},
                      MessageCase{0, "I/O error 0"}, MessageCase{102, "I/O error 102"}));

struct FullStopCase {
    const char* message;
    const char* shown;
};

void PrintTo(const FullStopCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(std::string(c.message));
}

class FullStop : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(FullStop, AppendedOnlyAfterACodeAboveFullStop) {
    EXPECT_EQ(withFullStop(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Rule, FullStop,
                         ::testing::Values(FullStopCase{"File not found", "File not found."},
                                           FullStopCase{"I/O error 32", "I/O error 32."},
                                           FullStopCase{"Done.", "Done."}, FullStopCase{"Stop!", "Stop!"},
                                           FullStopCase{"(x)", "(x)"}, FullStopCase{"ends ", "ends "},
                                           FullStopCase{"a-", "a-"}, FullStopCase{"a/", "a/."},
                                           FullStopCase{"", ""}, FullStopCase{"Тест", "Тест."}));

}  // namespace
