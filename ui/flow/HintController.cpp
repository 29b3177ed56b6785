#include "HintController.h"

#include "QtHintTimer.h"

namespace kvarnel {

HintController::HintController(int delayMs, int displayMs, int reshowDelayMs, QObject* parent)
    : HintController(QtHintTimer::make, delayMs, displayMs, reshowDelayMs, parent) {}

HintController::HintController(const HintTimerFactory& makeTimer, int delayMs, int displayMs,
                               int reshowDelayMs, QObject* parent)
    : QObject(parent),
      delayMs_(delayMs),
      displayMs_(displayMs),
      reshowDelayMs_(reshowDelayMs),
      delayTimer_(makeTimer([this] { onDelayElapsed(); })),
      displayTimer_(makeTimer([this] { onDisplayElapsed(); })) {}

void HintController::pointerMoved(int hotspot, QPoint globalPos, bool hintOn, const QString& text) {
    if (!active_) return;
    if (hotspot < 0 || !hintOn) {
        endSequence();
        return;
    }
    const bool sameHotspot = hotspot == hotspot_;
    switch (state_) {
    case State::Idle:
    case State::Waiting:
        // Entering starts the wait; every movement before the hint shows restarts it.
        text_ = text;
        position_ = globalPos;
        startWaiting(hotspot, delayMs_);
        break;
    case State::Showing:
    case State::Expired:
        if (sameHotspot) return;  // moves inside the hotspot change nothing
        text_ = text;
        position_ = globalPos;
        if (state_ == State::Showing) {
            displayTimer_->stop();
            emit hideHint();
            state_ = State::Expired;
        }
        if (reshowDelayMs_ <= 0) {
            hotspot_ = hotspot;
            show();
        } else {
            startWaiting(hotspot, reshowDelayMs_);
        }
        break;
    }
}

void HintController::pointerLeft() { endSequence(); }

void HintController::mouseButtonOrWheelOrKey() { endSequence(); }

void HintController::activationChanged(bool active) {
    endSequence();
    active_ = active;
}

void HintController::endSequence() {
    delayTimer_->stop();
    displayTimer_->stop();
    if (state_ == State::Showing) emit hideHint();
    state_ = State::Idle;
    hotspot_ = -1;
}

void HintController::startWaiting(int hotspot, int delayMs) {
    hotspot_ = hotspot;
    state_ = State::Waiting;
    delayTimer_->start(delayMs);
}

void HintController::show() {
    delayTimer_->stop();
    state_ = State::Showing;
    emit showHint(text_, position_);
    displayTimer_->start(displayMs_);
}

void HintController::onDelayElapsed() {
    if (state_ == State::Waiting) show();
}

void HintController::onDisplayElapsed() {
    if (state_ != State::Showing) return;
    emit hideHint();
    state_ = State::Expired;
}

}  // namespace kvarnel
