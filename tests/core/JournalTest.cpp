#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "JournalFileFixture.h"
#include "core/JournalFile.h"
#include "core/ResultRecord.h"
#include "tests/support/FixedClock.h"

namespace kvarnel::journal_test {

namespace {

using kvarnel::testing::FixedClock;

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Files through which the test and its helper processes signal each other.
constexpr const char* kReadyMarker = "helper-ready";
constexpr const char* kReleaseMarker = "helper-release";
constexpr const char* kGoMarker = "helper-go";
constexpr milliseconds kHelperLimit(60000);  // wine starts a process in about a second

bool waitForFile(const char* name, milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    while (!fs::exists(name)) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
}

// The first line of a marker, once it can be read; empty when none came in time.
// (Under wine a just-renamed file may not open at the first try.)
std::string readMarker(const char* name, milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        std::string line;
        if (std::getline(std::ifstream(name), line) && !line.empty()) return line;
        if (Clock::now() >= deadline) return std::string();
        std::this_thread::sleep_for(milliseconds(1));
    }
}

// Written under another name first, so that the reader never sees it half written.
void writeMarker(const char* name, const std::string& text) {
    const std::string temporary = std::string(name) + ".part";
    std::ofstream(temporary, std::ios::binary) << text;
    fs::rename(temporary, name);
}

int holdJournal(int holdMs) {
    WriteHolder holder(kJournalFileName);
    writeMarker(kReadyMarker,
                holder.holding() ? "held" : "failed with system error " + std::to_string(holder.error()));
    if (holdMs >= 0)
        std::this_thread::sleep_for(milliseconds(holdMs));
    else
        waitForFile(kReleaseMarker, kHelperLimit);
    return 0;
}

std::string writerLine(char writer, int number) {
    return std::string(1, writer) + " line " + std::to_string(number) + " / Тест прерван";
}

// Exits with the first failure's code, so the test can tell what went wrong. The lines go
// back to back, as no instance of the program appends (it appends one line a run). Where the
// file stays held for an append's flush (Windows: the share mode), the other writer, polling
// every few milliseconds, can then miss the moments in between for longer than the program's
// wait; so the helpers wait longer. What is checked with them is that the lines stay whole.
int appendLines(char writer, int count) {
    if (!waitForFile(kGoMarker, kHelperLimit)) return 254;
    FileJournal journal(kJournalFileName, 10000);
    for (int i = 0; i < count; ++i)
        if (const int code = appendCode(journal, writerLine(writer, i)); code != 0) return code;
    return 0;
}

}  // namespace

int runHelper(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[2] : "";
    if (mode == "hold" && argc == 4) return holdJournal(std::stoi(argv[3]));
    if (mode == "append" && argc == 5) return appendLines(argv[3][0], std::stoi(argv[4]));
    return 255;
}

JournalHolder::JournalHolder(int holdMs)
    : child_(std::make_unique<ChildProcess>(
          std::vector<std::string>{kHelperFlag, "hold", std::to_string(holdMs)})) {
    const std::string report = readMarker(kReadyMarker, kHelperLimit);
    if (!report.empty()) state_ = report;
}

void JournalHolder::release() {
    if (!child_) return;
    writeMarker(kReleaseMarker, "");
    child_->wait();
    child_.reset();
    fs::remove(kReadyMarker);
    fs::remove(kReleaseMarker);
}

void JournalFileTest::SetUp() {
    previous_ = fs::current_path();
    std::random_device random;
    dir_ = fs::temp_directory_path() /
           ("kvarnel-journal-" + std::to_string(random()) + std::to_string(random()));
    ASSERT_TRUE(fs::create_directory(dir_));
    fs::current_path(dir_);
}

void JournalFileTest::TearDown() {
    fs::current_path(previous_);
    std::error_code ignored;
    // Write permission back first: Windows removes no read-only file.
    for (fs::recursive_directory_iterator it(dir_, ignored), end; !ignored && it != end;
         it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
}

void JournalFileTest::appendFromTwoProcessesAtOnce(int linesEach) {
    {
        ChildProcess a({kHelperFlag, "append", "A", std::to_string(linesEach)});
        ChildProcess b({kHelperFlag, "append", "B", std::to_string(linesEach)});
        writeMarker(kGoMarker, "");  // both start appending now
        EXPECT_EQ(a.wait(), 0) << "writer A failed";
        EXPECT_EQ(b.wait(), 0) << "writer B failed";
    }
    fs::remove(kGoMarker);

    const std::string bytes = journalBytes();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the file does not end with CR LF";
    ASSERT_EQ(lines.size(), 2u * linesEach);
    int next[2] = {0, 0};
    for (const std::string& line : lines) {
        ASSERT_TRUE(line[0] == 'A' || line[0] == 'B') << line;
        int& expected = next[line[0] - 'A'];
        EXPECT_EQ(line, std::string(1, line[0]) + " line " + std::to_string(expected) +
                            " / \xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED");
        ++expected;
    }
    EXPECT_EQ(next[0], linesEach);
    EXPECT_EQ(next[1], linesEach);
}

namespace {

TEST_F(JournalFileTest, ExampleLineByteForByteInWindows1251) {
    createJournal("");
    FileJournal journal;
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), kExampleBytes);
}

