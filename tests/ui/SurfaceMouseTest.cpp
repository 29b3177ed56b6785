// The drawing surface as the mouse meets it: hit testing, capture, clicks and
// pointer shapes.
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

#include "SurfaceFixture.h"

namespace kvarnel {
namespace {

using namespace kvarnel::testing;

struct ClickCase {
    const char* what;
    QPoint press;
    QPoint release;
    Qt::MouseButton button;
    bool enabled;
    bool clicked;
};

class ButtonClickTest : public SurfaceTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ButtonClickTest, ClickIsALeftPressAndReleaseOverTheSameEnabledButton) {
    const ClickCase& c = GetParam();
    const int b = surface->addElement(button("SpeedExit", QRect(888, 672, 74, 33), "EXIT"));
    surface->setElementEnabled(b, c.enabled);
    show();
    QSignalSpy clicks(surface.get(), &Surface::buttonClicked);
    QTest::mousePress(window(), c.button, {}, c.press);
    QTest::mouseMove(window(), c.release);
    QTest::mouseRelease(window(), c.button, {}, c.release);
    ASSERT_EQ(clicks.count(), c.clicked ? 1 : 0) << c.what;
    if (c.clicked) {
        EXPECT_EQ(clicks.at(0).at(0).toInt(), b);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonClickTest,
    ::testing::Values(
        ClickCase{"press and release inside", {900, 680}, {950, 700}, Qt::LeftButton, true, true},
        ClickCase{"released outside", {900, 680}, {880, 680}, Qt::LeftButton, true, false},
        ClickCase{"pressed outside", {880, 680}, {900, 680}, Qt::LeftButton, true, false},
        ClickCase{"right button", {900, 680}, {900, 680}, Qt::RightButton, true, false},
        ClickCase{"disabled", {900, 680}, {900, 680}, Qt::LeftButton, false, false}));

TEST_F(SurfaceTest, HitTestingPassesOverHiddenAndDisabledElements) {
    const int h = surface->addElement(hotspot("ShapeV1", 100, 100));
    const int b = surface->addElement(button("SpeedPusk", QRect(95, 95, 30, 30), "Q"));
    const int m = surface->addElement(marker("ShapeM1", QRect(90, 90, 60, 60), clRed));
    const int l = surface->addElement(label("LabelGruppa", QRect(300, 300, 50, 20), "Group", false));
    const int h2 = surface->addElement(hotspot("ShapeV2", 310, 305));
    surface->setElementEnabled(b, false);
    surface->setElementVisible(m, false);
    const struct {
        QPoint point;
        int expected;
    } cases[] = {{{107, 107}, h}, {{100, 100}, h}, {{114, 114}, h},  {{115, 115}, -1},
                 {{96, 96}, -1},  {{305, 302}, l}, {{315, 310}, h2}, {{600, 600}, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(surface->elementAt(c.point), c.expected) << c.point.x() << "," << c.point.y();
    surface->setElementEnabled(b, true);
    EXPECT_EQ(surface->elementAt({107, 107}), b);
    surface->setElementVisible(m, true);
    EXPECT_EQ(surface->elementAt({107, 107}), m);
}

TEST_F(SurfaceTest, AClickOnADisabledButtonReachesWhatLiesBeneath) {
    const int h = surface->addElement(hotspot("ShapeV1", 100, 100));
    const int b = surface->addElement(button("SpeedButtonRezWopros", QRect(95, 95, 30, 30), "T"));
    surface->setElementEnabled(b, false);
    show();
    QSignalSpy presses(surface.get(), &Surface::elementPressed);
    QSignalSpy releases(surface.get(), &Surface::elementReleased);
    QSignalSpy clicks(surface.get(), &Surface::buttonClicked);
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(107, 107));
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.at(0).at(0).toInt(), h);
    ASSERT_EQ(releases.count(), 1);
    EXPECT_EQ(releases.at(0).at(0).toInt(), h);
    EXPECT_EQ(clicks.count(), 0);
    // On the button's own area nothing lies beneath: the window ignores it.
    presses.clear();
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(96, 96));
    EXPECT_EQ(presses.count(), 0);
}

TEST_F(SurfaceTest, AnElementHidingInItsPressHandlerStillGetsItsRelease) {
    const int h = surface->addElement(hotspot("ShapeV3", 100, 100));
    surface->addElement(hotspot("ShapeV4", 400, 400));
    show();
    QObject::connect(surface.get(), &Surface::elementPressed,
                     [&](int index, Qt::MouseButton) { surface->setElementVisible(index, false); });
    QSignalSpy releases(surface.get(), &Surface::elementReleased);
    for (QPoint releaseAt : {QPoint(107, 107), QPoint(407, 407), QPoint(1500, 900)}) {
        surface->setElementVisible(h, true);
        releases.clear();
        QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(107, 107));
        EXPECT_EQ(surface->captureElement(), h);
        EXPECT_FALSE(surface->element(h).visible);
        QTest::mouseMove(window(), releaseAt);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, releaseAt);
        ASSERT_EQ(releases.count(), 1) << releaseAt.x();
        EXPECT_EQ(releases.at(0).at(0).toInt(), h) << releaseAt.x();
        EXPECT_EQ(releases.at(0).at(1).value<Qt::MouseButton>(), Qt::LeftButton);
        EXPECT_EQ(surface->captureElement(), -1);
    }
}

