#pragma once
// Watches an X server from outside a program for the program's first painted
// frame: its top-level window being mapped, then, after each drawing into the
// screen (reported by the DAMAGE extension), a few probe pixels of that window
// read back until every one shows its expected colour. Nothing is added to the
// watched program; the times are taken on this process's steady clock when the
// server's notice arrives, so they include the server's own work.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace kvarnel::bench {

// A pixel of the watched window (window coordinates) and its expected 0xRRGGBB.
struct Probe {
    int x = 0;
    int y = 0;
    unsigned rgb = 0;
};

class XFrameWatcher {
public:
    using Clock = std::chrono::steady_clock;
    struct Times {
        double mappedMs = -1;  // start to the window being mapped
        double framedMs = -1;  // start to every probe showing its colour
        std::string failure;   // why the frame was not seen; empty when it was
    };

    // Connects to `display` (e.g. ":7"); throws std::runtime_error when it cannot
    // or when the server lacks the DAMAGE extension.
    explicit XFrameWatcher(const std::string& display);
    ~XFrameWatcher();
    XFrameWatcher(const XFrameWatcher&) = delete;
    XFrameWatcher& operator=(const XFrameWatcher&) = delete;

    // Waits for the first top-level window of process `pid` and its frame,
    // `timeoutMs` at most; times are counted from `start`.
    Times watch(pid_t pid, Clock::time_point start, const std::vector<Probe>& probes, double timeoutMs);
    // Reads and drops the notices that are left (e.g. of a closed window).
    void drain();

private:
    bool probesShow(unsigned long window, const std::vector<Probe>& probes);
    long windowPid(unsigned long window);

    Display* display_ = nullptr;
    unsigned long damage_ = 0;
    int damageEventBase_ = 0;
    unsigned long pidAtom_ = 0;
};

}  // namespace kvarnel::bench
