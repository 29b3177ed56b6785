#pragma once
// Where a window of a given outer size goes when it should start at a point but
// must not stick out of the screen: moved left and up as far as needed, never
// past the screen's left or top edge.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace kvarnel {

QPoint keptOnScreen(QPoint wanted, const QSize& size, const QRect& screen);

}  // namespace kvarnel
