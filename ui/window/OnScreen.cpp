#include "OnScreen.h"

#include <algorithm>

namespace kvarnel {

QPoint keptOnScreen(QPoint wanted, const QSize& size, const QRect& screen) {
    const int x =
        std::max(screen.left(), std::min(wanted.x(), screen.left() + screen.width() - size.width()));
    const int y =
        std::max(screen.top(), std::min(wanted.y(), screen.top() + screen.height() - size.height()));
    return {x, y};
}

}  // namespace kvarnel
