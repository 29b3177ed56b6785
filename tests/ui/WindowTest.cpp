// The main window at first display and its layout, checked from the window's
// own states and from the pixels it paints.
#include <gtest/gtest.h>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include "WindowHarness.h"
#include "core/Catalogue.h"
#include "tests/support/StoredDescriptions.h"
#include "ui/drawing/JpegPicture.h"
#include "ui/drawing/PictureResources.h"
#include "ui/drawing/ScreenPicture.h"
#include "ui/drawing/Surface.h"
#include "ui/window/FormLayout.h"

namespace kvarnel::testing {
namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kCream = 0xFFFBF0;
constexpr QRgb kLime = 0x00FF00;
constexpr QRgb kRed = 0xFF0000;

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y) & 0xFFFFFF)) ++n;
    return n;
}

TEST(UiWindow, WindowIsFixedWhiteCentredWithCaptionAndIcon) {
    WindowHarness h;
    TForm1& f = h.form();
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Кварнел"));
    EXPECT_EQ(f.size(), QSize(1026, 727));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());  // no resizing by dragging
    // The icon is set once the first frame is on screen, with every size built in.
    QTRY_VERIFY(!f.windowIcon().isNull());
    EXPECT_EQ(f.windowIcon().availableSizes().size(),
              QDir(QStringLiteral(":/icon")).entryList({"*.png"}).size());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = f.frameGeometry();
    EXPECT_EQ(frame.left(), (screen.width() - frame.width()) / 2);
    EXPECT_EQ(frame.top(), (screen.height() - frame.height()) / 2);
    // A spot no component covers: the white window background.
    EXPECT_EQ(h.pixel(1020, 720), kWhite);
}

TEST(UiWindow, FirstDisplayShowsOverviewStudyLabelTestExitAndInstruction) {
    WindowHarness h;
    TForm1& f = h.form();
    for (Control c : {Control::Image1, Control::StaticText1Mashtab, Control::LabelRegObutch,
                      Control::SpeedButtonRezWopros, Control::SpeedExit, Control::Label_Ostalos})
        EXPECT_TRUE(f.isVisible(c)) << nameOf(c);
    for (Control c : {Control::Image2, Control::Image3, Control::SpeedPusk, Control::SpeedButtonRezOznkom,
                      Control::SpeedVvod, Control::Edit1Gruppa, Control::Edit1Fio, Control::LabelGruppa,
                      Control::LabelFio, Control::LabelPanelFio, Control::ProgressBar1, Control::LabelWopros,
                      Control::LabelOtvet, Control::LabelStat1, Control::LabelStat2, Control::LabelRegTest})
        EXPECT_FALSE(f.isVisible(c)) << nameOf(c);
    EXPECT_EQ(f.text(Control::Label_Ostalos), "");
    EXPECT_FALSE(f.isEnabled(Control::SpeedButtonRezOznkom));
    EXPECT_TRUE(f.isEnabled(Control::SpeedButtonRezWopros));
    EXPECT_FALSE(f.timerRunning());

    const Catalogue& cat = Catalogue::standard();
    for (const HotspotRow& row : cat.hotspots()) {
        const SurfaceElement& e = f.surface().element(h.index(QString::fromLatin1(row.name.data())));
        EXPECT_TRUE(e.visible) << row.name;
        EXPECT_TRUE(e.hintEnabled) << row.name;
    }
    for (const MarkerRow& row : cat.markers())
        EXPECT_FALSE(h.elementVisible(QString::fromLatin1(row.name.data()))) << row.name;
    for (NodeNumber n = 1; n <= kNodeCount; ++n) EXPECT_TRUE(f.panel(n)->isHidden()) << n;

    const QImage shot = h.grab();
    // ShapeV1 over the picture: a lime disc with a red ring at the top of its circle.
    EXPECT_EQ(shot.pixel(216 + 7, 455 + 7) & 0xFFFFFF, kLime);
    EXPECT_EQ(shot.pixel(216 + 7, 455) & 0xFFFFFF, kRed);
    // "Study mode" on its cream box at (384, 577), text in black.
    const QRect study = f.surface().element(h.index("LabelRegObutch")).box;
    EXPECT_EQ(study.topLeft(), QPoint(384, 577));
    EXPECT_GT(countPixels(shot, study, [](QRgb c) { return c == kCream; }),
              study.width() * study.height() / 2);
    EXPECT_GT(countPixels(shot, study, [](QRgb c) { return qGray(c) < 60; }), 20);
    // The instruction line in blue under the picture.
    QWidget* line = f.childControl(Control::StaticText1Mashtab);
    EXPECT_EQ(line->pos(), QPoint(44, 560));
    EXPECT_GT(countPixels(shot, line->geometry(), [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 100; }),
              100);
}

