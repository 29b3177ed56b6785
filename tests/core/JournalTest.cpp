#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "InOutError.h"
#include "Journal.h"
#include "JournalFile.h"
#include "ResultRecord.h"

using namespace kvarnel;
namespace fs = std::filesystem;

namespace {

const std::string kExampleLine = "07.12.2026 / 14:13:51 / 41-ТЭ / Петров / good";
// The same line as Windows-1251 bytes, spelled out so the check does not rely on the converter.
const std::string kExampleBytes =
    "07.12.2026 / 14:13:51 / 41-\xD2\xDD / \xCF\xE5\xF2\xF0\xEE\xE2 / good\r\n";

// Runs fn in a forked child and returns its exit status (fn's result), 255 if it threw.
int runInChild(const std::function<int()>& fn) {
    const pid_t pid = fork();
    if (pid == 0) {
        int result = 255;
        try {
            result = fn();
        } catch (...) {
        }
        _exit(result);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The code an append ends with: 0 when it succeeded.
int appendCode(Journal& journal, const std::string& line) {
    try {
        journal.append(line);
        return 0;
    } catch (const EInOutError& e) {
        return e.code();
    }
}

int openDescriptorCount() {
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// Each test runs in a fresh temporary directory as its current directory.
class JournalFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        previous_ = cwd;
        char pattern[] = "/tmp/kvarnel-journal-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ASSERT_EQ(chdir(dir_.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous_.c_str()), 0);
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    static void createJournal(const std::string& bytes, const std::string& name = kJournalFileName) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string journalBytes(const std::string& name = kJournalFileName) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool journalExists() {
        struct stat info {};
        return lstat(kJournalFileName, &info) == 0;
    }

    std::string dir_;
    std::string previous_;
};

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
    EXPECT_EQ(bytes, "07.12.2026 / 14:13:51 / 41-\xD2\xDD / \xCF\xE5\xF2\xF0\xEE\xE2 / "
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

TEST_F(JournalFileTest, MissingFileIsFileNotFoundAndNoFileIsCreated) {
    FileJournal journal;
    try {
        journal.append(kExampleLine);
        FAIL() << "append to a missing file succeeded";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), 2);
        EXPECT_STREQ(e.what(), "File not found");
        EXPECT_EQ(withFullStop(e.what()), "File not found.");
    }
    EXPECT_FALSE(journalExists());
}

TEST_F(JournalFileTest, DirectoryInItsPlaceIsAccessDenied) {
    ASSERT_EQ(mkdir(kJournalFileName, 0755), 0);
    FileJournal journal;
    try {
        journal.append(kExampleLine);
        FAIL() << "append to a directory succeeded";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), 5);
        EXPECT_STREQ(e.what(), "File access denied");
    }
}

TEST_F(JournalFileTest, ReadOnlyFileIsAccessDenied) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which writes through read-only permission bits; "
                        "ReadOnlyFileIsAccessDeniedToAnUnprivilegedChild covers this case then";
    createJournal("kept\r\n");
    ASSERT_EQ(chmod(kJournalFileName, 0444), 0);
    FileJournal journal;
    EXPECT_EQ(appendCode(journal, kExampleLine), 5);
    EXPECT_EQ(journalBytes(), "kept\r\n");
}

TEST_F(JournalFileTest, ReadOnlyFileIsAccessDeniedToAnUnprivilegedChild) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to switch a child to the user nobody";
    createJournal("kept\r\n");
    ASSERT_EQ(chmod(kJournalFileName, 0444), 0);
    ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
    const int code = runInChild([] {
        if (setgid(65534) != 0 || setuid(65534) != 0) return 254;
        FileJournal journal;
        return appendCode(journal, kExampleLine);
    });
    ASSERT_NE(code, 254) << "could not switch to the user nobody";
    EXPECT_EQ(code, 5);
    EXPECT_EQ(journalBytes(), "kept\r\n");
}

TEST_F(JournalFileTest, FullDiskIsIOError28AndLeavesNoHandleOpen) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no writable /dev/full on this system";
    ASSERT_EQ(symlink("/dev/full", kJournalFileName), 0);
    const int descriptors = openDescriptorCount();
    FileJournal journal;
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            journal.append(kExampleLine);
            FAIL() << "append to /dev/full succeeded";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.code(), 28);
            EXPECT_STREQ(e.what(), "I/O error 28");
        }
    }
    EXPECT_EQ(openDescriptorCount(), descriptors);

    // The next append to a good file works: no handle or lock was left behind.
    ASSERT_EQ(unlink(kJournalFileName), 0);
    createJournal("");
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), kExampleBytes);
}

