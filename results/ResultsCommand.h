#pragma once
// kvarnel-results: reads results journals and prints their records and a
// summary per group, as an aligned table or as CSV.
#include <string>
#include <vector>

namespace kvarnel {

// Exit codes.
constexpr int kAllLinesRead = 0;
constexpr int kSomeLinesReported = 1;
constexpr int kUsageOrFileError = 2;

struct CommandResult {
    std::string out;  // UTF-8
    std::string err;  // UTF-8
    int exitCode = kAllLinesRead;
};

// args: the command line without the program name.
CommandResult runResultsCommand(const std::vector<std::string>& args);

}  // namespace kvarnel
