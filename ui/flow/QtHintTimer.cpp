#include "QtHintTimer.h"

#include <utility>

namespace kvarnel {

QtHintTimer::QtHintTimer(std::function<void()> onTimeout) {
    timer_.setSingleShot(true);
    // Coarse timers may fire up to 5 % early (a 10 s hint gone after 9.6 s).
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTimeout));
}

void QtHintTimer::start(int ms) { timer_.start(ms); }

void QtHintTimer::stop() { timer_.stop(); }

std::unique_ptr<HintTimer> QtHintTimer::make(std::function<void()> onTimeout) {
    return std::make_unique<QtHintTimer>(std::move(onTimeout));
}

}  // namespace kvarnel
