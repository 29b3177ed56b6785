// The press-and-hold close-up: which picture, markers, panel, hotspots, hints and
// pointer a press shows in study mode, what the release restores, and that outside
// study mode a press leaves the picture alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "FlowRig.h"

namespace kvarnel::testing {
namespace {

std::set<std::string> allHotspots() {
    std::set<std::string> names;
    for (const HotspotRow& row : Catalogue::standard().hotspots()) names.emplace(row.name);
    return names;
}

std::set<std::string> markerNames(NodeNumber n) {
    std::set<std::string> names;
    for (const MarkerRow* row : Catalogue::standard().markersOf(n)) names.emplace(row->name);
    return names;
}

// The overview as after the window's creation (and after every release).
void expectOverview(const FakeFormView& view) {
    EXPECT_TRUE(view.isVisible(Control::Image1));
    EXPECT_FALSE(view.isVisible(Control::Image2));
    EXPECT_FALSE(view.isVisible(Control::Image3));
    EXPECT_EQ(view.visibleShapes(), allHotspots());  // every hotspot, no marker
    EXPECT_TRUE(view.visiblePanels().empty());
    EXPECT_FALSE(view.pointerHidden());
}

// The picture area is exactly as outside study mode: overview, hotspots, no details.
void expectPictureUntouched(const FakeFormView& view) {
    expectOverview(view);
    EXPECT_EQ(view.hintCount(), 0u);
}

// Position of `call` in the log at or after `from`; fails the test when missing.
std::size_t findCall(const std::vector<std::string>& calls, const std::string& call, std::size_t from = 0) {
    auto it = std::find(calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end(), call);
    EXPECT_NE(it, calls.end()) << "missing call: " << call;
    return static_cast<std::size_t>(it - calls.begin());
}

// The views of the nodes as the drawing has them.
const std::set<NodeNumber> kFrontNodes = {4,  5,  6,  7,  8,  11, 12, 13, 14, 16, 17,
                                          18, 23, 24, 25, 26, 30, 32, 33, 34, 35, 36};
const std::set<NodeNumber> kRearNodes = {9, 15, 21, 22, 27, 29, 31, 37, 38};
const std::set<NodeNumber> kOverviewNodes = {1, 2, 3, 10, 19, 20, 28, 39};

class EveryNode : public ::testing::TestWithParam<NodeNumber> {};

TEST_P(EveryNode, HoldShowsTheNodeAndReleaseRestoresTheOverview) {
    const NodeNumber n = GetParam();
    FlowRig rig;
    rig.viewer.HotspotMouseDown(n, MouseButton::Left);

    const bool front = kFrontNodes.count(n) > 0, rear = kRearNodes.count(n) > 0;
    ASSERT_TRUE(front || rear || kOverviewNodes.count(n)) << "node " << n << " has no view";
    EXPECT_EQ(rig.view.isVisible(Control::Image1), !front && !rear);
    EXPECT_EQ(rig.view.isVisible(Control::Image2), front);
    EXPECT_EQ(rig.view.isVisible(Control::Image3), rear);
    std::set<std::string> expectedShapes = markerNames(n);
    ASSERT_FALSE(expectedShapes.empty());
    if (!front && !rear) {
        const auto hotspots = allHotspots();
        expectedShapes.insert(hotspots.begin(), hotspots.end());
    }
    EXPECT_EQ(rig.view.visibleShapes(), expectedShapes);
    EXPECT_EQ(rig.view.visiblePanels(), std::set<NodeNumber>{n});
    EXPECT_TRUE(rig.view.pointerHidden());
    EXPECT_EQ(rig.view.hintCount(), 0u);
    EXPECT_FALSE(rig.view.isVisible(Control::StaticText1Mashtab));

    rig.viewer.HotspotMouseUp(MouseButton::Left);
    expectOverview(rig.view);
    EXPECT_EQ(rig.view.hintCount(), static_cast<std::size_t>(kHotspotCount));
}

INSTANTIATE_TEST_SUITE_P(Nodes, EveryNode, ::testing::Range(1, kNodeCount + 1));

TEST(CloseUpViewer, FrontNodeFourShowsTheFrontCloseUpAlone) {
    FlowRig rig;
    rig.viewer.HotspotMouseDown(4, MouseButton::Left);
    EXPECT_EQ(rig.view.visibleShapes(), std::set<std::string>{"ShapeM4"});
    EXPECT_EQ(rig.view.visiblePanels(), std::set<NodeNumber>{4});
    EXPECT_TRUE(rig.view.isVisible(Control::Image2));
    EXPECT_FALSE(rig.view.isVisible(Control::Image1));
}

TEST(CloseUpViewer, RearNodeNineShowsTheRearCloseUpWithBothMarkers) {
    FlowRig rig;
    rig.viewer.HotspotMouseDown(9, MouseButton::Left);
    EXPECT_EQ(rig.view.visibleShapes(), (std::set<std::string>{"ShapeM9", "ShapeM9_1"}));
    EXPECT_TRUE(rig.view.isVisible(Control::Image3));
    EXPECT_FALSE(rig.view.isVisible(Control::Image1));
}

TEST(CloseUpViewer, NodeTenShowsItsFiveMarkersInOrderOverTheOverview) {
    FlowRig rig;
    rig.view.clearCalls();
    rig.viewer.HotspotMouseDown(10, MouseButton::Left);
    std::size_t at = 0;
    for (const char* marker : {"ShapeM10", "ShapeM10_1", "ShapeM10_2", "ShapeM10_3", "ShapeM10_4"}) {
        at = findCall(rig.view.calls, std::string("setShapeVisible ") + marker + " 1", at);
        EXPECT_TRUE(rig.view.shapeVisible(marker));
    }
    findCall(rig.view.calls, "setPanelVisible 10 1", at);  // the panel after the markers
    EXPECT_TRUE(rig.view.isVisible(Control::Image1));
    EXPECT_TRUE(rig.view.shapeVisible("ShapeV10_3"));
    EXPECT_EQ(rig.view.visibleShapes().size(), static_cast<std::size_t>(kHotspotCount + 5));
}

TEST(CloseUpViewer, NodesSixAndSevenShareTheirMarkersButNotTheirPanels) {
    for (NodeNumber n : {6, 7}) {
        FlowRig rig;
        rig.viewer.HotspotMouseDown(n, MouseButton::Left);
        EXPECT_EQ(rig.view.visibleShapes(), (std::set<std::string>{"ShapeM7", "ShapeM7_1"})) << n;
        EXPECT_EQ(rig.view.visiblePanels(), std::set<NodeNumber>{n});
        EXPECT_TRUE(rig.view.isVisible(Control::Image2));
    }
}

// The release brings back the whole overview, not only what the press changed:
// whatever pictures, panels and markers are shown go.
TEST(CloseUpViewer, ReleaseRestoresTheOverviewWhateverWasShown) {
    FlowRig rig;
    rig.view.setEnabled(Control::SpeedPusk, false);
    rig.viewer.HotspotMouseDown(4, MouseButton::Left);
    EXPECT_TRUE(rig.view.isEnabled(Control::SpeedPusk));
    rig.view.setVisible(Control::Image3, true);
    for (NodeNumber n = 1; n <= kNodeCount; ++n) rig.view.setPanelVisible(n, true);
    for (const MarkerRow& marker : Catalogue::standard().markers())
        rig.view.setShapeVisible(marker.name, true);
    rig.viewer.HotspotMouseUp(MouseButton::Left);
    expectOverview(rig.view);
    EXPECT_EQ(rig.view.hintCount(), static_cast<std::size_t>(kHotspotCount));
}

TEST(CloseUpViewer, RightAndMiddlePressesDoNothingAndTheirReleaseChangesNothingVisible) {
    for (MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
        FlowRig rig;
        rig.view.setEnabled(Control::SpeedPusk, false);
        rig.view.clearCalls();
        rig.viewer.HotspotMouseDown(4, button);
        EXPECT_TRUE(rig.view.calls.empty());
        rig.viewer.HotspotMouseUp(button);
        expectOverview(rig.view);
        EXPECT_EQ(rig.view.hintCount(), static_cast<std::size_t>(kHotspotCount));
        EXPECT_TRUE(rig.view.isVisible(Control::StaticText1Mashtab));
        EXPECT_FALSE(rig.view.isEnabled(Control::SpeedPusk));
    }
}

TEST(CloseUpViewer, ReleaseOfAnyButtonEndsAHeldCloseUp) {
    FlowRig rig;
    rig.viewer.HotspotMouseDown(4, MouseButton::Left);
    rig.viewer.HotspotMouseDown(4, MouseButton::Right);  // ignored
    EXPECT_TRUE(rig.view.isVisible(Control::Image2));
    rig.viewer.HotspotMouseUp(MouseButton::Right);
    expectOverview(rig.view);
}

TEST(CloseUpViewer, DoubleClickIsTwoPressesEachWithItsRelease) {
    FlowRig rig;
    for (int i = 0; i < 2; ++i) {
        rig.viewer.HotspotMouseDown(22, MouseButton::Left);
        EXPECT_TRUE(rig.view.isVisible(Control::Image3)) << "press " << i;
        EXPECT_TRUE(rig.view.pointerHidden());
        rig.viewer.HotspotMouseUp(MouseButton::Left);
        expectOverview(rig.view);
    }
}

TEST(CloseUpViewer, SecondPressOfADoubleClickNoLongerCountsInATest) {
    FlowRig rig;
    rig.registerAs();
    rig.controller.SpeedPuskClick();
    const NodeNumber asked = rig.askedNode();
    rig.click(asked);
    rig.click(asked);
    EXPECT_EQ(rig.view.text(Control::LabelOtvet), "CORRECT !");
    EXPECT_EQ(rig.engine.state().CorrectCount, 1);
    rig.click(FlowRig::otherNode(asked));  // a later wrong press changes nothing either
    EXPECT_EQ(rig.view.text(Control::LabelOtvet), "CORRECT !");
    EXPECT_EQ(rig.view.fontColour(Control::LabelOtvet), clGreen);
}

TEST(CloseUpViewer, TheModeIsReadAgainAtTheRelease) {
    FlowRig rig;
    rig.viewer.HotspotMouseDown(4, MouseButton::Left);
    rig.view.setEnabled(Control::SpeedButtonRezWopros, false);  // no longer study mode
    rig.view.clearCalls();
    rig.viewer.HotspotMouseUp(MouseButton::Left);
    EXPECT_TRUE(rig.view.calls.empty());
    EXPECT_TRUE(rig.view.isVisible(Control::Image2));
}

TEST(CloseUpViewer, AnyLeftPressEnablesTheQuestionButtonInStudyMode) {
    FlowRig rig;
    rig.view.setEnabled(Control::SpeedPusk, false);
    rig.viewer.HotspotMouseDown(28, MouseButton::Left);
    EXPECT_TRUE(rig.view.isEnabled(Control::SpeedPusk));
    EXPECT_FALSE(rig.view.isVisible(Control::SpeedPusk));  // hidden in study mode
}

TEST(CloseUpViewer, FirstPressHidesTheInstructionTextForGood) {
    FlowRig rig;
    EXPECT_TRUE(rig.view.isVisible(Control::StaticText1Mashtab));
    rig.view.clearCalls();
    rig.click(1);
    EXPECT_FALSE(rig.view.isVisible(Control::StaticText1Mashtab));
    rig.click(4, MouseButton::Right);
    rig.click(9);
    rig.registerAs();
    rig.answerRight(kNodeCount);
    rig.controller.SpeedPuskClick();
    rig.click(4);
    EXPECT_FALSE(rig.view.isVisible(Control::StaticText1Mashtab));
    EXPECT_EQ(std::count(rig.view.calls.begin(), rig.view.calls.end(), "setVisible StaticText1Mashtab 1"), 0);
}

// Outside study mode a press answers (or not) and never touches the picture.
struct ModeCase {
    const char* name;
    void (*reach)(FlowRig&);
};
class OutsideStudyMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(OutsideStudyMode, PressLeavesThePictureAloneAndHintsStayOff) {
    for (NodeNumber n : {4, 9, 10}) {  // front, rear, overview
        FlowRig rig;
        GetParam().reach(rig);
        rig.view.setEnabled(Control::SpeedPusk, false);
        rig.viewer.HotspotMouseDown(n, MouseButton::Left);
        expectPictureUntouched(rig.view);
        EXPECT_TRUE(rig.view.isEnabled(Control::SpeedPusk));
        EXPECT_FALSE(rig.view.isVisible(Control::StaticText1Mashtab));
        EXPECT_FALSE(rig.engine.state().AnswerPending);
        rig.view.clearCalls();
        rig.viewer.HotspotMouseUp(MouseButton::Left);
        EXPECT_TRUE(rig.view.calls.empty()) << "the release does nothing";
        EXPECT_EQ(rig.view.hintCount(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, OutsideStudyMode,
    ::testing::Values(ModeCase{"Registration", [](FlowRig& r) { r.controller.SpeedButtonRezWoprosClick(); }},
                      ModeCase{"AwaitingQuestion", [](FlowRig& r) { r.registerAs(); }},
                      ModeCase{"QuestionOpen",
                               [](FlowRig& r) {
                                   r.registerAs();
                                   r.controller.SpeedPuskClick();
                               }},
                      ModeCase{"TestFinished",
                               [](FlowRig& r) {
                                   r.registerAs();
                                   r.answerRight(kNodeCount);
                                   r.controller.SpeedPuskClick();
                               }}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvarnel::testing
