// The hint sequence: when a hotspot's hint appears and goes, on a clock the test
// moves by hand, and once on Qt's own timers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "tests/support/ManualClock.h"
#include "ui/flow/HintController.h"

namespace kvarnel::testing {
namespace {

constexpr int kDelay = 150;
constexpr int kDisplay = 400;
const QString kTextA = QStringLiteral("Rotor ");
const QString kTextB = QStringLiteral("Support bearing");
const QPoint kAt(500, 300);

class Hints : public ::testing::Test {
protected:
    ManualClock clock;
    HintController hints{clock.timers(), kDelay, kDisplay};
    QSignalSpy shown{&hints, &HintController::showHint};
    QSignalSpy hidden{&hints, &HintController::hideHint};

    void moveOnA(QPoint p = kAt) { hints.pointerMoved(3, p, true, kTextA); }
    void moveOnB(QPoint p = kAt + QPoint(40, 0)) { hints.pointerMoved(7, p, true, kTextB); }
    void moveOffHotspots() { hints.pointerMoved(-1, kAt + QPoint(0, 80), false, QString()); }
    // Rest on hotspot A until its hint shows.
    void showA() {
        moveOnA();
        clock.advance(kDelay);
        ASSERT_EQ(shown.count(), 1);
        ASSERT_EQ(hints.state(), HintController::State::Showing);
    }
    // Nothing arrives within `ms` (longer than the delay).
    void expectQuietFor(int ms) {
        const auto before = shown.count(), hiddenBefore = hidden.count();
        clock.advance(ms);
        EXPECT_EQ(shown.count(), before);
        EXPECT_EQ(hidden.count(), hiddenBefore);
    }
    // Nothing happens until the last millisecond of `ms`; then `spy` gets one more signal.
    void expectAfterExactly(QSignalSpy& spy, int ms) {
        const auto before = spy.count();
        clock.advance(ms - 1);
        EXPECT_EQ(spy.count(), before) << "early";
        clock.advance(1);
        EXPECT_EQ(spy.count(), before + 1) << "not on time";
    }
};

TEST_F(Hints, Rule1ShownAfterThePointerHasRestedForTheDelay) {
    moveOnA();
    EXPECT_EQ(shown.count(), 0);
    EXPECT_EQ(hints.state(), HintController::State::Waiting);
    expectAfterExactly(shown, kDelay);
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toString(), kTextA);  // the whole text, trailing blank kept
    EXPECT_EQ(shown.at(0).at(1).toPoint(), kAt);
}

TEST_F(Hints, Rule1EveryMovementBeforeTheHintRestartsTheWait) {
    for (int i = 0; i < 12; ++i) {  // 12 x 20 ms, longer than the delay in all
        moveOnA(kAt + QPoint(i, 0));
        clock.advance(20);
    }
    EXPECT_EQ(shown.count(), 0);
    moveOnA(kAt + QPoint(20, 1));
    expectAfterExactly(shown, kDelay);
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(1).toPoint(), kAt + QPoint(20, 1));  // where it came to rest
}

TEST_F(Hints, Rule2MovesInsideTheHotspotChangeNothing) {
    showA();
    for (int i = 0; i < 5; ++i) moveOnA(kAt + QPoint(i, i));
    expectQuietFor(kDelay + 50);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(hints.state(), HintController::State::Showing);
}

TEST_F(Hints, Rule3HiddenAfterTheDisplayTimeAndNotShownAgainWhileThePointerStays) {
    showA();
    expectAfterExactly(hidden, kDisplay);
    moveOnA(kAt + QPoint(2, 2));
    expectQuietFor(2 * kDelay);
    EXPECT_EQ(shown.count(), 1);
}

TEST_F(Hints, Rule4LeavingOntoNothingWithAHintHidesAtOnceAndEndsTheSequence) {
    showA();
    moveOffHotspots();
    EXPECT_EQ(hidden.count(), 1);  // at once, without waiting
    EXPECT_EQ(hints.state(), HintController::State::Idle);
    moveOnA();
    EXPECT_EQ(shown.count(), 1) << "re-entering waits again";
    expectAfterExactly(shown, kDelay);
}

TEST_F(Hints, Rule4AHotspotWithItsHintOffCountsAsNothing) {
    showA();
    hints.pointerMoved(7, kAt, false, kTextB);
    EXPECT_EQ(hidden.count(), 1);
    expectQuietFor(2 * kDelay);
}

