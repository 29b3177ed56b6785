#include "ModeController.h"

#include <string>

#include "CloseUpViewer.h"
#include "KeyboardLayouts.h"
#include "core/Random.h"
#include "core/ResultRecord.h"
#include "core/TestEngine.h"

namespace kvarnel {

namespace {
void call(const std::function<void()>& f) {
    if (f) f();
}
}  // namespace

ModeController::ModeController(FormView& view, TestEngine& engine, CloseUpViewer& viewer,
                               KeyboardLayouts& layouts, DateTimeTexts& clock, Random& random,
                               ModeCallbacks callbacks)
    : view_(view),
      engine_(engine),
      viewer_(viewer),
      layouts_(layouts),
      clock_(clock),
      random_(random),
      callbacks_(std::move(callbacks)) {}

void ModeController::FormCreate() {
    // Three seedings in a row; the last one is in force.
    random_.seedFromClock();
    random_.seedFromClock();
    random_.seedFromClock();

    view_.setEnabled(Control::SpeedButtonRezOznkom, true);
    view_.setEnabled(Control::SpeedButtonRezWopros, true);
    view_.setVisible(Control::Image1, true);
    view_.setText(Control::StaticText1Mashtab, kInstructionText);

    engine_.InitTest();
    call(callbacks_.applyHintSettings);

    view_.setVisible(Control::SpeedPusk, false);
    engine_.SetAnswerPending();
    engine_.ResetCorrectCount();

    viewer_.ShowHotspots();
    viewer_.ShowHotspotHints();
    // No step turns double buffering on here: Qt composes every repaint of the
    // window in its off-screen backing store and shows it in one step anyway.

    enterStudyMode();
}

void ModeController::enterStudyMode() {
    view_.setEnabled(Control::SpeedButtonRezOznkom, false);
    view_.setEnabled(Control::SpeedButtonRezWopros, true);
    view_.setVisible(Control::SpeedPusk, false);
    view_.setVisible(Control::LabelWopros, false);
    view_.setVisible(Control::LabelOtvet, false);
    view_.setVisible(Control::LabelRegObutch, true);
    view_.setVisible(Control::LabelRegTest, false);
    view_.setText(Control::LabelWopros, "");
    view_.setText(Control::LabelOtvet, "");
    view_.setVisible(Control::LabelStat1, false);
    view_.setVisible(Control::LabelStat2, false);
    engine_.ResetCorrectCount();
}

void ModeController::SpeedButtonRezWoprosClick() {
    view_.setText(Control::Label_Ostalos, std::to_string(engine_.state().RemainingCount));
    view_.setVisible(Control::StaticText1Mashtab, false);
    view_.setVisible(Control::SpeedVvod, true);
    view_.setVisible(Control::Edit1Fio, true);
    view_.setVisible(Control::Edit1Gruppa, true);
    view_.setFocus(Control::Edit1Gruppa);
    view_.setVisible(Control::LabelFio, true);
    view_.setVisible(Control::LabelGruppa, true);
    view_.setVisible(Control::LabelPanelFio, true);
    view_.setEnabled(Control::SpeedButtonRezWopros, false);
    view_.setEnabled(Control::SpeedButtonRezOznkom, false);
    viewer_.HideHotspotHints();
    view_.setVisible(Control::LabelWopros, true);
    view_.setVisible(Control::LabelOtvet, true);
    view_.setVisible(Control::LabelRegObutch, false);
    view_.setVisible(Control::LabelRegTest, true);
    view_.setText(Control::LabelOtvet, "");
    view_.setText(Control::LabelWopros, "");
    view_.setVisible(Control::LabelStat1, false);
    view_.setVisible(Control::LabelStat2, false);
    engine_.ResetCorrectCount();
    layouts_.activate(kRussianLayout);
}

void ModeController::SpeedVvodClick() {
    // Only the length counts: a text of blanks is accepted, nothing is trimmed.
    const std::string group = view_.text(Control::Edit1Gruppa);
    if (group.empty()) {
        view_.showRegistrationMessage(kGroupMissingText);
        return;
    }
    const std::string surname = view_.text(Control::Edit1Fio);
    if (surname.empty()) {
        view_.showRegistrationMessage(kSurnameMissingText);
        return;
    }
    layouts_.activate(kEnglishUsLayout);
    view_.setVisible(Control::SpeedPusk, true);
    view_.setVisible(Control::SpeedVvod, false);
    view_.setVisible(Control::Edit1Fio, false);
    view_.setVisible(Control::Edit1Gruppa, false);
    view_.setVisible(Control::LabelFio, false);
    view_.setVisible(Control::LabelGruppa, false);
    view_.setVisible(Control::LabelPanelFio, false);
    engine_.Register(clock_, group, surname);
}

void ModeController::SpeedPuskClick() { engine_.DrawQuestion(); }

void ModeController::Timer1Timer() { engine_.Tick(); }

// The "Study mode" button is hidden from the window's creation on and never
// shown, so no click reaches it; a run has no way back to study mode.
void ModeController::SpeedButtonRezOznkomClick() {}

void ModeController::SpeedExitClick() {
    engine_.WriteDueLineAtExit();  // throws when the journal cannot be written: no quit then
    call(callbacks_.requestQuit);
}

// The window closes whatever happens here; the caller reports a failed write.
void ModeController::WindowClosing() { engine_.WriteDueLineAtExit(); }

}  // namespace kvarnel
