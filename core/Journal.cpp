#include "Journal.h"

#include <utility>

#include "JournalFile.h"
#include "Windows1251.h"

namespace kvarnel {

const char* const kJournalFileName = "Тест_кварнел.txt";

FileJournal::FileJournal(std::string fileName, int lockWaitMs)
    : fileName_(std::move(fileName)), lockWaitMs_(lockWaitMs) {}

void FileJournal::append(const std::string& line) {
    appendToExistingFile(fileName_, toWindows1251(line) + "\r\n", lockWaitMs_);
}

std::string lineBreakAfter(char lastByte) {
    if (lastByte == '\n') return std::string();
    if (lastByte == '\r') return "\n";  // complete a CR left without its LF
    return "\r\n";
}

}  // namespace kvarnel
