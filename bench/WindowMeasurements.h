#pragma once
// Measurements of the real main window: start-up to its first painted frame
// (against a bare window with as many child widgets), and a hotspot press to
// the composed close-up frame.
#include "MeasurementTable.h"

namespace kvarnel::bench {

void addWindowMeasurements(MeasurementTable& table);

// Only start-ups of one window to its first frame, after one to warm up: for
// counting their instructions (the difference between two counts of runs).
void repeatStartUps(bool mainWindow, int runs);

}  // namespace kvarnel::bench