TEST_F(JournalFileTest, EmptyJournalGetsExactlyOneLine) {
    createJournal("");
    FileJournal journal;
    journal.append("07.12.2026 / 14:13:51 / 41-ТЭ / Петров / Тест прерван");
    const std::string bytes = journalBytes();
    EXPECT_EQ(bytes,
              "07.12.2026 / 14:13:51 / 41-\xD2\xDD / \xCF\xE5\xF2\xF0\xEE\xE2 / "
              "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED\r\n");
    EXPECT_EQ(bytes.find('\n'), bytes.size() - 1);
}

TEST_F(JournalFileTest, TwoAppendsKeepTheirOrder) {
    createJournal("");
    FileJournal first;
    first.append("one");
    FileJournal second;  // as in a second run of the program
    second.append("two");
    EXPECT_EQ(journalBytes(), "one\r\ntwo\r\n");
}

TEST_F(JournalFileTest, ReaderOfTheFileDoesNotStopTheAppend) {
    createJournal("kept\r\n");
    std::ifstream reader(journalPath(), std::ios::binary);
    ASSERT_TRUE(reader.is_open());
    FileJournal journal;
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), "kept\r\n" + kExampleBytes);
}

enum class Cause { Missing, Directory, ReadOnly, HeldByAnotherProcess };

struct FailureCase {
    Cause cause;
    const char* name;
    int code;
    const char* shown;  // the error box's text
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class AppendFailure : public JournalFileTest, public ::testing::WithParamInterface<FailureCase> {
protected:
    void arrange(Cause cause) {
        switch (cause) {
        case Cause::Missing:
            break;
        case Cause::Directory:
            ASSERT_TRUE(fs::create_directory(journalPath()));
            break;
        case Cause::ReadOnly:
            createJournal("kept\r\n");
            makeReadOnly(journalPath());
            break;
        case Cause::HeldByAnotherProcess:
            createJournal("kept\r\n");
            holder_ = std::make_unique<JournalHolder>();
            ASSERT_TRUE(holder_->holding()) << holder_->state();
            break;
        }
    }
    void expectUntouched(Cause cause) {
        if (cause == Cause::Missing) {
            EXPECT_FALSE(journalExists()) << "a journal was created";
        } else if (cause == Cause::Directory) {
            EXPECT_TRUE(fs::is_directory(journalPath()));
        } else {
            EXPECT_EQ(journalBytes(), "kept\r\n");
        }
    }
    void remedy(Cause cause) {
        switch (cause) {
        case Cause::Missing:
            createJournal("kept\r\n");
            break;
        case Cause::Directory:
            fs::remove(journalPath());
            createJournal("kept\r\n");
            break;
        case Cause::ReadOnly:
            fs::permissions(journalPath(), fs::perms::owner_write, fs::perm_options::add);
            break;
        case Cause::HeldByAnotherProcess:
            holder_->release();
            break;
        }
    }

    std::unique_ptr<JournalHolder> holder_;
};

TEST_P(AppendFailure, ReportsItsCodeLeavesNothingOpenAndTheNextAppendWorks) {
    const FailureCase& c = GetParam();
    if (c.cause == Cause::ReadOnly && !readOnlyStopsThisProcess())
        GTEST_SKIP() << "running as root, which writes through read-only permission bits (on POSIX "
                        "ReadOnlyFileIsAccessDeniedToAnUnprivilegedChild covers this case then)";
    ASSERT_NO_FATAL_FAILURE(arrange(c.cause));
    FileJournal journal;
    int handles = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            journal.append(kExampleLine);
            ADD_FAILURE() << "the append succeeded";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.code(), c.code);
            EXPECT_EQ(withFullStop(e.what()), c.shown);
        }
        // The first attempt may open what the system keeps for later; each further one adds nothing.
        if (attempt == 0) {
            handles = openHandleCount();
            ASSERT_GT(handles, 0) << "this system's handles cannot be counted";
        } else {
            EXPECT_EQ(openHandleCount(), handles) << "a failed append left a handle open";
        }
    }
    expectUntouched(c.cause);

    remedy(c.cause);
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), "kept\r\n" + kExampleBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, AppendFailure,
    ::testing::Values(FailureCase{Cause::Missing, "missing", 2, "File not found."},
                      FailureCase{Cause::Directory, "directory", 5, "File access denied."},
                      FailureCase{Cause::ReadOnly, "read-only", 5, "File access denied."},
                      FailureCase{Cause::HeldByAnotherProcess, "held", 32, "I/O error 32."}),
    [](const ::testing::TestParamInfo<FailureCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == '-') ch = '_';
        return name;
    });

