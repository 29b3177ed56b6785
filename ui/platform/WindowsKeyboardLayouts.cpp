#include "WindowsKeyboardLayouts.h"

#include <windows.h>

#include <string>

namespace kvarnel {

void WindowsKeyboardLayouts::activate(std::string_view layoutId) {
    const std::string id(layoutId);
    // KLF_ACTIVATE not given: activation is the separate, explicit step.
    if (HKL layout = LoadKeyboardLayoutA(id.c_str(), 0)) ActivateKeyboardLayout(layout, 0);
}

// Built into the Windows program only: the native platform gets the switcher,
// any other Qt platform (offscreen in the tests) none.
std::unique_ptr<KeyboardLayouts> makePlatformKeyboardLayouts(std::string_view platformName) {
    if (platformName == "windows") return std::make_unique<WindowsKeyboardLayouts>();
    return std::make_unique<NullKeyboardLayouts>();
}

}  // namespace kvarnel
