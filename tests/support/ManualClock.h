#pragma once
// A clock that stands still until the test moves it, and the hint timers that
// run on it: advance() fires every timer whose time comes up on the way, in the
// order of their times (timers due together in the order they were made).
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "ui/flow/HintTimer.h"

namespace kvarnel::testing {

class ManualClock {
public:
    // Makes timers on this clock; the clock must outlive them.
    HintTimerFactory timers() {
        return [this](std::function<void()> onTimeout) -> std::unique_ptr<HintTimer> {
            return std::make_unique<Timer>(*this, std::move(onTimeout));
        };
    }
    void advance(int ms) {
        const std::int64_t end = now_ + ms;
        // A timer's action may start or stop timers, so each step looks afresh.
        for (Timer* next = nextDue(end); next; next = nextDue(end)) {
            now_ = next->due_;
            next->armed_ = false;
            next->onTimeout_();
        }
        now_ = end;
    }

private:
    class Timer : public HintTimer {
    public:
        Timer(ManualClock& clock, std::function<void()> onTimeout)
            : clock_(clock), onTimeout_(std::move(onTimeout)) {
            clock_.timers_.push_back(this);
        }
        ~Timer() override {
            clock_.timers_.erase(std::find(clock_.timers_.begin(), clock_.timers_.end(), this));
        }
        void start(int ms) override {
            armed_ = true;
            due_ = clock_.now_ + ms;
        }
        void stop() override { armed_ = false; }

        ManualClock& clock_;
        std::function<void()> onTimeout_;
        bool armed_ = false;
        std::int64_t due_ = 0;
    };

    Timer* nextDue(std::int64_t end) const {
        Timer* next = nullptr;
        for (Timer* t : timers_)
            if (t->armed_ && t->due_ <= end && (!next || t->due_ < next->due_)) next = t;
        return next;
    }

    std::vector<Timer*> timers_;
    std::int64_t now_ = 0;
};

}  // namespace kvarnel::testing
