// Journal cases that only POSIX can set up: another user, a full device, the open-file
// limit, an append-only file.
#include <errno.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "JournalFileFixture.h"
#include "core/JournalFile.h"
#include "tests/support/SkipOutsideCi.h"

namespace kvarnel::journal_test {

namespace {

// Runs fn in a forked child and returns its exit status (fn's result), 255 if it threw.
int runInChild(const std::function<int()>& fn) {
    const pid_t pid = fork();
    if (pid == 0) {
        int result = 255;
        try {
            result = fn();
        } catch (...) {}
        _exit(result);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int appendInChild(const std::string& line) {
    return runInChild([&line] {
        FileJournal journal;
        return appendCode(journal, line);
    });
}

TEST_F(JournalFileTest, ReadOnlyFileIsAccessDeniedToAnUnprivilegedChild) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to switch a child to the user nobody";
    createJournal("kept\r\n");
    makeReadOnly(journalPath());
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
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
    if (access("/dev/full", W_OK) != 0)
        return kvarnel::testing::skipOutsideCi("no writable /dev/full on this system");
    fs::create_symlink("/dev/full", journalPath());
    const int descriptors = openHandleCount();
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
    EXPECT_EQ(openHandleCount(), descriptors);

    // The next append to a good file works: no handle or lock was left behind.
    fs::remove(journalPath());
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
        while (open("/dev/null", O_RDONLY) >= 0) {}
        if (errno != EMFILE) return 253;
        FileJournal journal;
        return appendCode(journal, "x");
    });
    EXPECT_EQ(code, 4);
    EXPECT_EQ(journalBytes(), "");
}

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
                                           ErrnoCase{EINVAL, 3}, ErrnoCase{EIO, 1117}, ErrnoCase{ENOSPC, 28},
                                           ErrnoCase{EDQUOT, EDQUOT}, ErrnoCase{ELOOP, ELOOP}));

// Sets or clears the append-only attribute (chattr +a, -a): a file so marked is opened for
// writing only with O_APPEND, never truncated, renamed or removed, by root neither. Empty
// when done, else why not: it needs CAP_LINUX_IMMUTABLE and a filesystem that keeps the
// attribute (ext4, xfs, btrfs, tmpfs since Linux 6.0).
std::string setAppendOnly(const fs::path& path, bool on) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    const int error = errno;
    if (fd >= 0) close(fd);
    if (done) return std::string();
    if (error == EPERM) return "this process may not (it needs root with CAP_LINUX_IMMUTABLE)";
    return "the filesystem of " + path.parent_path().string() + " keeps no such attribute (" +
           std::strerror(error) + ")";
}

enum class Writers { One, OneAfterAnotherLetsGo, OneWhileAnotherHolds, TwoAtOnce };

struct AppendOnlyCase {
    const char* name;
    const char* before;
    Writers writers;
    int code;           // of the one writer's append
    const char* after;  // the journal then; for two writers checked line by line
};

void PrintTo(const AppendOnlyCase& c, std::ostream* os) { *os << c.name; }

class AppendOnlyJournal : public JournalFileTest, public ::testing::WithParamInterface<AppendOnlyCase> {};

// What a teacher's chattr +a leaves students: the trainer appends as before, an editor
// cannot save over the journal. The appends run in other processes, so that whatever
// they do the attribute comes off again before the test ends.
TEST_P(AppendOnlyJournal, AppendsAsBeforeButNothingRewritesIt) {
    const AppendOnlyCase& c = GetParam();
    createJournal(c.before);
    if (const std::string why = setAppendOnly(journalPath(), true); !why.empty())
        return kvarnel::testing::skipOutsideCi("the journal cannot be marked append-only here: " + why);
    struct Unmark {  // on every way out of the test
        ~Unmark() { setAppendOnly(journalPath(), false); }
    } unmark;
    const int rewrite = open(journalPath().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    const int rewriteError = errno;
    if (rewrite >= 0) close(rewrite);
    int code = 0;
    switch (c.writers) {
    case Writers::One:
        code = appendInChild("new");
        break;
    case Writers::OneAfterAnotherLetsGo:
    case Writers::OneWhileAnotherHolds: {
        JournalHolder holder(c.writers == Writers::OneAfterAnotherLetsGo ? 50 : -1);
        EXPECT_TRUE(holder.holding()) << holder.state();
        code = appendInChild("new");
        break;
    }
    case Writers::TwoAtOnce:
        appendFromTwoProcessesAtOnce(100);
        break;
    }
    ASSERT_EQ(setAppendOnly(journalPath(), false), "") << "the append-only attribute stays on in " << dir_;

    EXPECT_LT(rewrite, 0) << "an editor could open the append-only journal to rewrite it";
    EXPECT_EQ(rewriteError, EPERM);
    EXPECT_EQ(code, c.code);
    if (c.writers != Writers::TwoAtOnce) {
        EXPECT_EQ(journalBytes(), c.after);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Writers, AppendOnlyJournal,
    ::testing::Values(AppendOnlyCase{"ended_line", "old\r\n", Writers::One, 0, "old\r\nnew\r\n"},
                      AppendOnlyCase{"unended_line", "old", Writers::One, 0, "old\r\nnew\r\n"},
                      AppendOnlyCase{"lock_let_go_within_the_wait", "old\r\n", Writers::OneAfterAnotherLetsGo,
                                     0, "old\r\nnew\r\n"},
                      AppendOnlyCase{"lock_held_past_the_wait", "old\r\n", Writers::OneWhileAnotherHolds, 32,
                                     "old\r\n"},
                      AppendOnlyCase{"two_writers_at_once", "", Writers::TwoAtOnce, 0, nullptr}),
    [](const ::testing::TestParamInfo<AppendOnlyCase>& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace kvarnel::journal_test
