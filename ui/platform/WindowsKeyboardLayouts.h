#pragma once
// On Windows the layouts are the system's own: the id is loaded and made the
// active layout of the calling (user-interface) thread.
#include "ui/flow/KeyboardLayouts.h"

namespace kvarnel {

class WindowsKeyboardLayouts : public KeyboardLayouts {
public:
    void activate(std::string_view layoutId) override;
};

}  // namespace kvarnel
