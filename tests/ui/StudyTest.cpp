// Study mode through the window: press-and-hold close-ups, the mouse capture,
// the blank pointer, the instruction line and the hints, with real mouse events.
#include <gtest/gtest.h>
#include <QCursor>
#include <QGuiApplication>
#include <QTest>
#include <QTextEdit>

#include "WindowHarness.h"
#include "core/Catalogue.h"
#include "ui/drawing/Surface.h"
#include "ui/window/DescriptionPanels.h"
#include "ui/window/HintPopup.h"

namespace kvarnel::testing {
namespace {

QString qs(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<int>(s.size())); }

std::vector<QString> visibleOfKind(WindowHarness& h, SurfaceElement::Kind kind) {
    std::vector<QString> names;
    const Surface& s = h.form().surface();
    for (int i = 0; i < s.elementCount(); ++i)
        if (s.element(i).kind == kind && s.element(i).visible) names.push_back(s.element(i).name);
    return names;
}

std::vector<NodeNumber> visiblePanels(WindowHarness& h) {
    std::vector<NodeNumber> nodes;
    for (NodeNumber n = 1; n <= kNodeCount; ++n)
        if (!h.form().panel(n)->isHidden()) nodes.push_back(n);
    return nodes;
}

bool pointerBlank() {
    const QCursor* c = QGuiApplication::overrideCursor();
    return c && c->shape() == Qt::BlankCursor;
}

// The overview as after the window's creation.
void expectOverview(WindowHarness& h) {
    TForm1& f = h.form();
    EXPECT_TRUE(f.isVisible(Control::Image1));
    EXPECT_FALSE(f.isVisible(Control::Image2));
    EXPECT_FALSE(f.isVisible(Control::Image3));
    EXPECT_EQ(visibleOfKind(h, SurfaceElement::Kind::Hotspot).size(), 50u);
    EXPECT_TRUE(visibleOfKind(h, SurfaceElement::Kind::Marker).empty());
    EXPECT_TRUE(visiblePanels(h).empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    for (const HotspotRow& row : Catalogue::standard().hotspots())
        EXPECT_TRUE(f.surface().element(h.index(qs(row.name))).hintEnabled) << row.name;
}

TEST(UiStudy, HoldingAFrontNodeShowsTheFrontCloseUpAloneWithItsMarkerAndPanel) {
    WindowHarness h;
    TForm1& f = h.form();
    const QPoint p = h.pointOn("ShapeV4");
    h.press(p);
    EXPECT_FALSE(f.isVisible(Control::Image1));
    EXPECT_TRUE(f.isVisible(Control::Image2));
    EXPECT_FALSE(f.isVisible(Control::Image3));
    EXPECT_EQ(visibleOfKind(h, SurfaceElement::Kind::Marker), std::vector<QString>{"ShapeM4"});
    EXPECT_EQ(visiblePanels(h), std::vector<NodeNumber>{4});
    EXPECT_TRUE(visibleOfKind(h, SurfaceElement::Kind::Hotspot).empty());
    EXPECT_TRUE(pointerBlank());
    // No lime disc is left on the screen where the hotspot was.
    EXPECT_NE(h.pixel(p.x(), p.y()), 0x00FF00u);
    // The panel's blue text is on the screen.
    const QImage shot = h.grab();
    int blue = 0;
    const QRect panel = f.panel(4)->geometry();
    for (int y = panel.top(); y <= panel.bottom(); ++y)
        for (int x = panel.left(); x <= panel.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            if (qBlue(c) > 180 && qRed(c) < 120 && qGreen(c) < 120) ++blue;
        }
    EXPECT_GT(blue, 200);

    h.release(QPoint(700, 100));  // anywhere: the capture brings it to the hotspot
    expectOverview(h);
    // The pointer at once: the hand over a hotspot, the arrow elsewhere.
    EXPECT_EQ(f.surface().cursor().shape(), Qt::ArrowCursor);
}

TEST(UiStudy, HoldingARearNodeShowsTheRearCloseUp) {
    WindowHarness h;
    TForm1& f = h.form();
    const QPoint p = h.pointOn("ShapeV38");
    h.press(p);
    EXPECT_TRUE(f.isVisible(Control::Image3));
    EXPECT_FALSE(f.isVisible(Control::Image1));
    EXPECT_EQ(visibleOfKind(h, SurfaceElement::Kind::Marker),
              (std::vector<QString>{"ShapeM38", "ShapeM38_1", "ShapeM38_2", "ShapeM38_3"}));
    EXPECT_EQ(visiblePanels(h), std::vector<NodeNumber>{38});
    h.release(p);
    expectOverview(h);
    EXPECT_EQ(f.surface().cursor().shape(), Qt::PointingHandCursor);
}

TEST(UiStudy, Node10KeepsTheOverviewWithItsFiveMarkersTintingThePicture) {
    WindowHarness h;
    TForm1& f = h.form();
    h.click(h.pointOn("ShapeV1"));  // the instruction line goes for good
    const QImage before = h.grab();
    h.press(h.pointOn("ShapeV10_3"));
    EXPECT_TRUE(f.isVisible(Control::Image1));
    EXPECT_EQ(visibleOfKind(h, SurfaceElement::Kind::Hotspot).size(), 50u);
    EXPECT_EQ(visibleOfKind(h, SurfaceElement::Kind::Marker),
              (std::vector<QString>{"ShapeM10", "ShapeM10_1", "ShapeM10_2", "ShapeM10_3", "ShapeM10_4"}));
    EXPECT_EQ(visiblePanels(h), std::vector<NodeNumber>{10});
    EXPECT_TRUE(pointerBlank());
    // Inside each marker the picture shows through with its red part cleared.
    const QImage held = h.grab();
    for (const char* name : {"ShapeM10", "ShapeM10_1", "ShapeM10_2", "ShapeM10_3", "ShapeM10_4"}) {
        const QPoint c = f.surface().element(h.index(name)).box.center();
        if (f.surface().elementAt(c) != h.index(name)) continue;  // a hotspot lies over its middle
        EXPECT_EQ(held.pixel(c) & 0xFFFFFF, before.pixel(c) & 0x00FFFF) << name;
    }
    h.release(QPoint(5, 5));
    expectOverview(h);
    EXPECT_EQ(h.grab(), before);
}

TEST(UiStudy, Nodes6And7ShareTheirMarkersButNotTheirPanels) {
    WindowHarness h;
    TForm1& f = h.form();
    for (NodeNumber n : {6, 7}) {
        const QPoint p = h.pointOn(n == 6 ? "ShapeV6" : "ShapeV7");
        h.press(p);
        EXPECT_TRUE(f.isVisible(Control::Image2)) << n;
        EXPECT_EQ(visibleOfKind(h, SurfaceElement::Kind::Marker),
                  (std::vector<QString>{"ShapeM7", "ShapeM7_1"}));
        EXPECT_EQ(visiblePanels(h), std::vector<NodeNumber>{n});
        h.release(p);
    }
    EXPECT_TRUE(f.panel(6)->toPlainText().startsWith(QString::fromUtf8("Диафрагма")));
    EXPECT_FALSE(f.panel(7)->toPlainText().startsWith(QString::fromUtf8("Диафрагма")));
}

// Panels get their text when first needed: the one a press shows is complete,
// found as the student sees it (among the window's children, on the screen).
TEST(UiStudy, APressShowsItsPanelWithTextFontAndColour) {
    WindowHarness h;
    const QPoint p = h.pointOn("ShapeV6");
    h.press(p);
    std::vector<QTextEdit*> shown;
    for (QTextEdit* memo : h.form().findChildren<QTextEdit*>(Qt::FindDirectChildrenOnly))
        if (!memo->isHidden()) shown.push_back(memo);
    ASSERT_EQ(shown.size(), 1u);
    const QString text = DescriptionPanels::descriptionText(6);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(shown[0]->toPlainText(), text);
    EXPECT_EQ(shown[0]->font().pixelSize(), Catalogue::standard().panel(6).fontHeight);
    EXPECT_EQ(shown[0]->viewport()->cursor().shape(), Qt::ArrowCursor);  // not an entry field
    const QImage frame = h.grab();
    int blue = 0;
    const QRect box = shown[0]->geometry();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb c = frame.pixel(x, y);
            if (qBlue(c) > 160 && qRed(c) < 100 && qGreen(c) < 100) ++blue;
        }
    EXPECT_GT(blue, 200) << "the description is drawn in blue";
    h.release(p);
}

TEST(UiStudy, MovingOffWhileHeldKeepsTheCloseUpAndTheBlankPointer) {
    WindowHarness h;
    TForm1& f = h.form();
    h.press(h.pointOn("ShapeV5"));
    for (QPoint p : {QPoint(600, 300), QPoint(300, 600), QPoint(1000, 700)}) {
        h.move(p);
        EXPECT_TRUE(f.isVisible(Control::Image2));
        EXPECT_EQ(visiblePanels(h), std::vector<NodeNumber>{5});
        EXPECT_TRUE(pointerBlank());
        EXPECT_FALSE(f.hintPopup().isVisible());
    }
    h.release(QPoint(300, 600));  // over the description panel's place
    expectOverview(h);
}

TEST(UiStudy, RightButtonShowsNothingAndItsReleaseChangesNothing) {
    WindowHarness h;
    TForm1& f = h.form();
    const QImage before = h.grab();
    const QPoint p = h.pointOn("ShapeV4");
    h.press(p, Qt::RightButton);
    EXPECT_TRUE(f.isVisible(Control::Image1));
    EXPECT_TRUE(visibleOfKind(h, SurfaceElement::Kind::Marker).empty());
    EXPECT_FALSE(pointerBlank());
    EXPECT_TRUE(f.isVisible(Control::StaticText1Mashtab));  // only a left press hides it
    h.release(p, Qt::RightButton);
    expectOverview(h);
    EXPECT_EQ(h.grab(), before);
}

TEST(UiStudy, DoubleClickActsAsTwoPressesEachWithItsRelease) {
    WindowHarness h;
    const QPoint p = h.pointOn("ShapeV1");
    QTest::mouseDClick(h.window(), Qt::LeftButton, {}, p);
    expectOverview(h);
}

TEST(UiStudy, FirstPressHidesTheInstructionForGood) {
    WindowHarness h;
    TForm1& f = h.form();
    EXPECT_TRUE(f.isVisible(Control::StaticText1Mashtab));
    h.click(h.pointOn("ShapeV2"));
    EXPECT_FALSE(f.isVisible(Control::StaticText1Mashtab));
    h.click(h.pointOn("ShapeV4"));
    EXPECT_FALSE(f.isVisible(Control::StaticText1Mashtab));
}

TEST(UiStudy, TestModeLeavesThePictureAloneAndHintsOff) {
    WindowHarness h;
    TForm1& f = h.form();
    h.registerStudent("41", "Petrov");
    ASSERT_TRUE(f.isVisible(Control::SpeedPusk));
    const QImage before = h.grab();
    const QPoint p = h.pointOn("ShapeV4");
    h.press(p);
    EXPECT_TRUE(f.isVisible(Control::Image1));
    EXPECT_FALSE(f.isVisible(Control::Image2));
    EXPECT_TRUE(visibleOfKind(h, SurfaceElement::Kind::Marker).empty());
    EXPECT_TRUE(visiblePanels(h).empty());
    EXPECT_FALSE(pointerBlank());
    h.release(p);
    EXPECT_EQ(h.grab(), before);
    for (const HotspotRow& row : Catalogue::standard().hotspots())
        EXPECT_FALSE(f.surface().element(h.index(qs(row.name))).hintEnabled) << row.name;
}

TEST(UiStudy, HintComesAfterItsDelayInLimeAndAPressTakesItAway) {
    HarnessOptions o;
    o.hintDelayMs = 150;
    WindowHarness h(o);
    TForm1& f = h.form();
    const QPoint p = h.pointOn("ShapeV12");
    h.move(p + QPoint(0, 40));
    h.move(p);
    EXPECT_FALSE(f.hintPopup().isVisible());  // not before the pointer has rested
    QTest::qWait(40);
    EXPECT_FALSE(f.hintPopup().isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.hintPopup().isVisible(); }, 2000));
    EXPECT_EQ(f.hintPopup().text(),
              QString::fromUtf8(Catalogue::standard().hotspot("ShapeV12")->hint.data()));
    const QImage popup = f.hintPopup().grab().toImage().convertToFormat(QImage::Format_RGB32);
    int lime = 0;
    for (int y = 0; y < popup.height(); ++y)
        for (int x = 0; x < popup.width(); ++x)
            if ((popup.pixel(x, y) & 0xFFFFFF) == 0x00FF00) ++lime;
    EXPECT_GT(lime, popup.width() * popup.height() / 2);
    // Below the pointer, at its x position.
    const QPoint global = h.window()->mapToGlobal(p);
    EXPECT_EQ(f.hintPopup().pos(), HintPopup::placement(f.hintPopup().size(), global,
                                                        QGuiApplication::primaryScreen()->geometry()));
    h.press(p);
    EXPECT_FALSE(f.hintPopup().isVisible());
    h.release(p);
}

TEST(UiStudy, LeavingTheHotspotOntoThePictureTakesTheHintAway) {
    WindowHarness h;
    TForm1& f = h.form();
    const QPoint p = h.pointOn("ShapeV3");
    h.move(p);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.hintPopup().isVisible(); }, 2000));
    h.move(p + QPoint(30, 0));
    EXPECT_FALSE(f.hintPopup().isVisible());
}

TEST(UiStudy, PointerIsTheHandOverAHotspotAndTheArrowElsewhere) {
    WindowHarness h;
    TForm1& f = h.form();
    h.move(h.pointOn("ShapeV3"));
    EXPECT_EQ(f.surface().cursor().shape(), Qt::PointingHandCursor);
    h.move(QPoint(500, 20));
    EXPECT_EQ(f.surface().cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace kvarnel::testing
