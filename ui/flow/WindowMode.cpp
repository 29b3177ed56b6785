#include "WindowMode.h"

namespace kvarnel {

WindowMode windowMode(const FormView& view) {
    // "Study mode" is enabled only once the test is graded; "TEST" is enabled
    // only in study mode and after the grade; registration and test both have
    // the two disabled and differ by the confirmation button.
    if (view.isEnabled(Control::SpeedButtonRezOznkom)) return WindowMode::Finished;
    if (view.isEnabled(Control::SpeedButtonRezWopros)) return WindowMode::Study;
    return view.isVisible(Control::SpeedVvod) ? WindowMode::Registration : WindowMode::Test;
}

const char* hotspotPressEffect(WindowMode mode) {
    switch (mode) {
    case WindowMode::Study:
        return "Press and hold to see the part outlined on a close-up with its description.";
    case WindowMode::Registration:
        return "Pressing does nothing while you register.";
    case WindowMode::Test:
        return "Press to answer the open question with this part.";
    case WindowMode::Finished:
        return "The test is over: pressing does nothing.";
    }
    return "";
}

}  // namespace kvarnel
