#include "KeyState.h"

// After the standard headers: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>

namespace kvarnel {

namespace {

class X11KeyState : public KeyState {
public:
    ~X11KeyState() override {
        if (display_) XCloseDisplay(display_);
    }

    bool isDown(std::uint32_t keyCode) override {
        // Opened at the first question, not at start-up: most runs never ask.
        if (!display_) display_ = XOpenDisplay(nullptr);
        if (!display_ || keyCode > 255) return false;
        char keys[32] = {};
        XQueryKeymap(display_, keys);
        return (static_cast<unsigned char>(keys[keyCode / 8]) >> (keyCode % 8)) & 1;
    }

private:
    Display* display_ = nullptr;
};

}  // namespace

std::unique_ptr<KeyState> makePlatformKeyState(std::string_view platformName) {
    if (platformName == "xcb") return std::make_unique<X11KeyState>();
    return std::make_unique<NoKeyState>();
}

}  // namespace kvarnel
