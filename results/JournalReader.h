#pragma once
// The records of whole journal files, in file order, and a report for every
// line that was damaged or could not be read.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "JournalLineReader.h"

namespace kvarnel {

struct JournalEntry {
    RecordFields record;
    std::size_t fileIndex = 0;  // into JournalContents::files
    std::size_t line = 0;       // 1-based
};

struct JournalContents {
    std::vector<std::string> files;
    std::vector<JournalEntry> entries;
    // "file:line: what was wrong: the line's text", in UTF-8.
    std::vector<std::string> reports;
};

// Reads one file's bytes (Windows-1251, lines ending in CR LF or LF) into
// `into`. Empty lines are skipped without a report.
void readJournalBytes(std::string_view bytes, const std::string& fileName, JournalContents& into);

}  // namespace kvarnel
