#pragma once
// The registration moment of every test: 07.12.2026, 14:13:51.
#include <string>

#include "core/ResultRecord.h"

namespace kvarnel::testing {

class FixedClock : public DateTimeTexts {
public:
    std::string timeText() override { return "14:13:51"; }
    std::string dateText() override { return "07.12.2026"; }
};

}  // namespace kvarnel::testing
