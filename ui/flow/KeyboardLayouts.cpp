#include "KeyboardLayouts.h"

namespace kvarnel {

// Built where neither Windows nor X11 is available (e.g. a Wayland-only build):
// the program does not switch layouts there.
std::unique_ptr<KeyboardLayouts> makePlatformKeyboardLayouts(std::string_view) {
    return std::make_unique<NullKeyboardLayouts>();
}

}  // namespace kvarnel
