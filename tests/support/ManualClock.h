#pragma once
// A clock that stands still until the test moves it, and the hint timers that
// run on it: advance() fires every timer whose time comes up on the way, in the
// order of their times (timers due at the same time in the order they started).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/flow/HintTimer.h"

namespace kvarnel::testing {

class ManualClock {
public:
    struct Alarm {
        std::function<void()> onTimeout;
        bool armed = false;
        std::int64_t due = 0;
        std::uint64_t order = 0;  // when it was started, for timers due together
    };

    // Makes timers on this clock; the clock must outlive them.
    HintTimerFactory timers();
    void advance(int ms);
    std::int64_t now() const { return now_; }

    void arm(Alarm& alarm, int ms);

private:
    std::vector<std::weak_ptr<Alarm>> alarms_;
    std::int64_t now_ = 0;
    std::uint64_t started_ = 0;
};

}  // namespace kvarnel::testing
