#pragma once
// The window's mode as its controls show it (there is no mode variable): the
// enabled states of "Study mode" and "TEST", and during registration the
// visible "ВВОД". Plain C++.
#include "core/FormView.h"

namespace kvarnel {

enum class WindowMode { Study, Registration, Test, Finished };

WindowMode windowMode(const FormView& view);

// What a press on a hotspot does in the mode, in words for assistive technologies.
const char* hotspotPressEffect(WindowMode mode);

}  // namespace kvarnel
