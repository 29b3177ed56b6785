#pragma once
// Per group: how many tests, how many ended with each outcome.
#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "JournalLineReader.h"

namespace kvarnel {

// The group as it is counted and matched: without the spaces typed around it,
// and ignoring letter case, Cyrillic included ("41-тэ " and "41-ТЭ" are one group).
std::string groupKey(std::string_view group);

struct GroupCounts {
    std::string group;  // the first spelling met, without the spaces around it
    int tests = 0;
    std::array<int, kOutcomeCount> byOutcome{};  // indexed by Outcome
};

class ResultsSummary {
public:
    void add(const RecordFields& record);
    // Ordered by groupKey (byte order of UTF-8, which is alphabetical for
    // Cyrillic apart from ё).
    std::vector<GroupCounts> groups() const;

private:
    std::map<std::string, GroupCounts, std::less<>> groups_;
};

}  // namespace kvarnel
