#include "KeyboardLayouts.h"

#if defined(_WIN32)
#include <windows.h>
#include <string>
#endif
#if defined(KVARNEL_HAVE_X11)
#include "X11KeyboardLayouts.h"
#endif

namespace kvarnel {

#if defined(_WIN32)
namespace {
// Loads the layout and makes it the active layout of the calling (user-interface) thread.
class WindowsKeyboardLayouts : public KeyboardLayouts {
public:
    void activate(std::string_view layoutId) override {
        const std::string id(layoutId);
        if (HKL layout = LoadKeyboardLayoutA(id.c_str(), 0)) ActivateKeyboardLayout(layout, 0);
    }
};
}  // namespace
#endif

std::unique_ptr<KeyboardLayouts> makePlatformKeyboardLayouts(std::string_view platformName) {
#if defined(_WIN32)
    if (platformName == "windows") return std::make_unique<WindowsKeyboardLayouts>();
#endif
#if defined(KVARNEL_HAVE_X11)
    if (platformName == "xcb") return std::make_unique<X11KeyboardLayouts>();
#endif
    (void)platformName;
    return std::make_unique<NullKeyboardLayouts>();
}

}  // namespace kvarnel
