#pragma once
// A clock standing still, by default at the registration moment of every test
// (07.12.2026, 14:13:51); it notes in which order its texts were read.
#include <string>
#include <utility>
#include <vector>

#include "core/ResultRecord.h"

namespace kvarnel::testing {

class FixedClock : public DateTimeTexts {
public:
    explicit FixedClock(std::string date = "07.12.2026", std::string time = "14:13:51")
        : date_(std::move(date)), time_(std::move(time)) {}
    std::string timeText() override {
        reads.emplace_back("time");
        return time_;
    }
    std::string dateText() override {
        reads.emplace_back("date");
        return date_;
    }
    std::vector<std::string> reads;

private:
    std::string date_, time_;
};

}  // namespace kvarnel::testing
