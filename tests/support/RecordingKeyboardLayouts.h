#pragma once
// Keyboard layouts that only note each switch, in order, into a list the test
// owns (the window takes ownership of its layouts, the list stays readable).
#include <string>
#include <string_view>
#include <vector>

#include "ui/flow/KeyboardLayouts.h"

namespace kvarnel::testing {

class RecordingKeyboardLayouts : public KeyboardLayouts {
public:
    explicit RecordingKeyboardLayouts(std::vector<std::string>& activated) : activated_(activated) {}
    void activate(std::string_view layoutId) override { activated_.emplace_back(layoutId); }

private:
    std::vector<std::string>& activated_;
};

}  // namespace kvarnel::testing