TEST_F(JournalFileTest, LockHeldByAnotherProcessIsCode32AfterTheWait) {
    createJournal("");
    JournalHolder holder;
    ASSERT_TRUE(holder.holding()) << holder.state();
    FileJournal journal(kJournalFileName, 300);
    const Clock::time_point start = Clock::now();
    try {
        journal.append(kExampleLine);
        FAIL() << "append succeeded although another process held the file";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), 32);
        EXPECT_STREQ(e.what(), "I/O error 32");
    }
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(300));
    EXPECT_LT(waited, milliseconds(1500));
    EXPECT_EQ(journalBytes(), "");

    holder.release();
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), kExampleBytes);
}

// Runs as core_journal_failing_flush, under failing_flushes, which makes every flush of the
// process fail as on a failing disk; skipped elsewhere.
TEST_F(JournalFileTest, FailedFlushFailsTheAppendWithTheSystemsCodeAndLeavesNothingOpen) {
    const int flushError = flushErrorOfThisProcess();
    if (flushError == 0) GTEST_SKIP() << "flushes work here (core_journal_failing_flush makes them fail)";
    createJournal("kept\r\n");
    FileJournal journal;
    appendCode(journal, kExampleLine);  // what the system keeps open after the first append
    const int handles = openHandleCount();
    EXPECT_EQ(appendCode(journal, kExampleLine), journalErrorCode(flushError))
        << "the append succeeded although its line could not be flushed";
    EXPECT_EQ(openHandleCount(), handles) << "the failed append left a handle open";
}

// The wait blocks the window, so it must stay too short to be seen.
TEST_F(JournalFileTest, DefaultWaitForAnotherWriterIsAtMost200Ms) {
    createJournal("");
    JournalHolder holder;
    ASSERT_TRUE(holder.holding()) << holder.state();
    FileJournal journal;
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(appendCode(journal, "x"), 32);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(150));
    EXPECT_LT(waited, milliseconds(600));  // 200 ms and the last try, on a loaded machine
}

TEST_F(JournalFileTest, LockReleasedWithinTheWaitIsWaitedFor) {
    createJournal("");
    JournalHolder holder(50);
    ASSERT_TRUE(holder.holding()) << holder.state();
    FileJournal journal;
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), kExampleBytes);
}

struct EndingCase {
    const char* before;
    const char* after;
};

void PrintTo(const EndingCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(std::string(c.before));
}

class LastLineEnding : public JournalFileTest, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(LastLineEnding, NewLineAlwaysStartsOnALineOfItsOwn) {
    createJournal(GetParam().before);
    FileJournal journal;
    journal.append("new");
    EXPECT_EQ(journalBytes(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Endings, LastLineEnding,
                         ::testing::Values(EndingCase{"old", "old\r\nnew\r\n"},
                                           EndingCase{"old\r\n", "old\r\nnew\r\n"},
                                           EndingCase{"old\n", "old\nnew\r\n"},
                                           EndingCase{"old\r", "old\r\nnew\r\n"},
                                           EndingCase{"a\r\nb", "a\r\nb\r\nnew\r\n"}));

TEST_F(JournalFileTest, ControlCharactersInTheFieldsStillGiveOneLine) {
    createJournal("");
    FixedClock clock;
    const std::string record = buildResultRecord(clock, "41\r\n\tТЭ",
                                                 "Пет\x1B\x7F"
                                                 "ров\n");
    FileJournal journal;
    journal.append(record + " / good");
    EXPECT_EQ(journalBytes(),
              "07.12.2026 / 14:13:51 / 41   \xD2\xDD / \xCF\xE5\xF2  \xF0\xEE\xE2  / good\r\n");
}

TEST_F(JournalFileTest, CharacterOutsideWindows1251IsWrittenAsQuestionMark) {
    createJournal("");
    FileJournal journal;
    journal.append("Ω-日 / 😀 / Ёж №5");
    EXPECT_EQ(journalBytes(),
              "?-? / ? / \xA8\xE6 \xB9"
              "5\r\n");
}

TEST_F(JournalFileTest, NameIsResolvedInTheCurrentDirectoryAtEachWrite) {
    FileJournal journal;  // made before the directory change
    ASSERT_TRUE(fs::create_directory("elsewhere"));
    createJournal("", fs::path("elsewhere") / journalPath());
    fs::current_path("elsewhere");
    journal.append("here");
    EXPECT_EQ(journalBytes(), "here\r\n");
    fs::current_path("..");
    EXPECT_FALSE(journalExists());
}

TEST_F(JournalFileTest, TwoProcessesAppendingAtOnceLeaveWholeLines) {
    createJournal("");
    appendFromTwoProcessesAtOnce(500);
}

}  // namespace

}  // namespace kvarnel::journal_test

// The test program doubles as its own helper process (holding the journal, appending to it).
int main(int argc, char** argv) {
    using namespace kvarnel::journal_test;
    if (argc > 1 && std::string(argv[1]) == kHelperFlag) return runHelper(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