TEST(UiWindow, InstructionLineIsItsTextPlusFourPixelsAndTakesNoInput) {
    WindowHarness h;
    auto* line = static_cast<QLabel*>(h.form().childControl(Control::StaticText1Mashtab));
    const QFontMetrics m(line->font());
    const QSize text = m.size(Qt::TextSingleLine, line->text());
    EXPECT_EQ(line->size(), text + QSize(4, 4));
    EXPECT_EQ(line->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(QFontInfo(line->font()).family(), "Liberation Serif");
    EXPECT_EQ(line->font().pixelSize(), 13);
}

// The layout's families are drawn with the free fonts that stand in for them.
TEST(UiWindow, FontsAreSubstitutedWithCharacterHeightsAsPixelSizes) {
    WindowHarness h;
    struct Case {
        const char* element;
        const char* family;
        int pixels;
        bool bold;
    };
    const Case cases[] = {
        {"LabelWopros", "Liberation Sans", 19, false},     {"LabelOtvet", "Liberation Sans", 16, true},
        {"SpeedExit", "Liberation Serif", 16, false},      {"SpeedPusk", "Liberation Serif", 16, true},
        {"LabelRegObutch", "Liberation Serif", 19, false}, {"LabelStat1", "Liberation Sans", 16, false},
        {"SpeedVvod", "Liberation Sans", 11, false},       {"Label_Ostalos", "Liberation Sans", 11, false},
    };
    for (const Case& c : cases) {
        const QFont& font = h.form().surface().element(h.index(c.element)).font;
        EXPECT_EQ(QFontInfo(font).family(), c.family) << c.element;
        EXPECT_EQ(font.pixelSize(), c.pixels) << c.element;
        EXPECT_EQ(font.bold(), c.bold) << c.element;
    }
    QTextEdit* memo10 = h.form().panel(10);
    EXPECT_EQ(QFontInfo(memo10->font()).family(), "Liberation Sans");
    EXPECT_EQ(memo10->font().pixelSize(), 12);
}

TEST(UiWindow, SurfaceElementsAreCreatedInStackingOrder) {
    WindowHarness h;
    const Surface& s = h.form().surface();
    const auto& stacking = Catalogue::standard().stacking();
    std::vector<QString> expected = {"Image3",     "Image2",  "Image1",    "LabelWopros",
                                     "LabelOtvet", "ShapeV1", "SpeedExit", "SpeedPusk"};
    std::size_t shape = 1;
    for (; stacking[shape - 1] != "ShapeV10_4"; ++shape)
        expected.push_back(QString::fromLatin1(stacking[shape].data()));
    for (const char* name :
         {"SpeedButtonRezOznkom", "SpeedButtonRezWopros", "LabelRegObutch", "LabelRegTest", "LabelStat1",
          "LabelStat2", "LabelPanelFio", "LabelGruppa", "LabelFio", "SpeedVvod"})
        expected.push_back(name);
    for (; shape < stacking.size(); ++shape) expected.push_back(QString::fromLatin1(stacking[shape].data()));
    expected.push_back("Label_Ostalos");
    ASSERT_EQ(s.elementCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < s.elementCount(); ++i) EXPECT_EQ(s.element(i).name, expected[i]) << i;
}

TEST(UiWindow, ChildControlsLieAboveTheSurfaceInCreationOrder) {
    WindowHarness h;
    TForm1& f = h.form();
    const QObjectList& children = f.children();
    auto at = [&](const QObject* o) { return children.indexOf(const_cast<QObject*>(o)); };
    int previous = at(&f.surface());
    for (NodeNumber n = 1; n <= kNodeCount; ++n) {
        EXPECT_GT(at(f.panel(n)), previous) << n;
        previous = at(f.panel(n));
    }
    for (Control c :
         {Control::ProgressBar1, Control::Edit1Gruppa, Control::Edit1Fio, Control::StaticText1Mashtab}) {
        EXPECT_GT(at(f.childControl(c)), previous) << nameOf(c);
        previous = at(f.childControl(c));
    }
    auto* bar = static_cast<QProgressBar*>(f.childControl(Control::ProgressBar1));
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->geometry(), QRect(448, 691, 103, 17));
    EXPECT_EQ(f.childControl(Control::Edit1Gruppa)->geometry(), QRect(376, 659, 185, 21));
    EXPECT_EQ(f.childControl(Control::Edit1Fio)->geometry(), QRect(376, 683, 185, 21));
}

