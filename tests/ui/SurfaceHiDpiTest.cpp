// The surface on screens with more device pixels than layout pixels: pictures
// from their double-size renderings (resampled once, into the same pixels as a
// resampling at every paint), shapes at the device's resolution, and at one
// device pixel per layout pixel the 96-dpi drawing unchanged.
#include <QPainter>
#include <QtMath>

#include <gtest/gtest.h>

#include "SurfaceFixture.h"
#include "ui/drawing/JpegPicture.h"
#include "ui/drawing/ScreenPicture.h"
#include "ui/drawing/ShapePainter.h"

namespace kvarnel {
namespace {

using namespace kvarnel::testing;

// The surface painted into an image of `ratio` device pixels per layout pixel,
// as a hi-DPI screen's backing store is.
QImage renderAt(Surface& surface, qreal ratio) {
    QImage image(qCeil(surface.width() * ratio), qCeil(surface.height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    surface.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// A picture, two hotspots and a red and a blue marker over it.
class HiDpiTest : public SurfaceTest {
protected:
    const QRect pictureBox{20, 30, 400, 300};
    const JpegPicture layoutPicture{jpegStream(noiseImage({400, 300}, 7), 90)};
    const JpegPicture doubledPicture{jpegStream(noiseImage({800, 600}, 8), 90)};
    CountingDecoder counter;
    ScreenPicture shown{layoutPicture, doubledPicture, counter.decoder()};
    const QRect hotspotBox{100, 100, 15, 15};
    const QRect redBox{150, 120, 161, 109};
    const QRect blueBox{60, 200, 25, 57};

    void build() {
        surface->addElement(picture("Image1", pictureBox, &shown, false));
        surface->addElement(hotspot("ShapeV1", hotspotBox.left(), hotspotBox.top()));
        surface->addElement(hotspot("ShapeV2", 350, 40));
        surface->addElement(marker("ShapeM1", redBox, clRed));
        surface->addElement(marker("ShapeM10", blueBox, clBlue));
    }
};

TEST_F(HiDpiTest, AtRatioOneTheFrameIsThe96DpiDrawingPixelForPixel) {
    build();
    show();
    // The drawing by the direct path: the picture, then each shape painted in place.
    QImage expected(surface->size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        p.drawImage(pictureBox.topLeft(), layoutPicture.decode());
        for (QRect h : {hotspotBox, QRect(350, 40, 15, 15)})
            ShapePainter::paint(p, h, ShapeKind::Circle, QColor(255, 0, 0), 1, QColor(0, 255, 0), false);
        ShapePainter::paintMarker(p, redBox, QColor(255, 0, 0), 7, QColor(0, 255, 255));
        ShapePainter::paintMarker(p, blueBox, QColor(0, 0, 255), 7, QColor(0, 255, 255));
    }
    EXPECT_EQ(frame(), expected);
    EXPECT_EQ(renderAt(*surface, 1), expected);
    EXPECT_EQ(counter.count(doubledPicture.stream()), 0) << "the double-size picture is not even decoded";
}

TEST_F(HiDpiTest, AtRatioTwoThePictureIsTheDoubleSizeRenderingAndShapesAreDrawnAtDeviceResolution) {
    build();
    surface->resize(500, 400);
    const QImage f = renderAt(*surface, 2);
    const QImage fine = doubledPicture.decode();
    EXPECT_EQ(counter.count(layoutPicture.stream()), 0) << "the 96-dpi picture is not needed";
    // Outside the shapes every device pixel of the picture is its own pixel.
    const QPoint origin = pictureBox.topLeft() * 2;
    for (QPoint at : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(799, 599), QPoint(601, 51)})
        EXPECT_EQ(f.pixel(origin + at), fine.pixel(at)) << at.x() << "," << at.y();
    // The markers tint the fine picture pixel by pixel.
    for (QPoint at :
         {redBox.center() * 2, redBox.center() * 2 + QPoint(1, 1), blueBox.center() * 2 + QPoint(1, 0)})
        EXPECT_EQ(f.pixel(at), fine.pixel(at - origin) & kAqua) << at.x() << "," << at.y();
    // The hotspot is the figure drawn at the device's density, not an enlarged copy.
    QImage hotspotAt2(30, 30, QImage::Format_ARGB32_Premultiplied);
    hotspotAt2.setDevicePixelRatio(2);
    hotspotAt2.fill(Qt::transparent);
    {
        QPainter p(&hotspotAt2);
        ShapePainter::paint(p, QRect(0, 0, 15, 15), ShapeKind::Circle, QColor(255, 0, 0), 1,
                            QColor(0, 255, 0), false);
    }
    bool blocky = true;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const QRgb want = hotspotAt2.pixel(x, y);
            if (qAlpha(want) == 255) {
                EXPECT_EQ(f.pixel(hotspotBox.topLeft() * 2 + QPoint(x, y)), want) << x << "," << y;
            }
            blocky &= want == hotspotAt2.pixel(x & ~1, y & ~1);
        }
    EXPECT_FALSE(blocky) << "the ring's steps are finer than a layout pixel";
}

struct RatioCase {
    qreal ratio;
    bool doubledFits;  // the double-size picture has exactly twice the size
    QColor shown;      // what the picture area shows
};

class HiDpiPictureTest : public SurfaceTest, public ::testing::WithParamInterface<RatioCase> {};

TEST_P(HiDpiPictureTest, ThePictureComesFromTheDoubleSizeRenderingWhenItFits) {
    const RatioCase& c = GetParam();
    const QSize doubledSize = c.doubledFits ? QSize(400, 200) : QSize(402, 200);
    ScreenPicture shown(JpegPicture(jpegStream(solidImage({200, 100}, QColor(200, 40, 40)))),
                        JpegPicture(jpegStream(solidImage(doubledSize, QColor(40, 40, 200)))));
    surface->addElement(picture("Image1", QRect(10, 10, 300, 200), &shown, true));
    surface->resize(320, 220);
    const QImage f = renderAt(*surface, c.ratio);
    // The picture lies at (60, 60) to (259, 159) in layout pixels, whatever the density.
    for (QPoint at : {QPoint(61, 61), QPoint(258, 158), QPoint(160, 110)}) {
        const QRgb v = f.pixel(qFloor(at.x() * c.ratio), qFloor(at.y() * c.ratio));
        EXPECT_NEAR(qRed(v), c.shown.red(), 4) << c.ratio << " at " << at.x() << "," << at.y();
        EXPECT_NEAR(qBlue(v), c.shown.blue(), 4) << c.ratio << " at " << at.x() << "," << at.y();
    }
    for (QPoint at : {QPoint(58, 110), QPoint(261, 110), QPoint(160, 58), QPoint(160, 161)})
        EXPECT_EQ(f.pixel(qFloor(at.x() * c.ratio), qFloor(at.y() * c.ratio)), kWhite)
            << c.ratio << " at " << at.x() << "," << at.y();
}

INSTANTIATE_TEST_SUITE_P(Ratios, HiDpiPictureTest,
                         ::testing::Values(RatioCase{1, true, QColor(200, 40, 40)},
                                           RatioCase{1.5, true, QColor(40, 40, 200)},
                                           RatioCase{2, true, QColor(40, 40, 200)},
                                           RatioCase{3, true, QColor(40, 40, 200)},
                                           RatioCase{2, false, QColor(200, 40, 40)}));

struct ResampledCase {
    qreal ratio;
    QPoint origin;  // where the picture starts, in layout pixels
    friend void PrintTo(const ResampledCase& c, std::ostream* out) {
        *out << c.ratio << " at " << c.origin.x() << "," << c.origin.y();
    }
};

class HiDpiResampledTest : public SurfaceTest, public ::testing::WithParamInterface<ResampledCase> {};

// Whatever the density, the frame is the one a smooth resampling of the
// double-size rendering at every paint gives (pixel-exact at twice the density),
// however the picture's corner falls between device pixels; the rendering is
// decoded once for all paints at one density.
TEST_P(HiDpiResampledTest, TheFrameIsTheDoubleSizeRenderingResampledAsAtEveryPaint) {
    const ResampledCase& c = GetParam();
    const QSize size(211, 97);
    CountingDecoder counter;
    const JpegPicture doubled(jpegStream(noiseImage(size * 2, 11), 90));
    ScreenPicture shown(JpegPicture(jpegStream(noiseImage(size, 12), 90)), doubled, counter.decoder());
    // Centred in a larger box, so that only the picture's own edges bound it.
    surface->addElement(picture("Image1", QRect(c.origin - QPoint(4, 5), size + QSize(8, 10)), &shown, true));
    surface->resize(260, 140);

    QImage expected(qCeil(260 * c.ratio), qCeil(140 * c.ratio), QImage::Format_RGB32);
    expected.setDevicePixelRatio(c.ratio);
    expected.fill(Qt::black);
    {
        QPainter p(&expected);
        p.fillRect(QRect(0, 0, 260, 140), Qt::white);
        p.setRenderHint(QPainter::SmoothPixmapTransform, c.ratio != 2);
        p.drawImage(QRect(c.origin, size), doubled.decode());
    }
    expected.setDevicePixelRatio(1);
    EXPECT_EQ(renderAt(*surface, c.ratio), expected);
    EXPECT_EQ(renderAt(*surface, c.ratio), expected) << "drawn again from what was kept";
    EXPECT_EQ(counter.count(doubled.stream()), 1);
}

INSTANTIATE_TEST_SUITE_P(Densities, HiDpiResampledTest,
                         ::testing::Values(ResampledCase{1.25, {10, 23}}, ResampledCase{1.25, {9, 19}},
                                           ResampledCase{1.5, {10, 23}}, ResampledCase{1.5, {9, 19}},
                                           ResampledCase{1.5, {6, 28}}, ResampledCase{1.75, {7, 13}},
                                           ResampledCase{2, {9, 19}}, ResampledCase{2.5, {9, 19}}));

}  // namespace
}  // namespace kvarnel
