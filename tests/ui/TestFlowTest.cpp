// Registration, whole tests, time-outs, the journal and the ways to end, driven
// through the window with real clicks; the journal is read back byte for byte.
#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <functional>

#include "WindowHarness.h"
#include "core/Catalogue.h"
#include "ui/drawing/Surface.h"

namespace kvarnel::testing {
namespace {

// Windows-1251 bytes of the texts the tests type and expect.
const QByteArray kLinePrefix = "07.12.2026 / 14:13:51 / 41-\xD2\xDD / \xCF\xE5\xF2\xF0\xEE\xE2 / ";
const QByteArray kAbandoned = "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED";
const QString kGroup = QString::fromUtf8("41-ТЭ");
const QString kSurname = QString::fromUtf8("Петров");

QRgb rgbOf(ColourNumber c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

void clickQuestion(WindowHarness& h) { h.clickElement("SpeedPusk"); }

// Draws a question and answers it, right or wrong; returns the verdict.
std::string answerOne(WindowHarness& h, bool right) {
    clickQuestion(h);
    const NodeNumber n = h.askedNode();
    EXPECT_NE(n, 0) << h.form().text(Control::LabelWopros);
    EXPECT_FALSE(h.form().isEnabled(Control::SpeedPusk));  // greyed while the question is open
    EXPECT_TRUE(h.form().timerRunning());
    h.clickElement(right ? h.firstHotspotOf(n) : h.wrongHotspotFor(n));
    EXPECT_TRUE(h.form().isEnabled(Control::SpeedPusk));
    EXPECT_FALSE(h.form().timerRunning());
    return h.form().text(Control::LabelOtvet);
}

void tick(WindowHarness& h, int times) {
    for (int i = 0; i < times; ++i) QMetaObject::invokeMethod(&h.timer1(), "timeout");
}

TEST(UiTestFlow, RegistrationTestsTheGroupFirstAndAcceptsOneBlank) {
    WindowHarness h;
    TForm1& f = h.form();
    auto* gruppa = static_cast<QLineEdit*>(f.childControl(Control::Edit1Gruppa));
    auto* fio = static_cast<QLineEdit*>(f.childControl(Control::Edit1Fio));
    h.clickElement("SpeedButtonRezWopros");
    EXPECT_EQ(f.text(Control::Label_Ostalos), "39");
    EXPECT_EQ(h.layouts(), std::vector<std::string>{"00000419"});
    EXPECT_EQ(QApplication::focusWidget(), gruppa);

    ModalWatcher watcher;
    h.clickElement("SpeedVvod");  // both empty: only the group message
    ASSERT_EQ(watcher.seen().size(), 1u);
    const ModalRecord& m = watcher.seen()[0];
    EXPECT_EQ(m.kind, "message");
    EXPECT_EQ(m.title, "Kvarneltest");
    EXPECT_EQ(m.text, "You must enter your group number!");
    EXPECT_TRUE(m.noIcon);
    EXPECT_EQ(m.buttons, QStringList{"OK"});
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(m.position, QPoint(screenWidth / 2, 700));
    // The focus returns where it was once the window is active again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == gruppa; }, 2000));
    EXPECT_TRUE(f.isVisible(Control::SpeedVvod));

    QTest::keyClicks(gruppa, "41");
    h.clickElement("SpeedVvod");
    ASSERT_EQ(watcher.seen().size(), 2u);
    EXPECT_EQ(watcher.seen()[1].text, "You must enter your last name!");
    EXPECT_EQ(h.layouts(), std::vector<std::string>{"00000419"});  // a refusal switches nothing

    gruppa->setText(" ");
    QTest::keyClicks(fio, "x");
    h.clickElement("SpeedVvod");
    EXPECT_EQ(watcher.seen().size(), 2u);
    EXPECT_EQ(h.layouts(), (std::vector<std::string>{"00000419", "00000409"}));
    EXPECT_TRUE(f.isVisible(Control::SpeedPusk));
    EXPECT_TRUE(f.isEnabled(Control::SpeedPusk));
    for (Control c : {Control::SpeedVvod, Control::Edit1Gruppa, Control::Edit1Fio, Control::LabelGruppa,
                      Control::LabelFio, Control::LabelPanelFio})
        EXPECT_FALSE(f.isVisible(c)) << nameOf(c);
    // The hidden boxes keep no focus: keys typed now reach neither of them.
    EXPECT_EQ(QApplication::focusWidget(), &f);
    QTest::keyClicks(QApplication::focusWidget(), "zz");
    EXPECT_EQ(gruppa->text(), " ");
    EXPECT_EQ(fio->text(), "x");
    // The registration's record, as the line of a test left unfinished carries it.
    clickQuestion(h);
    h.clickElement("SpeedExit");
    EXPECT_EQ(h.journal(), "07.12.2026 / 14:13:51 /   / x / " + kAbandoned + "\r\n");
}

struct WholeTest {
    int right;
    const char* grade;
    ColourNumber colour;
};

class UiWholeTest : public ::testing::TestWithParam<WholeTest> {};

TEST_P(UiWholeTest, AnsweringKRightGivesTheGradeItsColourAndOneJournalLine) {
    const WholeTest& c = GetParam();
    WindowHarness h;
    h.form().random().setSeed(static_cast<std::uint32_t>(1234 + c.right));
    TForm1& f = h.form();
    h.registerStudent(kGroup, kSurname);
    for (int q = 0; q < kNodeCount; ++q) {
        const bool right = q < c.right;
        EXPECT_EQ(answerOne(h, right), right ? "CORRECT !" : "MISTAKE !") << q;
        EXPECT_EQ(f.surface().element(h.index("LabelOtvet")).fontColour, right ? clGreen : clRed);
        EXPECT_EQ(f.text(Control::Label_Ostalos), std::to_string(kNodeCount - 1 - q));
    }
    EXPECT_TRUE(h.journal().isEmpty());
    clickQuestion(h);  // the fortieth press grades

    EXPECT_EQ(f.text(Control::LabelWopros), "No more questions");
    EXPECT_EQ(f.text(Control::LabelStat2), c.grade);
    EXPECT_EQ(f.surface().element(h.index("LabelStat2")).fontColour, c.colour);
    for (Control hidden :
         {Control::SpeedButtonRezWopros, Control::SpeedPusk, Control::LabelOtvet, Control::ProgressBar1})
        EXPECT_FALSE(f.isVisible(hidden)) << nameOf(hidden);
    EXPECT_TRUE(f.isVisible(Control::LabelStat1));
    EXPECT_TRUE(f.isVisible(Control::LabelStat2));
    EXPECT_EQ(f.text(Control::Edit1Gruppa), "");
    EXPECT_EQ(f.text(Control::Edit1Fio), "");
    EXPECT_EQ(h.journal(), kLinePrefix + c.grade + "\r\n");

    // The grade word is drawn in its colour (black for "unsatisfactorily").
    const QImage shot = h.grab();
    const QRect box = f.surface().element(h.index("LabelStat2")).box;
    int coloured = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if ((shot.pixel(x, y) & 0xFFFFFF) == (rgbOf(c.colour) & 0xFFFFFF)) ++coloured;
    EXPECT_GT(coloured, 10);

    // Finished: holding a hotspot shows nothing, "EXIT" writes nothing more and ends.
    const QImage before = h.grab();
    const QPoint p = h.pointOn("ShapeV4");
    h.press(p);
    EXPECT_EQ(h.grab(), before);
    h.release(p);
    h.clickElement("SpeedExit");
    EXPECT_TRUE(f.quitRequested());
    EXPECT_EQ(h.journal(), kLinePrefix + c.grade + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Grades, UiWholeTest,
                         ::testing::Values(WholeTest{0, "unsatisfactorily", clBlack},
                                           WholeTest{23, "unsatisfactorily", clBlack},
                                           WholeTest{24, "satisfactorily", clBlue},
                                           WholeTest{30, "good", clGreen}, WholeTest{36, "excellent", clRed},
                                           WholeTest{39, "excellent", clRed}));

TEST(UiTestFlow, HundredTicksTimeTheQuestionOut) {
    WindowHarness h;
    TForm1& f = h.form();
    h.registerStudent(kGroup, kSurname);
    clickQuestion(h);
    const NodeNumber asked = h.askedNode();
    EXPECT_EQ(h.timer1().interval(), 300);
    tick(h, 99);
    EXPECT_EQ(f.progress(), 99);
    EXPECT_TRUE(f.isVisible(Control::ProgressBar1));
    EXPECT_FALSE(f.isEnabled(Control::SpeedPusk));
    tick(h, 1);
    EXPECT_EQ(f.text(Control::LabelWopros), "Time allowed for the answer is over!");
    EXPECT_EQ(f.surface().element(h.index("LabelWopros")).fontColour, clRed);
    EXPECT_FALSE(f.isVisible(Control::ProgressBar1));
    EXPECT_FALSE(f.timerRunning());
    EXPECT_TRUE(f.isEnabled(Control::SpeedPusk));
    EXPECT_EQ(f.text(Control::Label_Ostalos), "38");
    // Answered late, even the right node is a mistake.
    h.clickElement(h.firstHotspotOf(asked));
    EXPECT_EQ(f.text(Control::LabelOtvet), "MISTAKE !");
}

TEST(UiTestFlow, TheRealTimerRunsTheQuestionOut) {
    WindowHarness h;
    TForm1& f = h.form();
    h.registerStudent(kGroup, kSurname);
    h.timer1().setInterval(1);
    clickQuestion(h);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.timerRunning(); }, 5000));
    EXPECT_EQ(f.text(Control::LabelWopros), "Time allowed for the answer is over!");
}

TEST(UiTestFlow, MissingJournalShowsFileNotFoundAndExitRetriesUntilItExists) {
    HarnessOptions o;
    o.journalFile = false;
    WindowHarness h(o);
    TForm1& f = h.form();
    h.form().random().setSeed(7);
    h.registerStudent(kGroup, kSurname);
    for (int q = 0; q < kNodeCount; ++q) answerOne(h, true);
    ModalWatcher watcher;
    clickQuestion(h);
    ASSERT_EQ(watcher.seen().size(), 1u);
    const ModalRecord& box = watcher.seen()[0];
    EXPECT_EQ(box.kind, "error");
    EXPECT_EQ(box.text, "File not found.");
    EXPECT_EQ(box.title, "Kvarneltest");
    EXPECT_TRUE(box.criticalIcon);
    EXPECT_EQ(box.buttons, QStringList{"OK"});
    EXPECT_FALSE(h.journalExists());  // opening for appending never creates it
    EXPECT_EQ(f.text(Control::LabelStat2), "excellent");
    EXPECT_TRUE(f.isVisible(Control::LabelStat2));

    h.clickElement("SpeedExit");  // the graded line is still due: the same box, the program stays
    ASSERT_EQ(watcher.seen().size(), 2u);
    EXPECT_EQ(watcher.seen()[1].text, "File not found.");
    EXPECT_FALSE(f.quitRequested());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.text(Control::LabelStat2), "excellent");

