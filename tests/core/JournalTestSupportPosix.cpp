#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>

#include "JournalTestSupport.h"

namespace kvarnel::journal_test {

bool readOnlyStopsThisProcess() { return geteuid() != 0; }

int flushErrorOfThisProcess() {
    const char* const probe = "flush-probe";
    const int fd = open(probe, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    const int error = write(fd, "x", 1) == 1 && fdatasync(fd) != 0 ? errno : 0;
    close(fd);
    unlink(probe);
    return error;
}

int openHandleCount() {
    namespace fs = std::filesystem;
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

WriteHolder::WriteHolder(const std::string& utf8Name) {
    // As the program opens it, so that an append-only journal can be held too.
    const int fd = open(utf8Name.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    handle_ = fd;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    holding_ = fcntl(fd, F_SETLK, &lock) == 0;
    if (!holding_) error_ = errno;
}

WriteHolder::~WriteHolder() {
    if (handle_ >= 0) close(static_cast<int>(handle_));  // also releases the lock
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string self = "/proc/self/exe";
    argv.push_back(self.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    process_ = pid;
}

ChildProcess::~ChildProcess() { wait(); }

int ChildProcess::wait() {
    if (process_ <= 0) return exitCode_;
    int status = 0;
    if (waitpid(static_cast<pid_t>(process_), &status, 0) > 0 && WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
    process_ = -1;
    return exitCode_;
}

}  // namespace kvarnel::journal_test
