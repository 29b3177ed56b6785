#pragma once
// A hint timer on Qt's event loop.
#include <QTimer>
#include <functional>
#include <memory>

#include "HintTimer.h"

namespace kvarnel {

class QtHintTimer : public HintTimer {
public:
    explicit QtHintTimer(std::function<void()> onTimeout);
    void start(int ms) override;
    void stop() override;

    static std::unique_ptr<HintTimer> make(std::function<void()> onTimeout);

private:
    QTimer timer_;
};

}  // namespace kvarnel
