#pragma once
// When a hotspot's hint comes and goes. The window reports pointer movements,
// presses, keys and activation changes; the controller says when to show the
// hint (text and pointer position) and when to take it away. Drawing the pop-up
// is the window's business.
#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>

#include "HintTimer.h"

namespace kvarnel {

constexpr int kHintDelayMs = 50;       // rest time before a hint appears
constexpr int kHintDisplayMs = 10000;  // time a hint stays on screen
constexpr int kHintReshowDelayMs = 0;  // from one hotspot straight onto another

class HintController : public QObject {
    Q_OBJECT
public:
    // idle: no hint pending; waiting: the delay runs; showing: the hint is on screen;
    // expired: the display time ran out but the sequence goes on (for the re-show rule).
    enum class State { Idle, Waiting, Showing, Expired };

    // On Qt's event loop.
    explicit HintController(int delayMs = kHintDelayMs, int displayMs = kHintDisplayMs,
                            int reshowDelayMs = kHintReshowDelayMs, QObject* parent = nullptr);
    // On the timers makeTimer makes.
    explicit HintController(const HintTimerFactory& makeTimer, int delayMs = kHintDelayMs,
                            int displayMs = kHintDisplayMs, int reshowDelayMs = kHintReshowDelayMs,
                            QObject* parent = nullptr);

    State state() const { return state_; }
    bool active() const { return active_; }

public slots:
    // A movement of the pointer over the window's client area. hotspot is the
    // hotspot under the pointer (-1: none); hintOn and text are that hotspot's.
    void pointerMoved(int hotspot, QPoint globalPos, bool hintOn, const QString& text);
    // The pointer left the client area (off the windows, onto the title bar or borders).
    void pointerLeft();
    // Any press or release of a mouse button, a wheel turn or a key.
    void mouseButtonOrWheelOrKey();
    // The program became (or stopped being) the foreground application.
    void activationChanged(bool active);

signals:
    void showHint(const QString& text, QPoint globalPos);
    void hideHint();

private:
    void endSequence();
    void startWaiting(int hotspot, int delayMs);
    void show();
    void onDelayElapsed();
    void onDisplayElapsed();

    int delayMs_;
    int displayMs_;
    int reshowDelayMs_;
    std::unique_ptr<HintTimer> delayTimer_;
    std::unique_ptr<HintTimer> displayTimer_;
    State state_ = State::Idle;
    bool active_ = true;
    int hotspot_ = -1;  // the hotspot the sequence is at
    QString text_;
    QPoint position_;  // the pointer's last position over that hotspot
};

}  // namespace kvarnel