TEST(UiWindow, PanelsHoldTheirDescriptionsReadOnlyWrappedInBlue) {
    WindowHarness h;
    const Catalogue& cat = Catalogue::standard();
    for (NodeNumber n = 1; n <= kNodeCount; ++n) {
        const PanelRow& row = cat.panel(n);
        QTextEdit* memo = h.form().panel(n);
        EXPECT_EQ(memo->geometry(), QRect(row.left, row.top, row.width, row.height)) << n;
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_EQ(memo->lineWrapMode(), QTextEdit::WidgetWidth);
        EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(0, 0, 255));
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), storedDescription(n).lineCount) << n;
        EXPECT_EQ(lines.front().toStdString(), std::string(storedDescription(n).firstLine)) << n;
    }
}

// Every description, wrapped at its panel's width, ends inside the panel: the
// student never has to scroll a panel that has no scroll bar.
TEST(UiWindow, EveryDescriptionFitsItsPanelWhenWrapped) {
    WindowHarness h;
    for (NodeNumber n = 1; n <= kNodeCount; ++n) {
        QTextEdit* memo = h.form().panel(n);
        memo->show();
        QCoreApplication::processEvents();
        QTextCursor end(memo->document());
        end.movePosition(QTextCursor::End);
        const QRect last = memo->cursorRect(end);
        EXPECT_LE(last.bottom(), memo->viewport()->height()) << "node " << n;
        EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << "node " << n;
        memo->hide();
    }
}

// Each picture alone, with nothing over it: drawn unscaled at its place, the
// rest of its box white.
TEST(UiWindow, PicturesStartAtTheirPlacesAndLeaveTheRestOfTheBoxWhite) {
    WindowHarness h;
    TForm1& f = h.form();
    for (const HotspotRow& row : Catalogue::standard().hotspots()) f.setShapeVisible(row.name, false);
    f.setVisible(Control::StaticText1Mashtab, false);
    f.setVisible(Control::LabelRegObutch, false);
    f.setVisible(Control::Image1, false);
    struct Case {
        Control image;
        View view;
        const char* name;
        QPoint origin;
        QSize size;
    };
    const Case cases[] = {
        {Control::Image1, View::Overview, "Image1", {10, 23}, {1005, 523}},
        {Control::Image2, View::Front, "Image2", {6, 28}, {1006, 523}},
        {Control::Image3, View::Rear, "Image3", {9, 19}, {1006, 524}},
    };
    for (const Case& c : cases) {
        f.setVisible(c.image, true);
        const QImage shot = h.grab();
        const SurfaceElement& e = f.surface().element(h.index(c.name));
        ASSERT_NE(e.picture, nullptr);
        ASSERT_TRUE(e.picture->error().isEmpty()) << c.name << ": " << e.picture->error().toStdString();
        const QImage picture = JpegPicture::decode(
            PictureResources::readStream(QString::fromLatin1(PictureResources::kResourceDirectory) + '/' +
                                         PictureResources::fileName(c.view)));
        EXPECT_EQ(e.picture->size(), c.size) << c.name;
        EXPECT_EQ(picture.size(), c.size) << c.name;
        const QRect drawn(c.origin, c.size);
        int differing = 0;
        for (int y = 0; y < c.size.height(); ++y)
            for (int x = 0; x < c.size.width(); ++x)
                if ((shot.pixel(drawn.left() + x, drawn.top() + y) ^ picture.pixel(x, y)) & 0xFFFFFF)
                    ++differing;
        EXPECT_EQ(differing, 0) << c.name;
        const QRect box = e.box.intersected(QRect(0, 0, 1026, 727));
        const int outside = countPixels(shot, box, [](QRgb) { return true; }) -
                            countPixels(shot, drawn, [](QRgb) { return true; });
        int whiteOutside = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (!drawn.contains(x, y) && (shot.pixel(x, y) & 0xFFFFFF) == kWhite) ++whiteOutside;
        EXPECT_EQ(whiteOutside, outside) << c.name;
        f.setVisible(c.image, false);
    }
}

TEST(UiWindow, LabelWoprosCutsItsTextAtColumn648) {
    WindowHarness h;
    TForm1& f = h.form();
    f.setVisible(Control::LabelWopros, true);
    f.setText(Control::LabelWopros, std::string(80, 'W'));
    const QImage shot = h.grab();
    const auto dark = [](QRgb c) { return qGray(c) < 128; };
    EXPECT_GT(countPixels(shot, QRect(640, 600, 9, 33), dark), 0);  // text up to the last column
    EXPECT_EQ(countPixels(shot, QRect(649, 600, 30, 33), [](QRgb c) { return c != kWhite; }), 0);
    EXPECT_EQ(f.surface().element(h.index("LabelWopros")).box, QRect(32, 600, 617, 33));
}

