#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "InOutError.h"
#include "JournalFile.h"

namespace kvarnel {

namespace {

constexpr int kSharingViolation = 32;

// Closes the descriptor on every path; close() reports its own failure on the good path.
class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }
    void close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) throw EInOutError(journalErrorCode(errno));
    }

private:
    int fd_;
};

[[noreturn]] void raiseSystemError(int systemError) { throw EInOutError(journalErrorCode(systemError)); }

bool setWholeFileLock(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return fcntl(fd, F_SETLK, &lock) == 0;
}

// A whole-file write lock; other processes taking the same lock wait for it.
void lockForWriting(int fd, int lockWaitMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(lockWaitMs);
    // Another instance holds the lock for a few microseconds, so a few polls suffice.
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (setWholeFileLock(fd, F_WRLCK)) return;
        if (errno == EINTR) continue;
        if (errno != EACCES && errno != EAGAIN) raiseSystemError(errno);
        if (Clock::now() >= deadline) throw EInOutError(kSharingViolation);
        // The last poll falls on the deadline itself.
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - Clock::now()));
        if (pause < std::chrono::milliseconds(8)) pause *= 2;
    }
}

// What must precede the new line in a regular file of that size so that it starts on a
// line of its own. pread, because the file is open with O_APPEND: an append-only file
// (chattr +a) cannot be opened otherwise for writing.
std::string lineBreakNeeded(int fd, off_t size) {
    if (size == 0) return std::string();
    char last = 0;
    ssize_t got;
    do {
        got = pread(fd, &last, 1, size - 1);
    } while (got < 0 && errno == EINTR);
    if (got < 0) raiseSystemError(errno);
    return got == 0 ? std::string() : lineBreakAfter(last);
}

void writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            raiseSystemError(errno);
        }
        if (written == 0) raiseSystemError(ENOSPC);
        done += static_cast<std::size_t>(written);
    }
}

// Puts the written line on the device before the append reports success, so that a machine
// switched off at the wall right afterwards still has it. A failure here is the append's.
void flushToDevice(int fd) {
    int result;
    do {
        result = fdatasync(fd);
    } while (result != 0 && errno == EINTR);
    if (result != 0) raiseSystemError(errno);
}

}  // namespace

int journalErrorCode(int systemError) {
    switch (systemError) {
    case ENOENT:
        return 2;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return 5;
    case EMFILE:
    case ENFILE:
        return 4;
    case ENAMETOOLONG:
    case EINVAL:
        return 3;
    case EIO:
        // Windows' "I/O device error": passed on as errno 5 it would read "File access denied".
        return 1117;
    default:
        return systemError;
    }
}

void appendToExistingFile(const std::string& fileName, const std::string& bytes, int lockWaitMs) {
    int fd;
    do {
        // No O_CREAT: the journal must already exist.
        fd = ::open(fileName.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) raiseSystemError(errno);
    OpenFile file(fd);
    lockForWriting(file.fd(), lockWaitMs);
    struct stat info {};
    if (fstat(file.fd(), &info) != 0) raiseSystemError(errno);
    // Only a regular file has a last line to end and a device to flush to (not /dev/null,
    // a pipe or a terminal).
    const bool regular = S_ISREG(info.st_mode);
    // Checked under the lock, so another writer cannot add a line in between.
    writeAll(file.fd(), (regular ? lineBreakNeeded(file.fd(), info.st_size) : std::string()) + bytes);
    // The line is in the file for every reader and writer now; the flush (milliseconds) needs
    // no lock, so another instance need not wait for it. Should the unlock fail, the close does it.
    setWholeFileLock(file.fd(), F_UNLCK);
    if (regular) flushToDevice(file.fd());
    file.close();
}

}  // namespace kvarnel