TEST_F(Hints, Rule4LeavingWhileWaitingShowsNothing) {
    moveOnA();
    moveOffHotspots();
    expectQuietFor(2 * kDelay);
    EXPECT_EQ(shown.count(), 0);
    EXPECT_EQ(hidden.count(), 0);  // nothing was on screen
}

TEST_F(Hints, Rule5StraightOntoAnotherHotspotShowsItsHintAtOnce) {
    showA();
    moveOnB();
    ASSERT_EQ(shown.count(), 2);  // synchronously
    EXPECT_EQ(shown.at(1).at(0).toString(), kTextB);
    EXPECT_EQ(hints.state(), HintController::State::Showing);
}

TEST_F(Hints, Rule5AlsoAfterTheFirstHintTimedOut) {
    showA();
    clock.advance(kDisplay);
    ASSERT_EQ(hidden.count(), 1);
    moveOnB();
    ASSERT_EQ(shown.count(), 2);
    EXPECT_EQ(shown.at(1).at(0).toString(), kTextB);
    // The second hint has its own display time.
    expectAfterExactly(hidden, kDisplay);
}

TEST_F(Hints, Rule5DoesNotApplyWhileStillWaiting) {
    moveOnA();
    moveOnB();
    EXPECT_EQ(shown.count(), 0);
    expectAfterExactly(shown, kDelay);
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toString(), kTextB);
}

TEST_F(Hints, Rule6PressesWheelAndKeysHideAtOnceAndEndTheSequence) {
    showA();
    hints.mouseButtonOrWheelOrKey();
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_EQ(hints.state(), HintController::State::Idle);
    moveOnB();
    EXPECT_EQ(shown.count(), 1) << "no re-show at once after the sequence ended";
    expectAfterExactly(shown, kDelay);
}

TEST_F(Hints, Rule6LeavingTheClientAreaHidesAtOnce) {
    showA();
    hints.pointerLeft();
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_EQ(hints.state(), HintController::State::Idle);
}

TEST_F(Hints, Rules6And7DeactivationHidesAndNoHintAppearsWhileInactive) {
    showA();
    hints.activationChanged(false);
    EXPECT_EQ(hidden.count(), 1);
    moveOnA();
    moveOnB();
    expectQuietFor(2 * kDelay);
    EXPECT_EQ(shown.count(), 1);
    hints.activationChanged(true);
    moveOnA();
    expectAfterExactly(shown, kDelay);
}

TEST_F(Hints, Rule6ActivationEndsAPendingWait) {
    moveOnA();
    hints.activationChanged(true);
    expectQuietFor(2 * kDelay);
}

TEST_F(Hints, TheProgramsDelayIsFiftyMillisecondsAndItsDisplayTimeTenSeconds) {
    HintController defaults{clock.timers()};
    QSignalSpy defaultShown(&defaults, &HintController::showHint);
    QSignalSpy defaultHidden(&defaults, &HintController::hideHint);
    defaults.pointerMoved(0, kAt, true, kTextA);
    expectAfterExactly(defaultShown, 50);
    expectAfterExactly(defaultHidden, 10000);
}

// The program's timers: precise, so never early (under wine a precise timer may
// fire up to 3 ms of 400 early, and the clock starts after the timer), and
// stopped when the sequence ends.
TEST(HintsOnQtTimers, ShownAndHiddenNoEarlierThanTheirTimesAndNotAfterLeaving) {
    static int argc = 1;
    static char name[] = "flow_hint_controller";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    HintController hints(kDelay, kDisplay);
    QSignalSpy shown(&hints, &HintController::showHint);
    QSignalSpy hidden(&hints, &HintController::hideHint);

    hints.pointerMoved(3, kAt, true, kTextA);
    hints.pointerLeft();
    QTest::qWait(2 * kDelay);
    EXPECT_EQ(shown.count(), 0) << "the wait went on after leaving";

    QElapsedTimer elapsed;
    elapsed.start();
    hints.pointerMoved(3, kAt, true, kTextA);
    ASSERT_TRUE(shown.wait(5 * kDelay));
    EXPECT_GE(elapsed.elapsed(), kDelay);
    elapsed.start();
    ASSERT_TRUE(hidden.wait(5 * kDisplay));
    EXPECT_GE(elapsed.elapsed(), kDisplay * 99 / 100);
}

}  // namespace
}  // namespace kvarnel::testing
