#include "DisplayPlatform.h"

#include <cstdlib>

namespace kvarnel {

std::optional<std::string> chosenQtPlatform(const DisplayEnvironment& environment) {
    if (!environment.qtPlatform.empty() || environment.waylandDisplay.empty()) return std::nullopt;
    // Without this Qt may try Wayland first (XDG_SESSION_TYPE=wayland) or X only
    // (no session type), which fails where there is no X display.
    return environment.xDisplay.empty() ? "wayland" : "xcb";
}

DisplayEnvironment currentDisplayEnvironment() {
    const auto read = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    return {read("QT_QPA_PLATFORM"), read("WAYLAND_DISPLAY"), read("DISPLAY")};
}

}  // namespace kvarnel
