#include "ResultsSummary.h"

#include "core/LetterCase.h"

namespace kvarnel {

namespace {

std::string_view withoutSpacesAround(std::string_view group) {
    const std::size_t first = group.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string_view();
    const std::size_t last = group.find_last_not_of(' ');
    return group.substr(first, last - first + 1);
}

}  // namespace

std::string groupKey(std::string_view group) { return lowerCased(withoutSpacesAround(group)); }

void ResultsSummary::add(const RecordFields& record) {
    std::string key = groupKey(record.group);
    auto found = groups_.find(key);
    if (found == groups_.end())
        found = groups_.emplace(std::move(key), GroupCounts{std::string(withoutSpacesAround(record.group))})
                    .first;
    GroupCounts& counts = found->second;
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