TEST_F(JournalFileTest, TooLongNameIsInvalidFilename) {
    FileJournal journal(std::string(300, 'a') + ".txt");
    EXPECT_EQ(appendCode(journal, "x"), 3);
}

TEST_F(JournalFileTest, TooManyOpenFilesIsCode4) {
    createJournal("");
    const int code = runInChild([] {
        const rlimit low{32, 32};
        if (setrlimit(RLIMIT_NOFILE, &low) != 0) return 254;
        while (open("/dev/null", O_RDONLY) >= 0) {
        }
        if (errno != EMFILE) return 253;
        FileJournal journal;
        return appendCode(journal, "x");
    });
    EXPECT_EQ(code, 4);
    EXPECT_EQ(journalBytes(), "");
}

// A child process that holds the journal's write lock until told to let go.
class LockHolder {
public:
    explicit LockHolder(int holdMs = -1) {
        if (pipe(toChild_) != 0 || pipe(toParent_) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            const int fd = open(kJournalFileName, O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            const bool locked = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0;
            const char signal = locked ? 'L' : 'E';
            if (write(toParent_[1], &signal, 1) != 1) _exit(2);
            if (holdMs >= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            } else {
                char go;
                if (read(toChild_[0], &go, 1) != 1) _exit(3);
            }
            _exit(0);  // ends the process and with it the lock
        }
        char signal = 0;
        if (read(toParent_[0], &signal, 1) != 1) signal = 'E';
        locked_ = signal == 'L';
    }
    ~LockHolder() { release(); }
    bool locked() const { return locked_; }
    void release() {
        if (pid_ <= 0) return;
        const char go = 'G';
        if (write(toChild_[1], &go, 1) != 1) {
        }
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        for (int fd : {toChild_[0], toChild_[1], toParent_[0], toParent_[1]}) close(fd);
    }

private:
    int toChild_[2]{};
    int toParent_[2]{};
    pid_t pid_ = -1;
    bool locked_ = false;
};

TEST_F(JournalFileTest, LockHeldByAnotherProcessIsCode32AfterTheWait) {
    createJournal("");
    LockHolder holder;
    ASSERT_TRUE(holder.locked());
    FileJournal journal(kJournalFileName, 300);
    const auto start = std::chrono::steady_clock::now();
    try {
        journal.append(kExampleLine);
        FAIL() << "append succeeded although another process held the lock";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), 32);
        EXPECT_STREQ(e.what(), "I/O error 32");
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(300));
    EXPECT_LT(waited, std::chrono::milliseconds(1500));
    EXPECT_EQ(journalBytes(), "");

    holder.release();
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), kExampleBytes);
}

TEST_F(JournalFileTest, DefaultLockWaitIsAboutTwoSeconds) {
    createJournal("");
    LockHolder holder;
    ASSERT_TRUE(holder.locked());
    FileJournal journal;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(appendCode(journal, "x"), 32);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(1900));
    EXPECT_LT(waited, std::chrono::milliseconds(3500));
}

TEST_F(JournalFileTest, LockReleasedWithinTheWaitIsWaitedFor) {
    createJournal("");
    LockHolder holder(200);
    ASSERT_TRUE(holder.locked());
    FileJournal journal;
    journal.append(kExampleLine);
    EXPECT_EQ(journalBytes(), kExampleBytes);
}

struct EndingCase {
    const char* before;
    const char* after;
};

void PrintTo(const EndingCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.before)); }

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

class FixedClock : public DateTimeTexts {
public:
    std::string timeText() override { return "14:13:51"; }
    std::string dateText() override { return "07.12.2026"; }
};

TEST_F(JournalFileTest, ControlCharactersInTheFieldsStillGiveOneLine) {
    createJournal("");
    FixedClock clock;
    const std::string record = buildResultRecord(clock, "41\r\n\tТЭ", "Пет\x1B\x7F" "ров\n");
    FileJournal journal;
    journal.append(record + " / good");
    EXPECT_EQ(journalBytes(), "07.12.2026 / 14:13:51 / 41   \xD2\xDD / \xCF\xE5\xF2  \xF0\xEE\xE2  / good\r\n");
}

