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

// A whole-file write lock; other processes taking the same lock wait for it.
void lockForWriting(int fd, int lockWaitMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(lockWaitMs);
    // Another instance holds the lock for a few milliseconds, so a few polls suffice.
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 0;
        lock.l_len = 0;
        if (fcntl(fd, F_SETLK, &lock) == 0) return;
        if (errno == EINTR) continue;
        if (errno != EACCES && errno != EAGAIN) raiseSystemError(errno);
        if (Clock::now() >= deadline) throw EInOutError(kSharingViolation);
        // The last poll falls on the deadline itself.
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - Clock::now()));
        if (pause < std::chrono::milliseconds(8)) pause *= 2;
    }
}

// What must precede the new line so that it starts on a line of its own.
std::string lineBreakNeeded(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0) raiseSystemError(errno);
    if (!S_ISREG(info.st_mode) || info.st_size == 0) return std::string();
    char last = 0;
    ssize_t got;
    do {
        got = pread(fd, &last, 1, info.st_size - 1);
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
    // Checked under the lock, so another writer cannot add a line in between.
    writeAll(file.fd(), lineBreakNeeded(file.fd()) + bytes);
    file.close();  // also releases the lock
}

}  // namespace kvarnel
