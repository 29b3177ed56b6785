#pragma once
// Whether a key is held down on the keyboard right now. The X server repeats a
// held key as a release followed by a press, which Qt does not always mark as a
// repeat when the machine is busy: a release of a key that is still down is such
// a repeat. Other platforms mark their repeats themselves and answer no.
#include <cstdint>
#include <memory>
#include <string_view>

namespace kvarnel {

class KeyState {
public:
    virtual ~KeyState() = default;
    // nativeScanCode: the platform's code of the key (the key code on X11).
    virtual bool isDown(std::uint32_t nativeScanCode) = 0;
};

class NoKeyState : public KeyState {
public:
    bool isDown(std::uint32_t) override { return false; }
};

// "xcb" asks the X server (when built with X11); any other platform answers no.
// Defined once per platform build: X11KeyState.cpp or KeyState.cpp.
std::unique_ptr<KeyState> makePlatformKeyState(std::string_view platformName);

}  // namespace kvarnel