TEST_F(JournalFileTest, CharacterOutsideWindows1251IsWrittenAsQuestionMark) {
    createJournal("");
    FileJournal journal;
    journal.append("Ω-日 / 😀 / Ёж №5");
    EXPECT_EQ(journalBytes(), "?-? / ? / \xA8\xE6 \xB9" "5\r\n");
}

TEST_F(JournalFileTest, NameIsResolvedInTheCurrentDirectoryAtEachWrite) {
    FileJournal journal;  // made before the directory change
    ASSERT_EQ(mkdir("elsewhere", 0755), 0);
    createJournal("", "elsewhere/" + std::string(kJournalFileName));
    ASSERT_EQ(chdir("elsewhere"), 0);
    journal.append("here");
    EXPECT_EQ(journalBytes(), "here\r\n");
    ASSERT_EQ(chdir(".."), 0);
    EXPECT_FALSE(journalExists());
}

TEST_F(JournalFileTest, TwoProcessesAppendingAtOnceLeaveWholeLines) {
    createJournal("");
    constexpr int kLines = 1000;
    std::vector<pid_t> children;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    for (char writer : {'A', 'B'}) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(ready[1]);
            char go;
            if (read(ready[0], &go, 1) != 0) _exit(3);  // both start when the pipe closes
            FileJournal journal;
            for (int i = 0; i < kLines; ++i)
                if (appendCode(journal, std::string(1, writer) + " line " + std::to_string(i) +
                                            " / Тест прерван") != 0)
                    _exit(1);
            _exit(0);
        }
        children.push_back(pid);
    }
    close(ready[0]);
    close(ready[1]);
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }

    const std::string bytes = journalBytes();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the file does not end with CR LF";
    ASSERT_EQ(lines.size(), 2u * kLines);
    int next[2] = {0, 0};
    for (const std::string& line : lines) {
        ASSERT_TRUE(line[0] == 'A' || line[0] == 'B') << line;
        int& expected = next[line[0] - 'A'];
        EXPECT_EQ(line, std::string(1, line[0]) + " line " + std::to_string(expected) +
                            " / \xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED");
        ++expected;
    }
    EXPECT_EQ(next[0], kLines);
    EXPECT_EQ(next[1], kLines);
}

struct ConversionCase {
    std::string utf8;
    std::string cp1251;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.utf8); }

class ToWindows1251 : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ToWindows1251, ConvertsOrWritesQuestionMark) { EXPECT_EQ(toWindows1251(GetParam().utf8), GetParam().cp1251); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ToWindows1251,
    ::testing::Values(ConversionCase{"", ""}, ConversionCase{"good / 41-1", "good / 41-1"},
                      ConversionCase{"АЯаяЁё", "\xC0\xDF\xE0\xFF\xA8\xB8"},
                      ConversionCase{"Тест прерван", "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED"},
                      ConversionCase{"№ € «»", "\xB9 \x88 \xAB\xBB"},
                      ConversionCase{"aΩb", "a?b"}, ConversionCase{"日本", "??"},
                      ConversionCase{"x😀y", "x?y"},
                      ConversionCase{"a\xFF" "b", "a?b"},          // not UTF-8 at all
                      ConversionCase{"a\xD0", "a?"},                // cut short at the end
                      ConversionCase{"\xE6\x97" "b", "??b"},       // cut short before an ASCII byte
                      ConversionCase{std::string(5000, 'z') + "Ω", std::string(5000, 'z') + "?"}));

struct ErrnoCase {
    int systemError;
    int code;
};

void PrintTo(const ErrnoCase& c, std::ostream* os) { *os << "errno " << c.systemError; }

class JournalErrorCode : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(JournalErrorCode, SystemErrorMapsToTheJournalCode) {
    EXPECT_EQ(journalErrorCode(GetParam().systemError), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Table, JournalErrorCode,
                         ::testing::Values(ErrnoCase{ENOENT, 2}, ErrnoCase{EACCES, 5}, ErrnoCase{EPERM, 5},
                                           ErrnoCase{EISDIR, 5}, ErrnoCase{EROFS, 5}, ErrnoCase{EMFILE, 4},
                                           ErrnoCase{ENFILE, 4}, ErrnoCase{ENAMETOOLONG, 3},
                                           ErrnoCase{EINVAL, 3}, ErrnoCase{ENOSPC, 28},
                                           ErrnoCase{EDQUOT, EDQUOT}, ErrnoCase{ELOOP, ELOOP}));

}  // namespace
