#include "ManualClock.h"

#include <algorithm>
#include <utility>

namespace kvarnel::testing {

namespace {

class ManualTimer : public HintTimer {
public:
    ManualTimer(ManualClock& clock, std::shared_ptr<ManualClock::Alarm> alarm)
        : clock_(clock), alarm_(std::move(alarm)) {}
    void start(int ms) override { clock_.arm(*alarm_, ms); }
    void stop() override { alarm_->armed = false; }

private:
    ManualClock& clock_;
    std::shared_ptr<ManualClock::Alarm> alarm_;
};

}  // namespace

HintTimerFactory ManualClock::timers() {
    return [this](std::function<void()> onTimeout) -> std::unique_ptr<HintTimer> {
        auto alarm = std::make_shared<Alarm>();
        alarm->onTimeout = std::move(onTimeout);
        alarms_.push_back(alarm);
        return std::make_unique<ManualTimer>(*this, std::move(alarm));
    };
}

void ManualClock::arm(Alarm& alarm, int ms) {
    alarm.armed = true;
    alarm.due = now_ + ms;
    alarm.order = started_++;
}

void ManualClock::advance(int ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        // The next timer due by the end; a timer's action may start or stop others.
        std::shared_ptr<Alarm> next;
        for (const std::weak_ptr<Alarm>& weak : alarms_) {
            std::shared_ptr<Alarm> alarm = weak.lock();
            if (!alarm || !alarm->armed || alarm->due > end) continue;
            if (!next || std::make_pair(alarm->due, alarm->order) < std::make_pair(next->due, next->order))
                next = alarm;
        }
        if (!next) break;
        now_ = next->due;
        next->armed = false;
        next->onTimeout();
    }
    now_ = end;
}

}  // namespace kvarnel::testing
