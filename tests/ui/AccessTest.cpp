// The window without a mouse: what assistive technologies find on the surface
// (order, names, roles, states, the element at a point) and what their press may
// do, and the hotspot keys sent through the window itself.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>

#include "WindowHarness.h"
#include "core/Catalogue.h"
#include "ui/drawing/Surface.h"

namespace kvarnel::testing {
namespace {

QAccessibleInterface* childNamed(WindowHarness& h, const QString& name) {
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&h.form().surface());
    for (int i = 0; tree && i < tree->childCount(); ++i)
        if (tree->child(i)->text(QAccessible::Name) == name) return tree->child(i);
    return nullptr;
}

// The press action, as an assistive technology runs it (its effect comes from the event loop).
void press(QAccessibleInterface* element) {
    ASSERT_TRUE(element && element->actionInterface());
    element->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::qWait(20);
}

QString trimmed(std::string_view s) {
    QString text = QString::fromUtf8(s.data(), static_cast<int>(s.size()));
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text;
}

TEST(UiAccess, EveryButtonLabelAndHotspotIsAChildWithRoleNameAndState) {
    WindowHarness h;
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&h.form().surface());
    ASSERT_TRUE(tree);
    ASSERT_EQ(tree->childCount(), 5 + 10 + kHotspotCount);  // buttons, labels, hotspots
    // The hotspots last, in the group's order, each named by its node without trailing blanks.
    const Catalogue& cat = Catalogue::standard();
    for (int i = 0; i < kHotspotCount; ++i) {
        QAccessibleInterface* hotspot = tree->child(5 + 10 + i);
        const HotspotRow& row = cat.hotspots()[static_cast<std::size_t>(i)];
        EXPECT_EQ(hotspot->text(QAccessible::Name), trimmed(cat.name(row.node))) << row.name;
        EXPECT_EQ(hotspot->role(), QAccessible::Button);
        EXPECT_TRUE(hotspot->state().focusable);
        EXPECT_EQ(hotspot->rect().topLeft(), h.form().surface().mapToGlobal(QPoint(row.left, row.top)));
        EXPECT_EQ(tree->childAt(hotspot->rect().center().x(), hotspot->rect().center().y()), hotspot);
    }
    const struct {
        const char* name;
        QAccessible::Role role;
        bool invisible, disabled;
    } rows[] = {{"TEST", QAccessible::Button, false, false},
                {"EXIT", QAccessible::Button, false, false},
                {"QUESTION?", QAccessible::Button, true, false},
                {"Study mode", QAccessible::Button, true, true},
                {"Study mode", QAccessible::StaticText, false, false},
                {"Group", QAccessible::StaticText, true, false}};
    for (const auto& row : rows) {
        QAccessibleInterface* found = nullptr;
        for (int i = 0; i < tree->childCount() && !found; ++i)
            if (tree->child(i)->text(QAccessible::Name) == QString::fromUtf8(row.name) &&
                tree->child(i)->role() == row.role)
                found = tree->child(i);
        ASSERT_TRUE(found) << row.name;
        EXPECT_EQ(found->state().invisible, row.invisible) << row.name;
        EXPECT_EQ(found->state().disabled, row.disabled) << row.name;
        EXPECT_FALSE(found->state().focusable) << row.name;  // no button ever takes the focus
        EXPECT_EQ(found->actionInterface() != nullptr, row.role == QAccessible::Button) << row.name;
    }
}

TEST(UiAccess, APressClicksOnlyWhatThePointerCouldClick) {
    WindowHarness h;
    TForm1& f = h.form();
    press(childNamed(h, QStringLiteral("QUESTION?")));   // hidden
    press(childNamed(h, QStringLiteral("Study mode")));  // hidden and disabled
    EXPECT_TRUE(f.isEnabled(Control::SpeedButtonRezWopros));
    press(childNamed(h, QStringLiteral("TEST")));
    EXPECT_TRUE(f.isVisible(Control::SpeedVvod));
    EXPECT_TRUE(childNamed(h, QStringLiteral("TEST"))->state().disabled);
    // While the registration message is open the window takes no input: a press
    // of EXIT is refused, and the window stays in the registration.
    QAccessibleInterface* exit = childNamed(h, QStringLiteral("EXIT"));
    bool pressedDuringTheMessage = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        exit->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        pressedDuringTheMessage = true;
        poll.stop();
        QTimer::singleShot(50, box, [box] { box->close(); });
    });
    poll.start(5);
    h.clickElement(QStringLiteral("SpeedVvod"));  // both boxes empty: the message
    EXPECT_TRUE(pressedDuringTheMessage);
    QTest::qWait(20);
    EXPECT_FALSE(f.quitRequested());
    EXPECT_TRUE(f.isVisible(Control::SpeedVvod));
}

TEST(UiAccess, KeysForTheWindowRingHoldAndAnswer) {
    WindowHarness h;
    TForm1& f = h.form();
    const QPoint first = h.pointOn(QStringLiteral("ShapeV1"));
    const QRect area = QRect(first - QPoint(20, 20), QSize(40, 40));
    const QImage before = h.grab().copy(area);
    QTest::keyClick(h.window(), Qt::Key_Tab);
    EXPECT_EQ(f.surface().focusRing(), h.index(QStringLiteral("ShapeV1")));
    EXPECT_LT(qGray(h.pixel(first.x(), first.y() - 11)), 16) << "no dark ring above the hotspot";
    h.move(first + QPoint(30, 0));
    EXPECT_EQ(f.surface().focusRing(), -1);
    EXPECT_EQ(h.grab().copy(area), before) << "the ring left pixels behind";

    // Tab goes on from where the ring was: three more to the fourth hotspot, whose
    // close-up Space holds until the window loses the keyboard.
    for (int i = 0; i < 3; ++i) QTest::keyClick(h.window(), Qt::Key_Tab);
    EXPECT_EQ(f.surface().focusRing(), h.index(QStringLiteral("ShapeV4")));
    QTest::keyPress(h.window(), Qt::Key_Space);
    EXPECT_TRUE(f.isVisible(Control::Image2));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&f, &deactivate);
    EXPECT_TRUE(f.isVisible(Control::Image1));
    EXPECT_FALSE(f.isVisible(Control::Image2));
    QTest::keyRelease(h.window(), Qt::Key_Space);

    // In a test, Enter answers with the ring's hotspot.
    h.registerStudent(QStringLiteral("41"), QStringLiteral("x"));
    h.clickElement(QStringLiteral("SpeedPusk"));
    const NodeNumber asked = h.askedNode();
    QTest::keyClick(h.window(), Qt::Key_Tab);
    QTest::keyClick(h.window(), Qt::Key_Return);
    EXPECT_EQ(f.text(Control::LabelOtvet), asked == 1 ? "CORRECT !" : "MISTAKE !");
    EXPECT_FALSE(f.timerRunning());
}

}  // namespace
}  // namespace kvarnel::testing
