// The drawing surface as the user sees it: pixels of the composed frame.
#include <QFontMetrics>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

#include "SurfaceFixture.h"
#include "ui/drawing/ElementPainter.h"
#include "ui/drawing/JpegPicture.h"
#include "ui/drawing/ScreenPicture.h"

namespace kvarnel {
namespace {

using namespace kvarnel::testing;

TEST_F(SurfaceTest, ResolvesColourNumbers) {
    EXPECT_EQ(surface->colour(clRed), QColor(255, 0, 0));
    EXPECT_EQ(surface->colour(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(surface->colour(clAqua), QColor(0, 255, 255));
    EXPECT_EQ(surface->colour(clCream), QColor(255, 251, 240));
    EXPECT_EQ(surface->colour(clGreen), QColor(0, 128, 0));
    QPalette palette = surface->palette();
    const struct {
        ColourNumber number;
        QPalette::ColorRole role;
        QColor value;
    } system[] = {{clWindowText, QPalette::WindowText, QColor(1, 2, 3)},
                  {clBtnFace, QPalette::Button, QColor(4, 5, 6)},
                  {clBtnShadow, QPalette::Dark, QColor(7, 8, 9)},
                  {clBtnHighlight, QPalette::Light, QColor(10, 11, 12)},
                  {clInfoText, QPalette::ToolTipText, QColor(13, 14, 15)},
                  {clInfoBk, QPalette::ToolTipBase, QColor(16, 17, 18)},
                  {clWindow, QPalette::Base, QColor(19, 20, 21)}};
    for (const auto& s : system) palette.setColor(s.role, s.value);
    surface->setPalette(palette);
    for (const auto& s : system) EXPECT_EQ(surface->colour(s.number), s.value) << s.number;
}

TEST_F(SurfaceTest, HotspotOverWhiteIsALimeDiscInARedRing) {
    surface->addElement(hotspot("ShapeV1", 100, 200));
    show();
    const QImage f = frame();
    EXPECT_EQ(f.pixel(300, 300), kWhite);
    EXPECT_EQ(f.pixel(107, 207), qRgb(0, 255, 0));
    EXPECT_EQ(f.pixel(107, 200), qRgb(255, 0, 0));
    EXPECT_EQ(f.pixel(100, 207), qRgb(255, 0, 0));
    for (QPoint corner : {QPoint(100, 200), QPoint(114, 200), QPoint(100, 214), QPoint(114, 214)})
        EXPECT_EQ(f.pixel(corner), kWhite) << corner.x() << "," << corner.y();
}

TEST_F(SurfaceTest, MarkersOverWhiteTintAndOutline) {
    const QRect blue(200, 100, 25, 57);
    const QRect red(300, 100, 161, 209);
    surface->addElement(marker("ShapeM10", blue, clBlue));
    surface->addElement(marker("ShapeM1", red, clRed));
    show();
    const QImage f = frame();
    EXPECT_EQ(f.pixel(blue.center()), kAqua);
    EXPECT_EQ(f.pixel(blue.left(), blue.center().y()), qRgb(0, 0, 255));
    EXPECT_EQ(f.pixel(blue.left() + 5, blue.center().y()), qRgb(0, 0, 255));
    EXPECT_EQ(f.pixel(red.center()), kAqua);
    EXPECT_EQ(f.pixel(red.left() + 1, red.center().y()), qRgb(255, 0, 0));
    EXPECT_EQ(f.pixel(red.left() + 5, red.center().y()), qRgb(0, 0, 0));
}

TEST_F(SurfaceTest, ShowingAndHidingAMarkerManyTimesLeavesThePictureAsItWas) {
    ScreenPicture source(JpegPicture(jpegStream(noiseImage({400, 300}, 3), 90)));
    surface->addElement(picture("Image1", QRect(0, 0, 400, 300), &source, false));
    surface->addElement(marker("ShapeM2", QRect(60, 50, 120, 90), clBlue));
    const int red = surface->addElement(marker("ShapeM1", QRect(50, 40, 161, 209), clRed));
    surface->setElementVisible(red, false);
    show();
    const QImage before = frame();
    QImage firstShown;
    QImage lastShown;
    for (int i = 0; i < 100; ++i) {
        surface->setElementVisible(red, true);
        if (i == 0) firstShown = frame();
        if (i == 99) lastShown = frame();
        QCoreApplication::processEvents();  // each change painted on its own
        surface->setElementVisible(red, false);
        QCoreApplication::processEvents();
    }
    const QImage after = frame();
    EXPECT_EQ(after, before);
    EXPECT_EQ(lastShown, firstShown);
    EXPECT_NE(firstShown, before);
    // The tint is taken from the untouched picture, under both markers.
    const QPoint inside(120, 200);  // inside the red marker only
    EXPECT_EQ(firstShown.pixel(inside), before.pixel(inside) & kAqua);
    const QPoint both(120, 100);  // inside both markers
    EXPECT_EQ(firstShown.pixel(both), before.pixel(both) & kAqua);
}

TEST_F(SurfaceTest, AChangeRepaintsOnlyTheChangedBox) {
    const QRect box(300, 100, 161, 209);
    const int m = surface->addElement(marker("ShapeM1", box, clRed));
    const int l = surface->addElement(label("LabelStat2", QRect(600, 688, 4, 20), "", true));
    show();
    PaintRecorder recorder;
    surface->installEventFilter(&recorder);
    surface->setElementVisible(m, false);
    frame();
    EXPECT_EQ(recorder.painted, QRegion(box));
    recorder.painted = QRegion();
    const QRect emptyBox = surface->element(l).box;
    surface->setElementText(l, "65");
    frame();
    EXPECT_EQ(recorder.painted, QRegion(emptyBox) + QRegion(surface->element(l).box));
    surface->removeEventFilter(&recorder);
}

TEST_F(SurfaceTest, FixedLabelIsCutAtItsBoxRightEdge) {
    SurfaceElement e = label("LabelWopros", QRect(32, 600, 617, 33), QString(80, 'W'), false);
    e.font = testFont("Liberation Sans", 19);
    surface->addElement(e);
    show();
    const QImage f = frame();
    const QRgb cream = rgb(clCream);
    bool textAtEdge = false;
    for (int y = 600; y <= 632; ++y) {
        EXPECT_NE(f.pixel(648, y), kWhite) << y;  // the box's last column
        EXPECT_EQ(f.pixel(649, y), kWhite) << y;  // nothing beyond it
        EXPECT_EQ(f.pixel(31, y), kWhite) << y;
        for (int x = 640; x <= 648; ++x) textAtEdge |= f.pixel(x, y) != cream;
    }
    EXPECT_TRUE(textAtEdge);
    for (int x = 32; x <= 648; ++x) {
        EXPECT_EQ(f.pixel(x, 633), kWhite) << x;
        EXPECT_NE(f.pixel(x, 632), kWhite) << x;
    }
}

TEST_F(SurfaceTest, AutoSizedLabelWidensToTheRightFromItsLeftEdge) {
    const SurfaceElement e = label("LabelStat2", QRect(600, 688, 4, 20), "", true);
    const QFontMetrics metrics(e.font);
    const int l = surface->addElement(e);
    // Empty: a blank wide and as high as the same label with a text.
    EXPECT_EQ(surface->element(l).box,
              QRect(600, 688, metrics.horizontalAdvance(' '), metrics.size(0, "100").height()));
    show();
    surface->setElementText(l, "100");
    const QRect wide = surface->element(l).box;
    EXPECT_EQ(wide.topLeft(), QPoint(600, 688));
    EXPECT_EQ(wide.size(), metrics.size(0, "100"));
    QImage f = frame();
    const int y = 688 + 2;
    EXPECT_EQ(f.pixel(599, y), kWhite);
    EXPECT_NE(f.pixel(600, y), kWhite);
    EXPECT_NE(f.pixel(wide.right(), y), kWhite);
    EXPECT_EQ(f.pixel(wide.right() + 1, y), kWhite);
    // Shrinking again uncovers what lay beneath the longer text.
    surface->setElementText(l, "");
    f = frame();
    EXPECT_EQ(surface->element(l).box.width(), metrics.horizontalAdvance(' '));
    EXPECT_EQ(f.pixel(wide.right(), y), kWhite);
}

TEST_F(SurfaceTest, LabelExpandsTabsAndStartsNewLines) {
    const SurfaceElement e = label("L", QRect(10, 10, 4, 20), "a\tb\nc", true);
    const QFontMetrics metrics(e.font);
    const int l = surface->addElement(e);
    EXPECT_GE(surface->element(l).box.height(), 2 * metrics.height());
    EXPECT_GT(surface->element(l).box.width(), metrics.horizontalAdvance("ab") * 2);
}

TEST_F(SurfaceTest, DisabledButtonCaptionIsEmbossed) {
    const QRect box(888, 625, 81, 33);
    const int b = surface->addElement(button("SpeedButtonRezWopros", box, "TEST"));
    show();
    const QRect inner = box.adjusted(3, 3, -3, -3);
    const QImage enabled = frame();
    EXPECT_FALSE(pixelsOf(enabled, inner, colourOf(clWindowText)).isEmpty());
    EXPECT_TRUE(pixelsOf(enabled, inner, colourOf(clBtnShadow)).isEmpty());
    EXPECT_EQ(enabled.pixel(inner.topLeft()), colourOf(clBtnFace));

    surface->setElementEnabled(b, false);
    const QImage disabled = frame();
    EXPECT_TRUE(pixelsOf(disabled, inner, colourOf(clWindowText)).isEmpty());
    const QRect shadow = pixelsOf(disabled, inner, colourOf(clBtnShadow));
    const QRect highlight = pixelsOf(disabled, inner, colourOf(clBtnHighlight));
    ASSERT_FALSE(shadow.isEmpty());
    ASSERT_FALSE(highlight.isEmpty());
    // The highlight copy lies 1 px right and down of the shadow copy.
    EXPECT_EQ(highlight.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
    // Still a raised face: the caption is where the enabled one was.
    EXPECT_EQ(shadow, pixelsOf(enabled, inner, colourOf(clWindowText)));
}

TEST_F(SurfaceTest, HeldButtonIsSunkenWithItsCaptionMovedWhileThePointerIsOverIt) {
    const QRect box(216, 672, 100, 33);
    surface->addElement(button("SpeedPusk", box, "QUESTION?"));
    show();
    const QRect inner = box.adjusted(3, 3, -3, -3);
    const QRgb text = colourOf(clWindowText);
    const QRect raised = pixelsOf(frame(), inner, text);
    ASSERT_FALSE(raised.isEmpty());
    QTest::mousePress(window(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(pixelsOf(frame(), inner, text), raised.translated(1, 1));
    QTest::mouseMove(window(), QPoint(500, 300));
    EXPECT_EQ(pixelsOf(frame(), inner, text), raised);
    QTest::mouseMove(window(), box.center() + QPoint(10, 0));
    EXPECT_EQ(pixelsOf(frame(), inner, text), raised.translated(1, 1));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, box.center() + QPoint(10, 0));
    EXPECT_EQ(pixelsOf(frame(), inner, text), raised);
}

struct PlacementCase {
    const char* what;
    QRect box;
    QSize picture;
    bool centred;
    QPoint origin;
};

class PicturePlacementTest : public SurfaceTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PicturePlacementTest, PictureStartsWhereItsBoxPlacesIt) {
    const PlacementCase& c = GetParam();
    const QColor dark(30, 60, 90);
    ScreenPicture source(JpegPicture(jpegStream(solidImage(c.picture, dark))));
    const SurfaceElement e = picture("Image", c.box, &source, c.centred);
    EXPECT_EQ(ElementPainter::pictureOrigin(e, c.picture), c.origin) << c.what;
    surface->addElement(e);
    show();
    const QImage f = frame();
    const QRect drawn(c.origin, c.picture);
    auto near = [&](QPoint p) {
        const QRgb v = f.pixel(p);
        return std::abs(qRed(v) - dark.red()) <= 3 && std::abs(qGreen(v) - dark.green()) <= 3 &&
               std::abs(qBlue(v) - dark.blue()) <= 3;
    };
    EXPECT_TRUE(near(drawn.topLeft())) << c.what;
    EXPECT_TRUE(near(drawn.bottomRight())) << c.what;
    EXPECT_EQ(f.pixel(drawn.topLeft() - QPoint(1, 0)), kWhite) << c.what;
    EXPECT_EQ(f.pixel(drawn.topLeft() - QPoint(0, 1)), kWhite) << c.what;
    EXPECT_EQ(f.pixel(drawn.bottomRight() + QPoint(1, 0)), kWhite) << c.what;
    EXPECT_EQ(f.pixel(drawn.bottomRight() + QPoint(0, 1)), kWhite) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PicturePlacementTest,
    ::testing::Values(PlacementCase{"Image1", {0, 0, 1025, 570}, {1005, 523}, true, {10, 23}},
                      PlacementCase{"Image2 from x = -3", {-3, 5, 1025, 570}, {1006, 523}, true, {6, 28}},
                      PlacementCase{"Image3 not centred", {9, 19, 1016, 570}, {1006, 524}, false, {9, 19}}));

// A hidden picture is decoded behind the first frame, once: showing it later
// only draws it.
TEST_F(SurfaceTest, AHiddenPictureIsDecodedAfterTheFirstFrameOnce) {
    CountingDecoder counter;
    const JpegPicture stream(jpegStream(noiseImage({200, 100}, 5)));
    ScreenPicture source(stream, JpegPicture(), counter.decoder());
    const int p = surface->addElement(picture("Image2", QRect(0, 0, 200, 100), &source, false));
    surface->setElementVisible(p, false);
    show();
    for (int waited = 0; counter.count(stream.stream()) == 0 && waited < 5000; waited += 5) QTest::qWait(5);
    EXPECT_EQ(counter.count(stream.stream()), 1);
    surface->setElementVisible(p, true);
    const QImage shown = frame();
    EXPECT_EQ(shown.pixel(50, 50), stream.decode().pixel(50, 50));
    surface->setElementVisible(p, false);
    frame();
    surface->setElementVisible(p, true);
    frame();
    EXPECT_EQ(counter.count(stream.stream()), 1);
}

// The white background shows where a picture cannot be decoded, also where its
// header promised opaque pixels and the background was left out for it.
TEST_F(SurfaceTest, AnUndecodablePictureDrawsNothing) {
    const auto failing = [](const QByteArray&, QImage, QString* error) {
        *error = QStringLiteral("corrupt data");
        return QImage();
    };
    const struct {
        const char* what;
        JpegPicture stream;
        ScreenPicture::Decoder decoder;
    } cases[] = {{"no header", JpegPicture(QByteArray("not a picture")), {}},
                 {"a header, then no picture", JpegPicture(jpegStream(noiseImage({200, 100}, 5))), failing}};
    for (const auto& c : cases) {
        ScreenPicture broken(c.stream, JpegPicture(), c.decoder);
        surface->addElement(picture("Image1", QRect(0, 0, 300, 200), &broken, false));
        surface->addElement(hotspot("ShapeV1", 50, 50));
        show();
        const QImage f = frame();
        EXPECT_EQ(f.pixel(10, 10), kWhite) << c.what;
        EXPECT_EQ(f.pixel(150, 80), kWhite) << c.what;
        EXPECT_EQ(f.pixel(57, 57), qRgb(0, 255, 0)) << c.what;
        EXPECT_FALSE(broken.error().isEmpty()) << c.what;
        SetUp();  // a fresh surface for the next case
    }
}

}  // namespace
}  // namespace kvarnel
