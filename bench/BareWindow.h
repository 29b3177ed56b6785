#pragma once
// The yardstick for start-up figures: a plain Qt window of the main window's
// client size with as many direct child widgets (a full-size drawing area,
// 39 hidden multi-line boxes, a hidden progress bar, two hidden entry fields and
// a visible one-line label) and the same white background, but none of the
// program's own work.
#include <QWidget>
#include <memory>

namespace kvarnel::bench {

std::unique_ptr<QWidget> makeBareWindow();

}  // namespace kvarnel::bench
