// Journal cases that only POSIX can set up: another user, a full device, the open-file limit.
#include <errno.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
                                           ErrnoCase{EINVAL, 3}, ErrnoCase{ENOSPC, 28},
                                           ErrnoCase{EDQUOT, EDQUOT}, ErrnoCase{ELOOP, ELOOP}));

}  // namespace

}  // namespace kvarnel::journal_test
