#pragma once
// The window's modes (study, registration, test, finished test) and the click
// and timer handlers that move between them. Plain C++: it reaches the window
// through FormView and a few callbacks; errors (EInOutError from the journal)
// propagate to the caller, whose error guard reports them.
#include <functional>

#include "core/FormView.h"

namespace kvarnel {

class CloseUpViewer;
class DateTimeTexts;
class KeyboardLayouts;
class Random;
class TestEngine;

constexpr const char* kGroupMissingText = "You must enter your group number!";
constexpr const char* kSurnameMissingText = "You must enter your last name!";

// What the window does for the controller. Empty functions are skipped.
struct ModeCallbacks {
    std::function<void()> requestQuit;        // end the event loop after this event
    std::function<void()> applyHintSettings;  // the hint's lime background
};

class ModeController {
public:
    ModeController(FormView& view, TestEngine& engine, CloseUpViewer& viewer, KeyboardLayouts& layouts,
                   DateTimeTexts& clock, Random& random, ModeCallbacks callbacks);

    void FormCreate();                 // the window's creation: ends in study mode
    void SpeedButtonRezWoprosClick();  // "TEST": study mode -> registration
    void SpeedVvodClick();             // "ВВОД": registration -> awaiting a question
    void SpeedPuskClick();             // "QUESTION?"
    void Timer1Timer();                // one 300 ms tick
    void SpeedButtonRezOznkomClick();  // "Study mode": hidden for the whole run, does nothing
    void SpeedExitClick();             // writes the due journal line, then quits
    void WindowClosing();              // close box: writes the due journal line

private:
    void enterStudyMode();

    FormView& view_;
    TestEngine& engine_;
    CloseUpViewer& viewer_;
    KeyboardLayouts& layouts_;
    DateTimeTexts& clock_;
    Random& random_;
    ModeCallbacks callbacks_;
};

}  // namespace kvarnel
