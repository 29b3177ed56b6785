#pragma once
// The benchmark's table across screen densities: each device pixel ratio is
// measured by a process of its own (this benchmark started again with
// QT_SCALE_FACTOR set and --measure-here), so that each has its own peak
// memory; optionally another build's benchmark measures the same rows in
// alternation with this one, for a before/after comparison under the same load.
#include <string>
#include <vector>

namespace kvarnel::bench {

struct RatioRunOptions {
    std::vector<double> ratios{1, 1.25, 1.5, 2};
    int rounds = 1;       // processes per ratio and benchmark; the table gives their medians
    std::string self;     // this benchmark's executable
    std::string against;  // another build's benchmark, or empty
};

// Parses "--ratios 1,2 --rounds 3 --against PATH"; false (with `error` set) on
// anything else.
bool parseRatioRunOptions(const std::vector<std::string>& args, RatioRunOptions& options, std::string& error);

// Runs the processes and prints the table; returns the exit code.
int runRatios(const RatioRunOptions& options);

// What a --measure-here process prints: one "name<TAB>value" line per row.
constexpr const char* kMeasureHere = "--measure-here";
// What a --study-session process prints: its peak memory, in the same form.
constexpr const char* kStudySession = "--study-session";

}  // namespace kvarnel::bench
