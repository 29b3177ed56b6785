// Journal cases whose codes only Windows gives: they are the system's own error numbers.
#include "JournalFileFixture.h"

namespace kvarnel::journal_test {

namespace {

struct NameCase {
    const char* name;
    int code;
    const char* shown;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class JournalName : public JournalFileTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(JournalName, BadNameReportsTheSystemCode) {
    FileJournal journal(GetParam().name);
    try {
        journal.append(kExampleLine);
        FAIL() << "the append succeeded";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), GetParam().code);
        EXPECT_EQ(withFullStop(e.what()), GetParam().shown);
    }
    EXPECT_TRUE(fs::is_empty(fs::current_path())) << "something was created";
}

INSTANTIATE_TEST_SUITE_P(Names, JournalName,
                         ::testing::Values(NameCase{"no-such-folder\\journal.txt", 3, "Invalid filename."},
                                           NameCase{"a<b>.txt", 123, "I/O error 123."}));

}  // namespace

}  // namespace kvarnel::journal_test
