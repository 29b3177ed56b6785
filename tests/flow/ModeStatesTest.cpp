// Every control's state in every mode and test sub-state, as tables: one row per
// control, one column per state.
#include <gtest/gtest.h>

#include <optional>

#include "FlowRig.h"

namespace kvarnel::testing {
namespace {

// Columns of the tables below.
enum State { Study, Registration, Awaiting, Open, Answered, TimedOut, AnsweredLate, Finished, kStates };
const char* const kStateNames[kStates] = {
    "StudyMode", "Registration", "AwaitingQuestion",     "QuestionOpen",
    "Answered",  "TimedOut",     "AnsweredAfterTimeout", "TestFinished"};

void reach(FlowRig& rig, State state) {
    if (state == Study) return;
    if (state == Registration) {
        rig.controller.SpeedButtonRezWoprosClick();
        return;
    }
    rig.registerAs();
    if (state == Awaiting) return;
    if (state == Finished) {
        rig.answerRight(kNodeCount);
        rig.controller.SpeedPuskClick();
        return;
    }
    rig.controller.SpeedPuskClick();
    if (state == Answered) rig.click(rig.askedNode());
    if (state == TimedOut || state == AnsweredLate) rig.ticks(kTicksPerQuestion);
    if (state == AnsweredLate) rig.click(rig.askedNode());
}

// Visibility and enabled state per column: '1' yes, '0' no, '-' not looked at.
struct ControlRow {
    Control control;
    const char* visible;
    const char* enabled;
};
const ControlRow kControlRows[] = {
    //                                     S R A O N T L F      S R A O N T L F
    {Control::SpeedButtonRezWopros, "11111110", "10000001"},
    {Control::SpeedButtonRezOznkom, "00000000", "00000001"},
    {Control::SpeedPusk, "00111110", "--10111-"},
    {Control::SpeedExit, "11111111", "11111111"},
    {Control::SpeedVvod, "01000000", "--------"},
    {Control::Edit1Gruppa, "01000000", "--------"},
    {Control::Edit1Fio, "01000000", "--------"},
    {Control::LabelGruppa, "01000000", "--------"},
    {Control::LabelFio, "01000000", "--------"},
    {Control::LabelPanelFio, "01000000", "--------"},
    {Control::LabelRegObutch, "10000000", "--------"},
    {Control::LabelRegTest, "01111111", "--------"},
    {Control::LabelWopros, "01111111", "--------"},
    {Control::LabelOtvet, "01111110", "--------"},
    {Control::Label_Ostalos, "11111111", "--------"},
    {Control::ProgressBar1, "00010000", "--------"},
    {Control::LabelStat1, "00000001", "--------"},
    {Control::LabelStat2, "00000001", "--------"},
    {Control::StaticText1Mashtab, "10000000", "--------"},
    {Control::Image1, "11111111", "--------"},
    {Control::Image2, "00000000", "--------"},
    {Control::Image3, "00000000", "--------"},
};

constexpr const char* kQuestion = "<the drawn question>";
const std::string kTimeout = "Time allowed for the answer is over!";

struct TextRow {
    Control control;
    std::array<std::optional<std::string>, kStates> text;  // nullopt: not looked at
};
const TextRow kTextRows[] = {
    {Control::LabelWopros, {"", "", "", kQuestion, kQuestion, kTimeout, kTimeout, "No more questions"}},
    {Control::LabelOtvet, {"", "", "", "", "CORRECT !", "", "MISTAKE !", ""}},
    {Control::Label_Ostalos, {"", "39", "39", "38", "38", "38", "38", "0"}},
    {Control::LabelStat2,
     {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
      "excellent"}},
};

struct ColourRow {
    Control control;
    std::array<std::optional<ColourNumber>, kStates> colour;
};
const std::nullopt_t kAny = std::nullopt;  // not looked at
const ColourRow kColourRows[] = {
    {Control::LabelWopros, {kAny, kAny, kAny, clBlack, clBlack, clRed, clRed, clBlack}},
    {Control::LabelOtvet, {kAny, kAny, kAny, kAny, clGreen, kAny, clRed, kAny}},
    {Control::LabelStat2, {kAny, kAny, kAny, kAny, kAny, kAny, kAny, clRed}},
};

// Timer1 running, the hotspot hints on, and the keyboard layout switched last.
struct OtherRow {
    bool timerRunning;
    bool hintsOn;
    const char* layout;  // nullptr: never switched
};
const OtherRow kOtherRows[kStates] = {
    {false, true, nullptr},     {false, false, "00000419"}, {false, false, "00000409"},
    {true, false, "00000409"},  {false, false, "00000409"}, {false, false, "00000409"},
    {false, false, "00000409"}, {false, false, "00000409"},
};

class EveryState : public ::testing::TestWithParam<int> {};

TEST_P(EveryState, ControlsAreAsTheStateTablesSay) {
    const State state = static_cast<State>(GetParam());
    FlowRig rig;
    reach(rig, state);
    const FakeFormView& view = rig.view;

    for (const ControlRow& row : kControlRows) {
        const std::string name = kvarnel::controlName(row.control);
        if (row.visible[state] != '-') {
            EXPECT_EQ(view.isVisible(row.control), row.visible[state] == '1') << name << " visible";
        }
        if (row.enabled[state] != '-') {
            EXPECT_EQ(view.isEnabled(row.control), row.enabled[state] == '1') << name << " enabled";
        }
    }
    for (const TextRow& row : kTextRows) {
        if (!row.text[state]) continue;
        std::string expected = *row.text[state];
        if (expected == kQuestion) {
            ASSERT_GE(rig.engine.state().CurrentQuestion, 1);
            expected =
                rig.engine.state().Questions[static_cast<std::size_t>(rig.engine.state().CurrentQuestion)];
        }
        EXPECT_EQ(view.text(row.control), expected) << controlName(row.control) << " text";
    }
    for (const ColourRow& row : kColourRows) {
        if (row.colour[state]) {
            EXPECT_EQ(view.fontColour(row.control), *row.colour[state])
                << controlName(row.control) << " colour";
        }
    }

    const OtherRow& other = kOtherRows[state];
    EXPECT_EQ(view.timerRunning(), other.timerRunning);
    if (other.timerRunning) {
        EXPECT_EQ(view.progress(), 0);
    }
    EXPECT_EQ(view.hintCount(), other.hintsOn ? static_cast<std::size_t>(kHotspotCount) : 0u);
    if (other.layout) {
        ASSERT_FALSE(rig.activatedLayouts.empty());
        EXPECT_EQ(rig.activatedLayouts.back(), other.layout);
    } else {
        EXPECT_TRUE(rig.activatedLayouts.empty());
    }

    // All hotspots stay visible, no marker, panel or hidden pointer outside a hold.
    EXPECT_EQ(view.visibleShapes().size(), static_cast<std::size_t>(kHotspotCount));
    for (const HotspotRow& hotspot : Catalogue::standard().hotspots())
        EXPECT_TRUE(view.shapeVisible(std::string(hotspot.name))) << hotspot.name;
    EXPECT_TRUE(view.visiblePanels().empty());
    EXPECT_FALSE(view.pointerHidden());
    // The mode the close-up viewer reads.
    EXPECT_EQ(rig.viewer.inStudyMode(), state == Study);
}

INSTANTIATE_TEST_SUITE_P(States, EveryState, ::testing::Range(0, static_cast<int>(kStates)),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(kStateNames[info.param]);
                         });

TEST(ModeController, FormCreateAppliesTheHintSettingsOnce) {
    FlowRig rig;
    EXPECT_EQ(rig.hintSettingsApplied, 1);
    EXPECT_EQ(rig.view.text(Control::StaticText1Mashtab),
              "When you hover the cursor over the green tags, you can zoom in the picture and get "
              "a brief information about the node by pressing and holding the left mouse button.");
    EXPECT_EQ(rig.engine.state().RemainingCount, kNodeCount);
    EXPECT_TRUE(rig.engine.state().AnswerPending);
    EXPECT_FALSE(rig.engine.state().QuestionActive);
}

TEST(ModeController, TestMovesTheFocusIntoTheGroupBox) {
    FlowRig rig;
    rig.controller.SpeedButtonRezWoprosClick();
    EXPECT_EQ(rig.view.focus(), Control::Edit1Gruppa);
}

TEST(ModeController, QuestionButtonComesBackOnlyWithTheAnswerOrTheTimeout) {
    FlowRig rig;
    rig.registerAs();
    rig.controller.SpeedPuskClick();
    rig.ticks(kTicksPerQuestion - 1);
    EXPECT_FALSE(rig.view.isEnabled(Control::SpeedPusk));
    EXPECT_TRUE(rig.view.timerRunning());
    EXPECT_EQ(rig.view.progress(), kTicksPerQuestion - 1);
    rig.click(rig.askedNode());
    EXPECT_TRUE(rig.view.isEnabled(Control::SpeedPusk));
    EXPECT_FALSE(rig.view.timerRunning());
}

TEST(ModeController, StudyModeButtonClickChangesNothingInAnyState) {
    for (int s = 0; s < kStates; ++s) {
        FlowRig rig;
        reach(rig, static_cast<State>(s));
        const int correct = rig.engine.state().CorrectCount;
        rig.view.clearCalls();
        rig.controller.SpeedButtonRezOznkomClick();
        EXPECT_TRUE(rig.view.calls.empty()) << kStateNames[s];
        EXPECT_EQ(rig.engine.state().CorrectCount, correct);
    }
}

}  // namespace
}  // namespace kvarnel::testing
