#pragma once
// The fixture of the surface tests: a shown 1026 x 727 surface and pixel helpers.
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "DrawingTestSupport.h"
#include "ui/drawing/Surface.h"

namespace kvarnel::testing {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kAqua = 0xFF00FFFF;

// Records the areas the surface repaints.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = std::make_unique<Surface>();
        surface->resize(1026, 727);
    }
    void show() {
        surface->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(surface.get()));
        frameOf(*surface);
    }
    QWindow* window() { return surface->windowHandle(); }
    QImage frame() { return frameOf(*surface); }
    // Pixels of `colour` inside `area` of the frame, as their bounding rectangle.
    static QRect pixelsOf(const QImage& image, const QRect& area, QRgb colour) {
        QRect found;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) == colour) found |= QRect(x, y, 1, 1);
        return found;
    }
    QRgb colourOf(ColourNumber c) const { return surface->colour(c).rgb(); }

    std::unique_ptr<Surface> surface;
};

}  // namespace kvarnel::testing
