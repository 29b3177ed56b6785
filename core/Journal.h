#pragma once
// The results journal: one line per graded or abandoned test, appended to an
// existing file that the program never creates.
#include <string>

namespace kvarnel {

// "Тест_кварнел.txt", resolved against the current directory at each write.
extern const char* const kJournalFileName;

class Journal {
public:
    virtual ~Journal() = default;
    // Appends the UTF-8 line as Windows-1251 (toWindows1251) followed by CR LF; throws EInOutError.
    virtual void append(const std::string& line) = 0;
};

// How long an append waits for another writer to let go of the file. Short, because the
// wait blocks the window; another instance's append holds the file for a few milliseconds.
constexpr int kJournalLockWaitMs = 200;

// The real file. The operating-system calls live in JournalFilePosix.cpp and
// JournalFileWindows.cpp.
class FileJournal : public Journal {
public:
    explicit FileJournal(std::string fileName = kJournalFileName, int lockWaitMs = kJournalLockWaitMs);
    void append(const std::string& line) override;

private:
    std::string fileName_;
    int lockWaitMs_;
};

}  // namespace kvarnel
