#include "ResultsSummary.h"

namespace kvarnel {

std::string groupKey(std::string_view group) {
    const std::size_t first = group.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string();
    const std::size_t last = group.find_last_not_of(' ');
    return std::string(group.substr(first, last - first + 1));
}

void ResultsSummary::add(const RecordFields& record) {
    std::string key = groupKey(record.group);
    GroupCounts& counts = groups_[key];
    if (counts.tests == 0) counts.group = std::move(key);
    ++counts.tests;
    ++counts.byOutcome[static_cast<int>(record.outcome)];
}

std::vector<GroupCounts> ResultsSummary::groups() const {
    std::vector<GroupCounts> result;
    result.reserve(groups_.size());
    for (const auto& entry : groups_) result.push_back(entry.second);
    return result;
}

}  // namespace kvarnel