    h.createJournal();
    h.clickElement("SpeedExit");
    EXPECT_EQ(watcher.seen().size(), 2u);
    EXPECT_TRUE(f.quitRequested());
    EXPECT_EQ(h.journal(), kLinePrefix + "excellent\r\n");
}

// "EXIT" in each state, with the line due there.
struct ExitCase {
    const char* state;
    std::function<void(WindowHarness&)> reach;
    bool abandonedLine;
};

class UiExit : public ::testing::TestWithParam<ExitCase> {};

TEST_P(UiExit, ExitWritesTheDueLineAndEnds) {
    const ExitCase& c = GetParam();
    WindowHarness h;
    h.form().random().setSeed(99);
    c.reach(h);
    h.clickElement("SpeedExit");
    EXPECT_TRUE(h.form().quitRequested()) << c.state;
    EXPECT_FALSE(h.form().isVisible()) << c.state;
    EXPECT_EQ(h.journal(), c.abandonedLine ? kLinePrefix + kAbandoned + "\r\n" : QByteArray()) << c.state;
}

void registered(WindowHarness& h) { h.registerStudent(kGroup, kSurname); }

INSTANTIATE_TEST_SUITE_P(
    States, UiExit,
    ::testing::Values(ExitCase{"study", [](WindowHarness&) {}, false},
                      ExitCase{"registration",
                               [](WindowHarness& h) { h.clickElement("SpeedButtonRezWopros"); }, false},
                      ExitCase{"awaiting question", registered, false},
                      ExitCase{"question open",
                               [](WindowHarness& h) {
                                   registered(h);
                                   clickQuestion(h);
                               },
                               true},
                      ExitCase{"answered",
                               [](WindowHarness& h) {
                                   registered(h);
                                   answerOne(h, true);
                               },
                               true},
                      ExitCase{"timed out",
                               [](WindowHarness& h) {
                                   registered(h);
                                   clickQuestion(h);
                                   tick(h, 100);
                               },
                               true},
                      ExitCase{"all 39 drawn, not graded",
                               [](WindowHarness& h) {
                                   registered(h);
                                   for (int q = 0; q < kNodeCount; ++q) answerOne(h, q % 2 == 0);
                               },
                               true}),
    [](const ::testing::TestParamInfo<ExitCase>& info) {
        std::string name = info.param.state;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST(UiTestFlow, ClosingTheWindowDuringATestWritesTheAbandonedLine) {
    WindowHarness h;
    registered(h);
    answerOne(h, false);
    h.form().close();
    EXPECT_FALSE(h.form().isVisible());
    EXPECT_EQ(h.journal(), kLinePrefix + kAbandoned + "\r\n");
}

TEST(UiTestFlow, ClosingWithoutAJournalShowsTheBoxAndClosesAnyway) {
    HarnessOptions o;
    o.journalFile = false;
    WindowHarness h(o);
    registered(h);
    clickQuestion(h);
    ModalWatcher watcher;
    h.form().close();
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].text, "File not found.");
    EXPECT_FALSE(h.form().isVisible());
}

TEST(UiTestFlow, ExitAfterAFailedExitDuringATestKeepsTheTestGoing) {
    HarnessOptions o;
    o.journalFile = false;
    WindowHarness h(o);
    TForm1& f = h.form();
    registered(h);
    clickQuestion(h);
    ModalWatcher watcher;
    h.clickElement("SpeedExit");
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_FALSE(f.quitRequested());
    EXPECT_TRUE(f.timerRunning());  // the open question's time goes on
    h.clickElement(h.firstHotspotOf(h.askedNode()));
    EXPECT_EQ(f.text(Control::LabelOtvet), "CORRECT !");
    h.createJournal();
    h.clickElement("SpeedExit");
    EXPECT_TRUE(f.quitRequested());
    EXPECT_EQ(h.journal(), kLinePrefix + kAbandoned + "\r\n");  // five fields, however often retried
}

}  // namespace
}  // namespace kvarnel::testing
