#pragma once
// The Qt platform the program starts on. On a Wayland desktop that also offers
// an X display (XWayland) it takes X: there it can place its window and the
// registration message and switch the keyboard layout, which a native Wayland
// client may not do. With Wayland alone it runs natively and simply does not
// do those things. A platform the user chose (QT_QPA_PLATFORM) always stands.
#include <optional>
#include <string>

namespace kvarnel {

struct DisplayEnvironment {
    std::string qtPlatform;      // QT_QPA_PLATFORM
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string xDisplay;        // DISPLAY
};

// The platform to name before the application object is made; nothing where
// Qt's own choice stands.
std::optional<std::string> chosenQtPlatform(const DisplayEnvironment& environment);

// The three variables of this process (unset reads as empty).
DisplayEnvironment currentDisplayEnvironment();

}  // namespace kvarnel
