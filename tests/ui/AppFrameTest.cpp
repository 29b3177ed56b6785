// The application frame: the title, the error box and its full-stop rule, the
// guard's release of the capture, the date and time texts, and where the
// registration message and the hint pop-up go.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "WindowHarness.h"
#include "app/ApplicationTitle.h"
#include "app/DisplayPlatform.h"
#include "ui/drawing/Surface.h"
#include "ui/window/HintPopup.h"
#include "ui/window/LocaleDateTimeTexts.h"
#include "ui/window/RegistrationMessage.h"

namespace kvarnel::testing {
namespace {

TEST(UiAppFrame, TitleIsTheFileNameCutAtTheFirstDotLowerCasedAfterTheFirstCharacter) {
    const std::pair<const char*, const char*> cases[] = {
        {"MYAPP.V2.EXE", "Myapp"},
        {"C:\\Program Files\\KVARNEL.EXE", "Kvarnel"},
        {"/usr/local/bin/kvarnel", "kvarnel"},
        {"/opt/x/Kvarnel", "Kvarnel"},
        {"./bin/TrAiNeR.tar.gz", "Trainer"},
        {"aBC", "abc"},
        {".hidden", ""},
        {"dir.d/PROG", "Prog"},
        {"КВАРНЕЛ.EXE", "Кварнел"},
        {"ЁЖИК", "Ёжик"},
        {"", ""},
    };
    for (const auto& [path, title] : cases) EXPECT_EQ(applicationTitleFrom(path), title) << path;
}

// The box's text: a "." is added when the last character's code is above that of ".".
TEST(UiAppFrame, ErrorBoxAddsAFullStopOnlyAfterCharactersAboveTheFullStop) {
    WindowHarness h;
    const std::pair<const char*, const char*> cases[] = {
        {"File not found", "File not found."},
        {"I/O error 32", "I/O error 32."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"(see above)", "(see above)"},
        {"ends in a blank ", "ends in a blank "},
        {"a-", "a-"},
        {"a/", "a/."},
        {"Ошибка", "Ошибка."},
    };
    ModalWatcher watcher;
    for (const auto& [message, shown] : cases) {
        const bool ranToItsEnd = h.form().errorGuard().run([&] { throw std::runtime_error(message); });
        EXPECT_FALSE(ranToItsEnd);
        ASSERT_FALSE(watcher.seen().empty()) << message;
        EXPECT_EQ(watcher.seen().back().text, QString::fromUtf8(shown)) << message;
        EXPECT_EQ(watcher.seen().back().title, "Kvarneltest");
        EXPECT_TRUE(watcher.seen().back().criticalIcon);
        EXPECT_EQ(watcher.seen().back().buttons, QStringList{"OK"});
    }
    EXPECT_EQ(watcher.seen().size(), std::size(cases));
    EXPECT_TRUE(h.form().errorGuard().run([] {}));
}

TEST(UiAppFrame, GuardReleasesTheCaptureAndTheEventLoopGoesOn) {
    WindowHarness h;
    TForm1& f = h.form();
    const QPoint p = h.pointOn("SpeedExit");
    h.press(p);
    ASSERT_EQ(f.surface().captureElement(), h.index("SpeedExit"));
    ModalWatcher watcher;
    f.errorGuard().run([] { throw 42; });  // not even a std::exception
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(f.surface().captureElement(), -1);
    h.release(p);  // no capture: the release makes no click
    EXPECT_FALSE(f.quitRequested());
    // Later events are handled as usual.
    h.clickElement("SpeedButtonRezWopros");
    EXPECT_TRUE(f.isVisible(Control::Edit1Gruppa));
}

TEST(UiAppFrame, TimeFormatsLoseTheirTimeZone) {
    const std::pair<const char*, const char*> cases[] = {
        {"h:mm:ss AP t", "h:mm:ss AP"},
        {"HH:mm:ss t", "HH:mm:ss"},
        {"t HH:mm:ss", "HH:mm:ss"},
        {"HH:mm:ss", "HH:mm:ss"},
        {"H 'h' mm 'min' ss 's' t", "H 'h' mm 'min' ss 's'"},
        {"HH:mm:ss tttt", "HH:mm:ss"},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(LocaleDateTimeTexts::withoutTimeZone(format), expected) << format;
}

TEST(UiAppFrame, DateAndTimeTextsFollowTheLocale) {
    const QDateTime moment(QDate(2026, 12, 7), QTime(14, 13, 51));
    const auto at = [moment] { return moment; };
    LocaleDateTimeTexts russian(QLocale(QLocale::Russian, QLocale::Russia), at);
    EXPECT_EQ(russian.dateText(), "07.12.2026");
    EXPECT_EQ(russian.timeText(), "14:13:51");
    LocaleDateTimeTexts american(QLocale(QLocale::English, QLocale::UnitedStates), at);
    EXPECT_EQ(american.dateText(), "12/7/26");
    const QString time = QString::fromStdString(american.timeText());
    EXPECT_TRUE(time.startsWith("2:13:51")) << time.toStdString();  // 12-hour, seconds
    EXPECT_TRUE(time.endsWith("PM")) << time.toStdString();
}

TEST(UiAppFrame, WaylandWithAnXDisplayStartsOnXUnlessTheUserChoseAPlatform) {
    struct Case {
        DisplayEnvironment environment;  // QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {{"", "wayland-0", ":0"}, "xcb"},
        {{"", "wayland-0", ""}, "wayland"},
        {{"", "", ":0"}, std::nullopt},
        {{"", "", ""}, std::nullopt},
        {{"wayland", "wayland-0", ":0"}, std::nullopt},
        {{"offscreen", "", ""}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chosenQtPlatform(c.environment), c.expected)
            << c.environment.qtPlatform << "|" << c.environment.waylandDisplay << "|"
            << c.environment.xDisplay;
}

TEST(UiAppFrame, ShortDatesWithoutANumericMonthBecomeDayMonthYear) {
    const std::pair<const char*, const char*> cases[] = {
        {"d MMM yyyy", "dd.MM.yyyy"},  // the C locale
        {"d MMMM y", "dd.MM.yyyy"},   {"dd 'de' MMM 'de' yy", "dd.MM.yyyy"},
        {"dd.MM.yyyy", "dd.MM.yyyy"}, {"M/d/yy", "M/d/yy"},
        {"y-MM-dd", "y-MM-dd"},       {"d 'MMM' M yy", "d 'MMM' M yy"},  // quoted letters are text
        {"MM/yy", "dd.MM.yyyy"},                                         // no day
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(LocaleDateTimeTexts::numericDateFormat(format), expected) << format;

    const auto at = [] { return QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)); };
    EXPECT_EQ(LocaleDateTimeTexts(QLocale::c(), at).dateText(), "08.12.2026");
    EXPECT_EQ(LocaleDateTimeTexts(QLocale::c(), at).timeText(), "09:05:07");
    EXPECT_EQ(LocaleDateTimeTexts(QLocale(QLocale::German, QLocale::Germany), at).dateText(), "08.12.26");
}

TEST(UiAppFrame, RegistrationMessageGoesToHalfTheScreenWidthAt700OrInsideTheScreen) {
    struct Case {
        QSize dialog;
        QRect screen;
        QPoint expected;
    };
    const Case cases[] = {
        {{240, 90}, {0, 0, 1920, 1080}, {960, 700}},
        {{240, 90}, {0, 0, 1024, 768}, {512, 678}},
        {{500, 120}, {0, 0, 800, 600}, {300, 480}},
        {{240, 90}, {1920, 0, 1280, 1024}, {2560, 700}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RegistrationMessage::placement(c.dialog, c.screen), c.expected) << c.screen.width();
}

TEST(UiAppFrame, HintPopupStartsBelowThePointerAndStaysOnTheDesktop) {
    const QRect desk(0, 0, 1920, 1080);
    EXPECT_EQ(HintPopup::placement({150, 20}, {500, 400}, desk), QPoint(500, 400 + kHintBelowPointer));
    EXPECT_EQ(HintPopup::placement({150, 20}, {1900, 400}, desk), QPoint(1770, 400 + kHintBelowPointer));
    EXPECT_EQ(HintPopup::placement({150, 20}, {100, 1075}, desk), QPoint(100, 1060));
}

TEST(UiAppFrame, RegistrationMessageHasTheTitleTheTextAndOneDefaultOk) {
    RegistrationMessage m("Kvarnel", "You must enter your last name!");
    EXPECT_EQ(m.windowTitle(), "Kvarnel");
    EXPECT_EQ(m.text(), "You must enter your last name!");
    EXPECT_TRUE(m.okButton()->isDefault());
    m.show();
    QTest::keyClick(&m, Qt::Key_Escape);
    EXPECT_FALSE(m.isVisible());
    m.show();
    QTest::keyClick(&m, Qt::Key_Return);
    EXPECT_FALSE(m.isVisible());
}

}  // namespace
}  // namespace kvarnel::testing
