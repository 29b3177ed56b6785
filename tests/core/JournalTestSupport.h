#pragma once
// What the journal tests need from the operating system, one implementation per
// platform (JournalTestSupportPosix.cpp, JournalTestSupportWindows.cpp).
#include <cstdint>
#include <string>
#include <vector>

namespace kvarnel::journal_test {

// Whether taking a file's write permission away stops this process from writing it
// (root on POSIX writes through the permission bits; Windows' read-only attribute
// stops an administrator too, but not wine running as root). Probes with a scratch file
// in the current directory.
bool readOnlyStopsThisProcess();

// The system's error number when this process flushes a file it wrote (fdatasync,
// FlushFileBuffers); 0 when flushing works. Probes with a scratch file in the current
// directory.
int flushErrorOfThisProcess();

// The number of files and other handles this process holds open.
int openHandleCount();

// Holds a file open for writing against every other writer, as another instance of
// the program does while it appends: a POSIX write lock on a descriptor opened for
// appending, or a Windows handle opened for appending without write sharing.
class WriteHolder {
public:
    explicit WriteHolder(const std::string& utf8Name);
    ~WriteHolder();
    WriteHolder(const WriteHolder&) = delete;
    WriteHolder& operator=(const WriteHolder&) = delete;
    bool holding() const { return holding_; }
    // The system's error number when not holding.
    int error() const { return error_; }

private:
    std::intptr_t handle_ = -1;
    bool holding_ = false;
    int error_ = 0;
};

// This test program started again with the given arguments, in the same current
// directory; waited for at destruction.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // The exit code; -1 when the child could not be started or did not exit normally.
    int wait();

private:
    std::intptr_t process_ = -1;
    int exitCode_ = -1;
};

}  // namespace kvarnel::journal_test
