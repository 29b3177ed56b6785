#pragma once
// Measurements of the real main window: start-up to its first painted frame
// (against a bare window with as many child widgets), and a hotspot press to
// the composed close-up frame.
#include "MeasurementTable.h"

namespace kvarnel::bench {

void addWindowMeasurements(MeasurementTable& table);

}  // namespace kvarnel::bench
