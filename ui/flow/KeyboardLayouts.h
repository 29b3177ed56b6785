#pragma once
// Switching the keyboard layout around registration: Russian while the group and
// surname are typed, English (United States) afterwards. The results are not
// looked at: whether or not a layout could be switched, the caller goes on.
#include <memory>
#include <string_view>

namespace kvarnel {

// Windows keyboard layout identifiers, used as the names of the two layouts.
constexpr std::string_view kRussianLayout = "00000419";
constexpr std::string_view kEnglishUsLayout = "00000409";

class KeyboardLayouts {
public:
    virtual ~KeyboardLayouts() = default;
    // layoutId is kRussianLayout or kEnglishUsLayout; unknown ids do nothing.
    virtual void activate(std::string_view layoutId) = 0;
};

// For platforms where the program does not switch layouts.
class NullKeyboardLayouts : public KeyboardLayouts {
public:
    void activate(std::string_view) override {}
};

// The layouts of the platform the window runs on, chosen at run time from the Qt
// platform name: "xcb" gets the X11 switcher (when built with X11), "windows" the
// Windows one, anything else (offscreen, wayland, ...) does nothing. Defined once
// per platform build: WindowsKeyboardLayouts.cpp, X11KeyboardLayouts.cpp or, with
// neither, KeyboardLayouts.cpp.
std::unique_ptr<KeyboardLayouts> makePlatformKeyboardLayouts(std::string_view platformName);

}  // namespace kvarnel
