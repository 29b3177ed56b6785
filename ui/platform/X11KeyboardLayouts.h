#pragma once
// On X11 the layouts are XKB groups: switching locks the group whose name is
// "Russian" or "English (US)" when the user has such a group configured.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/flow/KeyboardLayouts.h"

namespace kvarnel {

class X11KeyboardLayouts : public KeyboardLayouts {
public:
    // displayName empty: the DISPLAY of the environment.
    explicit X11KeyboardLayouts(std::string displayName = {});
    void activate(std::string_view layoutId) override;

    // The XKB group name that stands for a layout id ("" for an unknown id).
    static std::string_view groupNameFor(std::string_view layoutId);
    // Index of the group called `name` among `groupNames`, if any.
    static std::optional<int> findGroup(const std::vector<std::string>& groupNames, std::string_view name);

private:
    std::string displayName_;
};

}  // namespace kvarnel
