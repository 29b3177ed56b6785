// Figure geometry and the pixels of hotspots and markers (mask mode).
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "DrawingTestSupport.h"
#include "ui/drawing/ShapePainter.h"
#include "ui/drawing/ShapeSpriteCache.h"

namespace kvarnel {
namespace {

using testing::noiseImage;

struct GeometryCase {
    const char* what;
    ShapeKind kind;
    QSize box;
    int pen;
    QRect rect;
    int corner;
};

class FigureGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(FigureGeometryTest, FollowsTheBoxAndPen) {
    const GeometryCase& c = GetParam();
    const FigureGeometry g = ShapePainter::geometry(c.kind, c.box, c.pen);
    EXPECT_EQ(g.rect, c.rect) << c.what;
    EXPECT_EQ(g.corner, c.corner) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FigureGeometryTest,
    ::testing::Values(
        GeometryCase{"hotspot", ShapeKind::Circle, {15, 15}, 1, {0, 0, 15, 15}, 0},
        GeometryCase{"ShapeM1", ShapeKind::RoundRect, {161, 209}, 7, {3, 3, 155, 203}, 38},
        GeometryCase{"ShapeM10", ShapeKind::RoundRect, {25, 57}, 7, {3, 3, 19, 51}, 4},
        GeometryCase{"wide circle centred", ShapeKind::Circle, {30, 20}, 1, {5, 0, 20, 20}, 0},
        GeometryCase{"tall: corner of the short side", ShapeKind::RoundRect, {20, 40}, 3, {1, 1, 18, 38}, 4},
        GeometryCase{"no pen: the box size", ShapeKind::RoundRect, {10, 8}, 0, {0, 0, 10, 8}, 2},
        GeometryCase{"even pen", ShapeKind::Circle, {9, 9}, 2, {1, 1, 8, 8}, 0}));

QImage whiteImage(QSize size, QImage::Format format = QImage::Format_RGB32) {
    QImage image(size, format);
    image.fill(Qt::white);
    return image;
}

void drawMarker(QImage& image, const QRect& box, QRgb outline) {
    QPainter painter(&image);
    ShapePainter::paintMarker(painter, box, QColor(outline), 7, QColor(0, 255, 255));
}

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kLime = 0xFF00FF00;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kAqua = 0xFF00FFFF;
constexpr QRgb kBlack = 0xFF000000;

TEST(HotspotPixels, LimeDiscInRedRingWithWhiteCorners) {
    QImage image = whiteImage({25, 25});
    {
        QPainter painter(&image);
        ShapePainter::paint(painter, QRect(5, 5, 15, 15), ShapeKind::Circle, Qt::red, 1, QColor(0, 255, 0),
                            false);
    }
    auto at = [&](int x, int y) { return image.pixel(5 + x, 5 + y); };
    for (QPoint corner : {QPoint(0, 0), QPoint(14, 0), QPoint(0, 14), QPoint(14, 14)})
        EXPECT_EQ(at(corner.x(), corner.y()), kWhite) << corner.x() << "," << corner.y();
    for (QPoint ring : {QPoint(7, 0), QPoint(0, 7), QPoint(14, 7), QPoint(7, 14)})
        EXPECT_EQ(at(ring.x(), ring.y()), kRed) << ring.x() << "," << ring.y();
    for (QPoint disc : {QPoint(7, 7), QPoint(7, 1), QPoint(1, 7), QPoint(13, 7), QPoint(7, 13)})
        EXPECT_EQ(at(disc.x(), disc.y()), kLime) << disc.x() << "," << disc.y();
    // Only the three colours, symmetric both ways, and nothing outside the box.
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 25; ++x) {
            const QRgb p = image.pixel(x, y);
            if (!QRect(5, 5, 15, 15).contains(x, y)) {
                EXPECT_EQ(p, kWhite) << x << "," << y;
                continue;
            }
            EXPECT_TRUE(p == kWhite || p == kRed || p == kLime) << x << "," << y;
            EXPECT_EQ(p, image.pixel(24 - x, y)) << x << "," << y;
            EXPECT_EQ(p, image.pixel(x, 24 - y)) << x << "," << y;
        }
}

struct OutlineCase {
    const char* what;
    QRgb outline;
    QRgb outerPart;  // under the outline, outside the figure
    QRgb overlap;    // under the outline and inside the figure
};

class MarkerOverWhiteTest : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(MarkerOverWhiteTest, AquaInsideOutlineSevenPixelsFromTheEdge) {
    const OutlineCase& c = GetParam();
    const QRect box(10, 10, 25, 57);  // ShapeM10's size
    QImage image = whiteImage({45, 77});
    drawMarker(image, box, c.outline);
    const int midY = box.top() + box.height() / 2;
    const int midX = box.left() + box.width() / 2;
    // Along a straight side: 3 outer pixels, 4 overlapping the fill, then the inside.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(image.pixel(box.left() + i, midY), c.outerPart) << c.what << " left " << i;
        EXPECT_EQ(image.pixel(box.right() - i, midY), c.outerPart) << c.what << " right " << i;
        EXPECT_EQ(image.pixel(midX, box.top() + i), c.outerPart) << c.what << " top " << i;
        EXPECT_EQ(image.pixel(midX, box.bottom() - i), c.outerPart) << c.what << " bottom " << i;
    }
    for (int i = 3; i < 7; ++i) {
        EXPECT_EQ(image.pixel(box.left() + i, midY), c.overlap) << c.what << " left " << i;
        EXPECT_EQ(image.pixel(box.right() - i, midY), c.overlap) << c.what << " right " << i;
        EXPECT_EQ(image.pixel(midX, box.top() + i), c.overlap) << c.what << " top " << i;
        EXPECT_EQ(image.pixel(midX, box.bottom() - i), c.overlap) << c.what << " bottom " << i;
    }
    EXPECT_EQ(image.pixel(box.left() + 7, midY), kAqua) << c.what;
    EXPECT_EQ(image.pixel(box.right() - 7, midY), kAqua) << c.what;
    EXPECT_EQ(image.pixel(midX, midY), kAqua) << c.what;
    // Outside the box nothing changes.
    EXPECT_EQ(image.pixel(box.left() - 1, midY), kWhite);
    EXPECT_EQ(image.pixel(box.right() + 1, midY), kWhite);
    EXPECT_EQ(image.pixel(midX, box.top() - 1), kWhite);
    EXPECT_EQ(image.pixel(midX, box.bottom() + 1), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Outlines, MarkerOverWhiteTest,
                         ::testing::Values(OutlineCase{"blue", kBlue, kBlue, kBlue},
                                           OutlineCase{"red", kRed, kRed, kBlack}));

TEST(MarkerPixels, RoundedCornersLeaveTheBoxCornerUntouched) {
    const QRect box(0, 0, 161, 209);  // ShapeM1: corner ellipses 38 x 38
    QImage image = whiteImage(box.size());
    drawMarker(image, box, kRed);
    for (QPoint corner :
         {QPoint(0, 0), QPoint(160, 0), QPoint(0, 208), QPoint(160, 208), QPoint(3, 3), QPoint(157, 205)})
        EXPECT_EQ(image.pixel(corner), kWhite) << corner.x() << "," << corner.y();
    // The straight part of the left side starts after the corner's half height.
    EXPECT_EQ(image.pixel(0, 3 + 19 + 2), kRed);
    EXPECT_EQ(image.pixel(80, 0), kRed);
}

TEST(MarkerPixels, BlackLineStaysBlackInsideAndUnderTheOutline) {
    const QRect box(0, 0, 40, 60);
    QImage image = whiteImage(box.size());
    for (int y = 0; y < 60; ++y) image.setPixel(20, y, kBlack);  // crosses top, inside, bottom
    for (int x = 0; x < 40; ++x) image.setPixel(x, 30, kBlack);  // crosses left and right
    drawMarker(image, box, kBlue);
    for (int y = 0; y < 60; ++y) EXPECT_EQ(image.pixel(20, y), kBlack) << y;
    for (int x = 0; x < 40; ++x) EXPECT_EQ(image.pixel(x, 30), kBlack) << x;
    EXPECT_EQ(image.pixel(10, 20), kAqua);
}

// The tint is the AND of the picture with the fill and outline colours.
class MarkerTintTest : public ::testing::TestWithParam<QImage::Format> {};

TEST_P(MarkerTintTest, EachPixelIsThePictureAndedWithTheColours) {
    const QRect box(4, 6, 50, 40);
    const QImage source = noiseImage({60, 52}, 7).convertToFormat(GetParam());
    QImage image = source;
    drawMarker(image, box, kRed);
    const int midY = box.top() + 20;
    auto expectMasked = [&](int x, int y, QRgb mask) {
        EXPECT_EQ(image.pixel(x, y), source.pixel(x, y) & mask) << x << "," << y;
    };
    expectMasked(box.left() + 1, midY, kRed);          // outer outline
    expectMasked(box.left() + 5, midY, kRed & kAqua);  // outline over the fill
    expectMasked(box.left() + 20, midY, kAqua);        // inside
    expectMasked(box.left() + 25, box.top() + 15, kAqua);
    EXPECT_EQ(image.pixel(box.left() - 1, midY), source.pixel(box.left() - 1, midY));
}

INSTANTIATE_TEST_SUITE_P(Formats, MarkerTintTest,
                         ::testing::Values(QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied));

TEST(MarkerPixels, OverlappingMarkersDoNotDependOnTheirOrder) {
    const QImage source = noiseImage({80, 80}, 11);
    const QRect first(5, 5, 50, 40);
    const QRect second(30, 20, 45, 55);
    QImage redFirst = source;
    drawMarker(redFirst, first, kRed);
    drawMarker(redFirst, second, kBlue);
    QImage blueFirst = source;
    drawMarker(blueFirst, second, kBlue);
    drawMarker(blueFirst, first, kRed);
    EXPECT_EQ(redFirst, blueFirst);
    EXPECT_NE(redFirst, source);
}

}  // namespace
}  // namespace kvarnel

