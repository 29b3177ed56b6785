// Which keyboard layout switcher the Windows program gets, and the switch itself
// where the system can load the Russian layout (wine 8 cannot: its
// LoadKeyboardLayoutA returns the current layout, so that part is skipped there).
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/flow/KeyboardLayouts.h"
#include "ui/platform/WindowsKeyboardLayouts.h"

namespace kvarnel::testing {
namespace {

WORD activeLanguage() { return LOWORD(reinterpret_cast<ULONG_PTR>(GetKeyboardLayout(0))); }

TEST(WindowsKeyboardLayouts, OnlyTheWindowsPlatformGetsTheSwitcher) {
    for (const char* platform : {"offscreen", "minimal", "xcb", ""}) {
        auto layouts = makePlatformKeyboardLayouts(platform);
        ASSERT_TRUE(layouts);
        EXPECT_EQ(dynamic_cast<WindowsKeyboardLayouts*>(layouts.get()), nullptr) << platform;
    }
    auto windows = makePlatformKeyboardLayouts("windows");
    EXPECT_NE(dynamic_cast<WindowsKeyboardLayouts*>(windows.get()), nullptr);
}

TEST(WindowsKeyboardLayouts, SwitchesTheThreadToRussianAndBackToEnglishUs) {
    const HKL before = GetKeyboardLayout(0);
    if (LOWORD(reinterpret_cast<ULONG_PTR>(LoadKeyboardLayoutA("00000419", 0))) != 0x0419)
        GTEST_SKIP() << "this system does not load the Russian layout (wine's LoadKeyboardLayoutA is a stub)";
    WindowsKeyboardLayouts layouts;
    layouts.activate(kRussianLayout);
    EXPECT_EQ(activeLanguage(), 0x0419);
    layouts.activate(kEnglishUsLayout);
    EXPECT_EQ(activeLanguage(), 0x0409);
    ActivateKeyboardLayout(before, 0);
}

}  // namespace
}  // namespace kvarnel::testing