TEST_F(SurfaceTest, AfterReleaseCaptureTheReleaseGoesToWhatIsUnderThePointer) {
    surface->addElement(hotspot("ShapeV3", 100, 100));
    const int other = surface->addElement(hotspot("ShapeV4", 400, 400));
    show();
    QObject::connect(surface.get(), &Surface::elementPressed,
                     [&](int, Qt::MouseButton) { surface->releaseCapture(); });
    QSignalSpy releases(surface.get(), &Surface::elementReleased);
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(107, 107));
    EXPECT_EQ(surface->captureElement(), -1);
    QTest::mouseMove(window(), QPoint(407, 407));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(407, 407));
    ASSERT_EQ(releases.count(), 1);
    EXPECT_EQ(releases.at(0).at(0).toInt(), other);
}

TEST_F(SurfaceTest, ADoubleClickCountsAsAPress) {
    const int h = surface->addElement(hotspot("ShapeV5", 100, 100));
    show();
    QSignalSpy presses(surface.get(), &Surface::elementPressed);
    QSignalSpy releases(surface.get(), &Surface::elementReleased);
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(107, 107));
    ASSERT_EQ(presses.count(), 2);
    EXPECT_EQ(presses.at(1).at(0).toInt(), h);
    EXPECT_EQ(releases.count(), 2);
}

TEST_F(SurfaceTest, PointerIsAHandOverVisibleHotspotsAndAnArrowElsewhere) {
    const int h = surface->addElement(hotspot("ShapeV6", 100, 100));
    surface->addElement(label("LabelRegObutch", QRect(300, 300, 90, 20), "Study mode", false));
    show();
    QSignalSpy moves(surface.get(), &Surface::pointerMoved);
    QTest::mouseMove(window(), QPoint(101, 101));  // a corner of the box counts
    EXPECT_EQ(surface->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(window(), QPoint(310, 310));
    EXPECT_EQ(surface->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(window(), QPoint(107, 107));
    EXPECT_EQ(surface->cursor().shape(), Qt::PointingHandCursor);
    // The pointer rests while the hotspot hides and shows again.
    surface->setElementVisible(h, false);
    EXPECT_EQ(surface->cursor().shape(), Qt::ArrowCursor);
    surface->setElementVisible(h, true);
    EXPECT_EQ(surface->cursor().shape(), Qt::PointingHandCursor);
    std::vector<int> seen;
    for (const auto& call : moves) seen.push_back(call.at(0).toInt());
    EXPECT_EQ(seen, (std::vector<int>{h, 1, h}));
}

}  // namespace
}  // namespace kvarnel