// A copied hotspot sprite leaves exactly the pixels that painting the circle
// leaves, over a patterned background (the box corners show what lies beneath).
TEST(ShapeSprites, CopiedSpriteEqualsPaintedShape) {
    QImage background(40, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) background.setPixel(x, y, qRgb(x * 6, y * 6, (x ^ y) * 4));
    for (QSize box : {QSize(15, 15), QSize(21, 13)}) {
        QImage painted = background;
        QImage copied = background;
        {
            QPainter p(&painted);
            kvarnel::ShapePainter::paint(p, QRect(QPoint(5, 7), box), kvarnel::ShapeKind::Circle, Qt::red, 1,
                                         QColor(0, 255, 0), false);
        }
        kvarnel::ShapeSpriteCache cache;
        {
            QPainter p(&copied);
            p.drawImage(QPoint(5, 7),
                        cache.sprite(kvarnel::ShapeKind::Circle, box, Qt::red, 1, QColor(0, 255, 0)));
        }
        EXPECT_EQ(painted, copied) << box.width() << "x" << box.height();
        EXPECT_EQ(&cache.sprite(kvarnel::ShapeKind::Circle, box, Qt::red, 1, QColor(0, 255, 0)),
                  &cache.sprite(kvarnel::ShapeKind::Circle, box, Qt::red, 1, QColor(0, 255, 0)));
    }
}
