#include "WindowMeasurements.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>
#include <vector>

#include "BareWindow.h"
#include "core/Catalogue.h"
#include "ui/drawing/Surface.h"
#include "ui/window/TForm1.h"

namespace kvarnel::bench {

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the watched widget has been sent a paint event.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
    // Processes events until a paint has been delivered (2 s at most) and
    // returns when that was: the event processing that painted has returned, so
    // the frame is composed and flushed.
    Clock::time_point waitForPaint() {
        const auto start = Clock::now();
        while (!painted && millisecondsSince(start) < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        painted = false;
        return Clock::now();
    }
    // Also lets the rest of the queue run (untimed), so the next sample starts
    // from an idle loop.
    Clock::time_point wait() {
        const auto framed = waitForPaint();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return framed;
    }
    bool painted = false;
};

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Started {
    std::unique_ptr<QWidget> window;
    double ms = 0;
};

// Construct, show, until the first frame: a fresh window each time. A function
// of its own, so that callgrind can count just this part
// (--toggle-collect='*startToFirstFrame*'); the window lives on.
[[gnu::noinline]] Started startToFirstFrame(const std::function<std::unique_ptr<QWidget>()>& make,
                                            QWidget* (*painted)(QWidget*)) {
    const auto start = Clock::now();
    Started s{make(), 0};
    PaintWatcher watcher(painted(s.window.get()));
    s.window->show();
    s.ms = millisecondsBetween(start, watcher.waitForPaint());
    return s;
}

// The rest of the queue and the window's end are not timed.
double timeFirstFrame(const std::function<std::unique_ptr<QWidget>()>& make, QWidget* (*painted)(QWidget*)) {
    const Started s = startToFirstFrame(make, painted);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return s.ms;
}

QWidget* itself(QWidget* w) { return w; }
QWidget* surfaceOf(QWidget* w) { return &static_cast<TForm1*>(w)->surface(); }

std::unique_ptr<QWidget> makeForm() { return std::make_unique<TForm1>(); }

// The centre of a node's first hotspot.
QPoint hotspotCentre(NodeNumber node) {
    const HotspotRow* h = Catalogue::standard().hotspotsOf(node).front();
    return {h->left + 7, h->top + 7};
}

// A function of its own, so that callgrind can count just the press
// (--toggle-collect='*timePress*').
[[gnu::noinline]] double timePress(TForm1& form, PaintWatcher& watcher, NodeNumber node) {
    const auto start = Clock::now();
    QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, hotspotCentre(node));
    return millisecondsBetween(start, watcher.wait());
}

void release(TForm1& form, PaintWatcher& watcher, NodeNumber node) {
    QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, hotspotCentre(node));
    watcher.wait();
}

// A press and release, timing the press.
double timeClick(TForm1& form, PaintWatcher& watcher, NodeNumber node) {
    const double ms = timePress(form, watcher, node);
    release(form, watcher, node);
    return ms;
}

constexpr NodeNumber kCloseUpNode = 26;   // front view, four markers
constexpr NodeNumber kOverviewNode = 10;  // five markers on the overview itself
constexpr NodeNumber kRearNode = 38;      // the rear close-up

// The first press of the front close-up on a fresh window. No student presses
// sooner than a few hundred milliseconds after the window appears: `idleMs` is
// how long the event loop runs after the first frame before the press.
double timeFirstPress(int idleMs) {
    TForm1 fresh;  // fresh pictures: nothing of the front close-up is drawn yet
    PaintWatcher watcher(&fresh.surface());
    fresh.show();
    watcher.wait();
    if (idleMs > 0) QTest::qWait(idleMs);
    return timeClick(fresh, watcher, kCloseUpNode);
}

}  // namespace

void repeatStartUps(bool mainWindow, int runs) {
    const auto make = mainWindow ? makeForm : makeBareWindow;
    QWidget* (*const painted)(QWidget*) = mainWindow ? surfaceOf : itself;
    timeFirstFrame(make, painted);  // fonts and caches warmed as in the table's runs
    for (int i = 0; i < runs; ++i) timeFirstFrame(make, painted);
}

void repeatPresses(int node, int runs) {
    TForm1 window;
    PaintWatcher watcher(&window.surface());
    window.show();
    watcher.wait();
    QTest::qWait(300);
    // The first press (not counted) makes its view's picture ready if nothing did.
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, hotspotCentre(node));
    watcher.wait();
    release(window, watcher, node);
    for (int i = 0; i < runs; ++i) timeClick(window, watcher, node);
}

void studySession() {
    TForm1 window;
    PaintWatcher watcher(&window.surface());
    window.show();
    watcher.wait();
    QTest::qWait(500);
    for (NodeNumber node : {kCloseUpNode, kRearNode, kOverviewNode}) timeClick(window, watcher, node);
    QTest::qWait(100);
}

void addWindowMeasurements(MeasurementTable& table) {
    constexpr int kStartRuns = 21;
    constexpr int kColdRuns = 11;
    constexpr int kWarmRuns = 51;
    constexpr int kReactionMs = 300;

    timeFirstFrame(makeForm, surfaceOf);  // warm up fonts and caches once for both
    timeFirstFrame(makeBareWindow, itself);
    // Interleaved, so that both see the same machine load.
    std::vector<double> form;
    std::vector<double> bare;
    for (int i = 0; i < kStartRuns; ++i) {
        form.push_back(timeFirstFrame(makeForm, surfaceOf));
        bare.push_back(timeFirstFrame(makeBareWindow, itself));
    }
    table.addSamples(row::kStartMain, form);
    table.addSamples(row::kStartBare, bare);

    table.measure(
        row::kCold, kColdRuns, [] { return timeFirstPress(kReactionMs); }, "<= 4 ms");
    table.measure(row::kColdAtOnce, kColdRuns, [] { return timeFirstPress(0); });

    TForm1 window;
    PaintWatcher watcher(&window.surface());
    window.show();
    watcher.wait();
    QTest::qWait(kReactionMs);
    // The first press of each view is not a warm one.
    for (NodeNumber node : {kCloseUpNode, kOverviewNode, kRearNode}) timeClick(window, watcher, node);
    table.measure(
        row::kWarmFront, kWarmRuns, [&] { return timeClick(window, watcher, kCloseUpNode); }, "<= 2 ms");
    table.measure(
        row::kWarmRear, kWarmRuns, [&] { return timeClick(window, watcher, kRearNode); }, "<= 2 ms");
    table.measure(
        row::kWarmOverview, kWarmRuns, [&] { return timeClick(window, watcher, kOverviewNode); }, "<= 2 ms");
}

}  // namespace kvarnel::bench
