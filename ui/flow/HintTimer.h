#pragma once
// The single-shot timers the hint controller waits on. The program's run on Qt's
// event loop (QtHintTimer); a test's can run on a clock it moves by hand, so the
// hint rules are checked without real waiting.
#include <functional>
#include <memory>

namespace kvarnel {

class HintTimer {
public:
    virtual ~HintTimer() = default;
    // Calls the timer's action once, ms milliseconds from now; starting again
    // while it runs starts the time afresh.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
};

// Makes a stopped timer that calls onTimeout when its time is up.
using HintTimerFactory = std::function<std::unique_ptr<HintTimer>(std::function<void()> onTimeout)>;

}  // namespace kvarnel
