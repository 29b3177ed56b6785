#pragma once
// Measurements of the real main window at this process's device pixel ratio:
// start-up to its first painted frame (against a bare window with as many child
// widgets), a hotspot press to the composed close-up frame (cold and warm), and
// the peak memory.
#include "MeasurementTable.h"

namespace kvarnel::bench {

// The names of the rows that addWindowMeasurements() fills.
namespace row {
constexpr const char* kStartMain = "start-up to first frame, main window";
constexpr const char* kStartBare = "start-up to first frame, bare window (44 children)";
constexpr const char* kCold = "press to close-up frame, node 26, cold";
constexpr const char* kColdAtOnce = "same, pressed at once after the first frame";
constexpr const char* kWarmFront = "press to close-up frame, node 26 (front), warm";
constexpr const char* kWarmRear = "press to close-up frame, node 38 (rear), warm";
constexpr const char* kWarmOverview = "press to overview frame, node 10, warm";
constexpr const char* kRatio = "device pixel ratio of the screen";
constexpr const char* kPeakRss = "peak resident set";  // of the process that measured the rest
constexpr const char* kSessionPeakRss = "peak resident set of one study session";
}  // namespace row

void addWindowMeasurements(MeasurementTable& table);

// Only start-ups of one window to its first frame, after one to warm up: for
// counting their instructions (the difference between two counts of runs).
void repeatStartUps(bool mainWindow, int runs);

// What one student does first, in a process of its own for its peak memory:
// the window started, then each view's close-up (front, rear, overview markers)
// pressed and released once.
void studySession();

// Only warm presses (and releases) of one node on one window, after one to warm
// up: for counting the instructions of a press at a device pixel ratio.
void repeatPresses(int node, int runs);

}  // namespace kvarnel::bench
