#include "WindowMeasurements.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <memory>

#include "Catalogue.h"
#include "Surface.h"
#include "TForm1.h"

namespace kvarnel::bench {

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the watched widget has handled a paint event.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
    // Processes events until the next paint has been handled (2 s at most).
    void wait() {
        const auto start = Clock::now();
        while (!painted && millisecondsSince(start) < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        // The paint event was seen on its way in; let it finish and be flushed.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        painted = false;
    }
    bool painted = false;
};

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

double timeFirstFrame(const std::function<std::unique_ptr<QWidget>()>& make, QWidget* (*painted)(QWidget*)) {
    const auto start = Clock::now();
    std::unique_ptr<QWidget> window = make();
    PaintWatcher watcher(painted(window.get()));
    window->show();
    watcher.wait();
    return millisecondsSince(start);
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
    watcher.wait();
    return millisecondsSince(start);
}

void release(TForm1& form, PaintWatcher& watcher, NodeNumber node) {
    QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, hotspotCentre(node));
    watcher.wait();
}

}  // namespace

void addWindowMeasurements(MeasurementTable& table) {
    constexpr int kStartRuns = 15;
    constexpr int kColdRuns = 9;
    constexpr int kWarmRuns = 51;
    constexpr NodeNumber kCloseUpNode = 26;  // front view, four markers

    timeFirstFrame(makeForm, surfaceOf);  // warm up fonts and caches once for both
    timeFirstFrame(makeBareWindow, itself);
    table.measure("start-up to first frame, main window", kStartRuns,
                  [] { return timeFirstFrame(makeForm, surfaceOf); });
    table.measure("start-up to first frame, bare window (43 children)", kStartRuns,
                  [] { return timeFirstFrame(makeBareWindow, itself); });
    const double ratio = table.find("start-up to first frame, main window")->value /
                         table.find("start-up to first frame, bare window (43 children)")->value;
    table.record("start-up ratio main / bare", ratio, "x", "<= 1.3");

    table.measure("window: press to close-up frame, node 26, cold", kColdRuns, [] {
        TForm1 form;  // fresh pictures: this press decodes the front close-up
        PaintWatcher watcher(&form.surface());
        form.show();
        watcher.wait();
        const double ms = timePress(form, watcher, kCloseUpNode);
        release(form, watcher, kCloseUpNode);
        return ms;
    }, "<= 4 ms");

    TForm1 form;
    PaintWatcher watcher(&form.surface());
    form.show();
    watcher.wait();
    timePress(form, watcher, kCloseUpNode);
    release(form, watcher, kCloseUpNode);
    table.measure("window: press to close-up frame, node 26, warm", kWarmRuns, [&] {
        const double ms = timePress(form, watcher, kCloseUpNode);
        release(form, watcher, kCloseUpNode);
        return ms;
    }, "<= 2 ms");
}

}  // namespace kvarnel::bench
