#include "WindowMeasurements.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <functional>
#include <memory>
#include <vector>

#include "Catalogue.h"
#include "Surface.h"
#include "TForm1.h"

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
    // the frame is composed and flushed. Then lets the rest of the queue run
    // (untimed), so the next sample starts from an idle loop.
    Clock::time_point wait() {
        const auto start = Clock::now();
        while (!painted && millisecondsSince(start) < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const auto framed = Clock::now();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        painted = false;
        return framed;
    }
    bool painted = false;
};

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A plain window of the main window's size with as many child widgets.
std::unique_ptr<QWidget> makeBareWindow() {
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(1026, 727);
    for (int i = 0; i < kNodeCount; ++i) {
        auto* panel = new QTextEdit(window.get());
        panel->setGeometry(168, 558, 601, 160);
        panel->setPlainText(QStringLiteral("A description of one part of the turbine."));
        panel->hide();
    }
    (new QProgressBar(window.get()))->hide();
    (new QLineEdit(window.get()))->hide();
    (new QLineEdit(window.get()))->hide();
    new QLabel(QStringLiteral("An instruction line"), window.get());
    return window;
}

// Construct, show, until the first frame: a fresh window each time.
double timeFirstFrame(const std::function<std::unique_ptr<QWidget>()>& make, QWidget* (*painted)(QWidget*)) {
    const auto start = Clock::now();
    std::unique_ptr<QWidget> window = make();
    PaintWatcher watcher(painted(window.get()));
    window->show();
    return millisecondsBetween(start, watcher.wait());
}

QWidget* itself(QWidget* w) { return w; }
QWidget* surfaceOf(QWidget* w) { return &static_cast<TForm1*>(w)->surface(); }

std::unique_ptr<QWidget> makeForm() { return std::make_unique<TForm1>(); }

// The centre of a node's first hotspot.
QPoint hotspotCentre(NodeNumber node) {
    const HotspotRow* h = Catalogue::standard().hotspotsOf(node).front();
    return {h->left + 7, h->top + 7};
}

double timePress(TForm1& form, PaintWatcher& watcher, NodeNumber node) {
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

}  // namespace

void addWindowMeasurements(MeasurementTable& table) {
    constexpr int kStartRuns = 21;
    constexpr int kColdRuns = 11;
    constexpr int kWarmRuns = 51;
    constexpr NodeNumber kCloseUpNode = 26;  // front view, four markers
    constexpr NodeNumber kOverviewNode = 10;  // five markers on the overview itself
    constexpr NodeNumber kRearNode = 38;      // the rear close-up

    timeFirstFrame(makeForm, surfaceOf);  // warm up fonts and caches once for both
    timeFirstFrame(makeBareWindow, itself);
    // Interleaved, so that both see the same machine load.
    std::vector<double> form;
    std::vector<double> bare;
    for (int i = 0; i < kStartRuns; ++i) {
        form.push_back(timeFirstFrame(makeForm, surfaceOf));
        bare.push_back(timeFirstFrame(makeBareWindow, itself));
    }
    table.addSamples("start-up to first frame, main window", form);
    table.addSamples("start-up to first frame, bare window (43 children)", bare);
    table.record("start-up ratio main / bare", MeasurementTable::median(form) / MeasurementTable::median(bare),
                 "x", "<= 1.3");

    table.measure("window: press to close-up frame, node 26, cold", kColdRuns, [] {
        TForm1 fresh;  // fresh pictures: this press decodes the front close-up
        PaintWatcher watcher(&fresh.surface());
        fresh.show();
        watcher.wait();
        return timeClick(fresh, watcher, kCloseUpNode);
    }, "<= 4 ms");

    TForm1 window;
    PaintWatcher watcher(&window.surface());
    window.show();
    watcher.wait();
    timeClick(window, watcher, kCloseUpNode);
    table.measure("window: press to close-up frame, node 26, warm", kWarmRuns,
                  [&] { return timeClick(window, watcher, kCloseUpNode); }, "<= 2 ms");
    table.measure("window: press to overview frame, node 10, warm", kWarmRuns,
                  [&] { return timeClick(window, watcher, kOverviewNode); }, "<= 2 ms");
    // The rear close-up too, so that all three pictures are decoded before the
    // peak memory is read.
    timeClick(window, watcher, kRearNode);
    table.measure("window: press to close-up frame, node 38 (rear), warm", kWarmRuns,
                  [&] { return timeClick(window, watcher, kRearNode); }, "<= 2 ms");
}

}  // namespace kvarnel::bench