TEST(UiWindow, LabelStat2WidensToTheRightFrom600AndCoversThePercentSign) {
    WindowHarness h;
    TForm1& f = h.form();
    f.setVisible(Control::LabelStat1, true);
    f.setVisible(Control::LabelStat2, true);
    const QRect tail(620, 688, 45, 20);  // where LabelStat1 ends with its "%"
    const auto black = [](QRgb c) { return qGray(c) < 80 && qRed(c) < 80; };
    EXPECT_GT(countPixels(h.grab(), tail, black), 5);
    const QRect before = f.surface().element(h.index("LabelStat2")).box;
    const QImage left = h.grab().copy(0, 688, 600, 20);
    f.setText(Control::LabelStat2, "unsatisfactorily");
    const QRect after = f.surface().element(h.index("LabelStat2")).box;
    EXPECT_EQ(after.topLeft(), QPoint(600, 688));
    EXPECT_EQ(before.topLeft(), after.topLeft());
    EXPECT_GT(after.width(), 70);
    const QImage shot = h.grab();
    EXPECT_EQ(countPixels(shot, tail, black), 0);  // the "%" is hidden under the cream box
    EXPECT_GT(countPixels(shot, after, [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 100; }), 20);
    EXPECT_EQ(shot.copy(0, 688, 600, 20), left);  // nothing changes left of x = 600
}

TEST(UiWindow, DisabledTestButtonShowsAnEmbossedCaption) {
    WindowHarness h;
    TForm1& f = h.form();
    const QRect box = f.surface().element(h.index("SpeedButtonRezWopros")).box;
    const QColor shadow = f.surface().colour(clBtnShadow);
    const QColor text = f.surface().colour(clWindowText);
    const QRect inner = box.adjusted(4, 4, -4, -4);
    auto count = [&](const QImage& image, const QColor& colour) {
        return countPixels(image, inner, [&](QRgb c) { return c == (colour.rgb() & 0xFFFFFF); });
    };
    // The highlight copy shows as pixels lighter than the face along the glyphs.
    const QColor face = f.surface().colour(clBtnFace);
    auto lighterThanFace = [&](const QImage& image) {
        return countPixels(image, inner, [&](QRgb c) { return qGray(c) > qGray(face.rgb()); });
    };
    const QImage enabled = h.grab();
    EXPECT_GT(count(enabled, text), 10);
    EXPECT_EQ(lighterThanFace(enabled), 0);
    h.clickElement("SpeedButtonRezWopros");  // registration: "TEST" stays visible, disabled
    ASSERT_FALSE(f.isEnabled(Control::SpeedButtonRezWopros));
    const QImage disabled = h.grab();
    EXPECT_EQ(count(disabled, text), 0);
    EXPECT_GT(count(disabled, shadow), 10);
    EXPECT_GT(lighterThanFace(disabled), 0);
}

TEST(UiWindow, TabMovesFromGroupToSurnameSelectingAllAndButtonsNeverTakeTheFocus) {
    WindowHarness h;
    TForm1& f = h.form();
    auto* gruppa = static_cast<QLineEdit*>(f.childControl(Control::Edit1Gruppa));
    auto* fio = static_cast<QLineEdit*>(f.childControl(Control::Edit1Fio));
    h.clickElement("SpeedButtonRezWopros");
    EXPECT_EQ(QApplication::focusWidget(), gruppa);
    QTest::keyClicks(gruppa, "41");
    fio->setText("Petrov");
    QTest::keyClick(gruppa, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), fio);
    EXPECT_EQ(fio->selectedText(), "Petrov");
    QTest::keyClick(fio, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), gruppa);  // the hidden and focus-less controls are passed over
    EXPECT_EQ(gruppa->selectedText(), "41");
    // Clicking the push buttons leaves the focus where it was.
    h.click(h.form().surface().element(h.index("SpeedButtonRezWopros")).box.center());
    h.clickElement("LabelGruppa");
    EXPECT_EQ(QApplication::focusWidget(), gruppa);
    EXPECT_EQ(f.surface().focusPolicy(), Qt::NoFocus);
}

// A press on the disabled "TEST" reaches what lies beneath it: nothing happens.
TEST(UiWindow, ClickOnDisabledTestDoesNothing) {
    WindowHarness h;
    TForm1& f = h.form();
    h.clickElement("SpeedButtonRezWopros");
    ASSERT_EQ(h.layouts().size(), 1u);
    const QPoint onTest = f.surface().element(h.index("SpeedButtonRezWopros")).box.center();
    EXPECT_NE(f.surface().elementAt(onTest), h.index("SpeedButtonRezWopros"));
    h.click(onTest);
    EXPECT_EQ(h.layouts().size(), 1u);
    EXPECT_TRUE(f.isVisible(Control::Edit1Gruppa));
    EXPECT_FALSE(f.isEnabled(Control::SpeedButtonRezWopros));
}

}  // namespace
}  // namespace kvarnel::testing
