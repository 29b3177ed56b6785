// The hotspots by keyboard: where the ring goes, what Space and Enter press in
// each mode, and what ends a key's hold; and the mode the controls show.
#include <gtest/gtest.h>

#include <sstream>

#include "FlowRig.h"
#include "ui/flow/HotspotKeyboard.h"
#include "ui/flow/WindowMode.h"

namespace kvarnel::testing {
namespace {

enum class Start { Study, Registration, QuestionOpen, Finished };

// The window's side: the ring and hints as recorded, visibility from the fake view.
class FakeFocusView : public HotspotFocusView {
public:
    explicit FakeFocusView(const FakeFormView& view) : view_(view) {}
    void setFocusRing(const HotspotRow* hotspot) override {
        ring = hotspot ? std::string(hotspot->name) : "";
    }
    void showHint(const HotspotRow& hotspot) override { hints.emplace_back(hotspot.name); }
    bool hotspotVisible(const HotspotRow& hotspot) const override {
        return view_.shapeVisible(std::string(hotspot.name));
    }
    bool pointerHolds() const override { return holds; }

    std::string ring;
    std::vector<std::string> hints;
    bool holds = false;

private:
    const FakeFormView& view_;
};

struct Rig {
    explicit Rig(Start start) {
        if (start != Start::Study) flow.controller.SpeedButtonRezWoprosClick();
        if (start == Start::QuestionOpen || start == Start::Finished) {
            flow.view.setText(Control::Edit1Gruppa, kGroup);
            flow.view.setText(Control::Edit1Fio, kSurname);
            flow.controller.SpeedVvodClick();
        }
        if (start == Start::Finished) flow.answerRight(kNodeCount);
        // Opens a question, or grades the finished test.
        if (start == Start::QuestionOpen || start == Start::Finished) flow.controller.SpeedPuskClick();
    }
    FlowRig flow;
    FakeFocusView focus{flow.view};
    HotspotKeyboard keyboard{flow.view, flow.viewer, focus};
};

const std::pair<const char*, HotspotKey> kKeyNames[] = {
    {"Tab", HotspotKey::Tab},     {"BackTab", HotspotKey::BackTab}, {"Left", HotspotKey::Left},
    {"Right", HotspotKey::Right}, {"Up", HotspotKey::Up},           {"Down", HotspotKey::Down},
    {"Space", HotspotKey::Space}, {"Enter", HotspotKey::Enter},
};

// Runs a script of words: a key name presses it, "^" after it releases it, "*"
// marks an auto-repeat; "move" moves the pointer, "mouse" starts a pointer press,
// "hold" makes the pointer hold an element, "lost" takes the keyboard away,
// "TEST" clicks that button. Returns whether the last key was taken.
bool run(Rig& rig, const std::string& script) {
    std::istringstream words(script);
    bool taken = false;
    for (std::string word; words >> word;) {
        if (word == "move") rig.keyboard.pointerMoved();
        if (word == "mouse") rig.keyboard.pressStarting();
        if (word == "hold") rig.focus.holds = true;
        if (word == "lost") rig.keyboard.focusLost();
        if (word == "TEST") {
            rig.flow.controller.SpeedButtonRezWoprosClick();
            rig.keyboard.modeMayHaveChanged();
        }
        const bool repeat = word.back() == '*';
        if (repeat) word.pop_back();
        const bool release = word.back() == '^';
        if (release) word.pop_back();
        for (const auto& [name, key] : kKeyNames)
            if (word == name)
                taken =
                    release ? rig.keyboard.keyReleased(key, repeat) : rig.keyboard.keyPressed(key, repeat);
    }
    return taken;
}

struct Row {
    const char* name;
    Start start;
    const char* script;
    bool lastTaken;
    const char* ring;  // hotspot with the ring afterwards ("" none)
    NodeNumber held;   // node whose close-up is held afterwards (0 none)
    bool answered;     // the verdict is the one for the ring's node
};

const Row kRows[] = {
    {"TabStartsAtTheGroupsFirst", Start::Study, "Tab", true, "ShapeV1", 0, false},
    {"BackTabStartsAtTheGroupsLast", Start::Study, "BackTab", true, "ShapeV39_1", 0, false},
    {"TabGoesRoundTheEnd", Start::Study, "BackTab Tab", true, "ShapeV1", 0, false},
    {"TabFollowsTheGroupOrder", Start::Study, "Tab Tab Tab Tab", true, "ShapeV4", 0, false},
    {"RightToTheLevelNeighbour", Start::Study, "Tab Right", true, "ShapeV26", 0, false},
    {"LeftToTheNearestOnTheLeft", Start::Study, "Tab Left", true, "ShapeV23", 0, false},
    {"RightPrefersAheadToNearlyAbove", Start::Study, "Tab Tab Right", true, "ShapeV36", 0, false},
    {"DownToTheOnlyOneBelowFarAside", Start::Study, "BackTab Down", true, "ShapeV20", 0, false},
    {"NothingFurtherKeepsTheRing", Start::Study, "BackTab Down Down", true, "ShapeV20", 0, false},
    {"SpaceHoldsAnOverviewNodeWithItsRing", Start::Study, "Tab Space", true, "ShapeV1", 1, false},
    {"SpaceHoldsAFrontNodeWithoutRing", Start::Study, "Tab Tab Tab Tab Space", true, "", 4, false},
    {"RepeatsDoNotLetGo", Start::Study, "Tab Tab Tab Tab Space Space^* Space*", true, "", 4, false},
    {"OtherKeysWaitDuringTheHold", Start::Study, "Tab Tab Tab Tab Space Tab", true, "", 4, false},
    {"ReleaseBringsBackOverviewAndRing", Start::Study, "Tab Tab Tab Tab Space Space^", true, "ShapeV4", 0,
     false},
    {"SpaceWithoutRingIsNotTaken", Start::Study, "Space", false, "", 0, false},
    {"PointerMovementTakesTheRing", Start::Study, "Tab move Space", false, "", 0, false},
    {"TabAfterMovementGoesOn", Start::Study, "Tab move Tab", true, "ShapeV2", 0, false},
    {"EnterDoesNotHoldInStudy", Start::Study, "Tab Enter", false, "ShapeV1", 0, false},
    {"APointerPressLetsGoFirst", Start::Study, "Tab Tab Tab Tab Space mouse Space^", false, "ShapeV4", 0,
     false},
    {"LosingTheKeyboardLetsGo", Start::Study, "Tab Tab Tab Tab Space lost", true, "ShapeV4", 0, false},
    {"APointerHoldComesFirst", Start::Study, "Tab hold Space", true, "ShapeV1", 0, false},
    {"NoRingOnceTheModeLeavesStudy", Start::Study, "Tab TEST", true, "", 0, false},
    {"RegistrationKeepsItsTab", Start::Registration, "Tab", false, "", 0, false},
    {"EnterAnswers", Start::QuestionOpen, "Tab Tab Tab Enter Enter^", true, "ShapeV3", 0, true},
    {"SpaceAnswers", Start::QuestionOpen, "BackTab Space Space^", true, "ShapeV39_1", 0, true},
    {"NothingAfterTheGrade", Start::Finished, "Tab", false, "", 0, false},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.script; }

class Keys : public ::testing::TestWithParam<Row> {};

TEST_P(Keys, RingHoldAndAnswer) {
    const Row& row = GetParam();
    Rig rig(row.start);
    const NodeNumber asked = rig.flow.askedNode();
    EXPECT_EQ(run(rig, row.script), row.lastTaken);
    EXPECT_EQ(rig.focus.ring, row.ring);
    const FakeFormView& view = rig.flow.view;
    EXPECT_EQ(view.visiblePanels(), row.held ? std::set<NodeNumber>{row.held} : std::set<NodeNumber>{});
    EXPECT_EQ(view.pointerHidden(), row.held != 0);
    if (row.answered) {
        const NodeNumber answer = Catalogue::standard().hotspot(row.ring)->node;
        EXPECT_EQ(view.text(Control::LabelOtvet), answer == asked ? "CORRECT !" : "MISTAKE !");
        EXPECT_FALSE(view.timerRunning());
    } else if (row.start == Start::QuestionOpen) {
        EXPECT_TRUE(view.timerRunning());
    }
    // Every move of the ring shows its hotspot's hint as the pointer would.
    if (*row.ring) {
        EXPECT_EQ(rig.focus.hints.back(), row.ring);
    }
}

INSTANTIATE_TEST_SUITE_P(Script, Keys, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

TEST(WindowMode, ReadFromTheControlsInEveryMode) {
    const std::pair<Start, WindowMode> modes[] = {{Start::Study, WindowMode::Study},
                                                  {Start::Registration, WindowMode::Registration},
                                                  {Start::QuestionOpen, WindowMode::Test},
                                                  {Start::Finished, WindowMode::Finished}};
    for (const auto& [start, mode] : modes) EXPECT_EQ(windowMode(Rig(start).flow.view), mode);
}

}  // namespace
}  // namespace kvarnel::testing
