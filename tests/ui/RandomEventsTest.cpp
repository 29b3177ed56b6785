// Seeded random events sent to the real window through its QWindow: presses,
// releases and double clicks of all three buttons, clicks on every push button,
// typing (Cyrillic, control characters, characters Windows-1251 lacks, " / "),
// pasting, keys, wheel turns, timer ticks and closing; modal boxes are answered
// from inside their own loop. After every event the window's standing rules are
// checked, at the end of each window's life the journal's bytes. A seed runs
// windows one after another until its events are spent; one seed in seven has
// no journal, one in five is steered towards whole tests.
//   KVARNEL_RANDOM_EVENT_SEED=<n>    runs seed n alone (to replay a failure)
//   KVARNEL_RANDOM_EVENT_SEEDS=<k>   runs the first k seeds of the list
#include <gtest/gtest.h>
#include <iconv.h>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QWheelEvent>
#include <QWindow>

#include <cstdio>
#include <memory>
#include <random>

#include "WindowHarness.h"
#include "core/Catalogue.h"
#include "core/Journal.h"
#include "ui/window/FormLayout.h"

namespace kvarnel::testing {
namespace {

// --- tables -------------------------------------------------------------------

enum class Act {
    Press,
    Release,
    DoubleClick,
    Move,
    Button,
    Type,
    Key,
    Paste,
    Wheel,
    Tick,
    Wait,
    Paint,
    Step,
    Close,
    MakeJournal
};

struct ActRow {
    Act act;
    int wild, steered;  // weights of the two kinds of seed
};
constexpr ActRow kActs[] = {
    {Act::Press, 90, 10},   {Act::Release, 90, 10}, {Act::DoubleClick, 40, 5}, {Act::Move, 50, 5},
    {Act::Button, 120, 20}, {Act::Type, 90, 20},    {Act::Key, 80, 15},        {Act::Paste, 30, 5},
    {Act::Wheel, 20, 3},    {Act::Tick, 40, 25},    {Act::Wait, 6, 1},         {Act::Paint, 15, 5},
    {Act::Step, 30, 300},   {Act::Close, 1, 0},     {Act::MakeJournal, 1, 1},
};

struct ButtonRow {
    Control control;
    int wild, steered;
};
constexpr ButtonRow kButtons[] = {
    {Control::SpeedButtonRezWopros, 8, 4}, {Control::SpeedVvod, 8, 4},
    {Control::SpeedPusk, 10, 10},          {Control::SpeedExit, 1, 1},
    {Control::SpeedButtonRezOznkom, 2, 1},
};

constexpr Qt::MouseButton kMouseButtons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                             Qt::MiddleButton};

// What is typed and pasted: Cyrillic, blanks, the field separator, control
// characters, characters Windows-1251 lacks (CJK, emoji, C1 controls, a lone surrogate).
const char16_t* const kTexts[] = {
    u"41-ТЭ", u"Петров", u"Ёжиков-Щукин", u" ",      u"  ",     u" / ",    u"a/b",  u"x",    u"№5",
    u"€",     u"ё",      u"中文",         u"😀",      u"é",      u"\t",     u"\x01", u"\x1f", u"\x7f",
    u"\x85",  u"\x98",   u"\xa0",         u"\x2028", u"a\r\nb", u"\xd800",
};

struct KeyRow {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};
const KeyRow kKeys[] = {
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},          {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Return, Qt::NoModifier, "Return"},    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::ShiftModifier, "Shift+End"}, {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},    {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
    {Qt::Key_Space, Qt::NoModifier, "Space"},      {Qt::Key_F4, Qt::AltModifier, "Alt+F4"},
};

constexpr int kTickCounts[] = {1, 2, 7, 33, 99, 100};
constexpr const char* kGrades[] = {"unsatisfactorily", "satisfactorily", "good", "excellent"};

// Lines a journal may already hold (Windows-1251).
const QByteArray kEarlierLines[] = {
    "",
    "01.12.2026 / 09:00:00 / 41-\xD2\xDD / \xC8\xE2\xE0\xED\xEE\xE2 / good\r\n",
    "02.12.2026 / 10:11:12 / 1 / 2 / \xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED\r\n"
    "03.12.2026 / 10:11:13 / 1 / 3 / excellent\r\n",
};

const QByteArray kLineStart = "07.12.2026 / 14:13:51 / ";  // the harness's fixed clock
const QByteArray kAbandoned = "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED";

// --- helpers ------------------------------------------------------------------

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// A field as the journal must hold it: control characters as blanks, each
// character Windows-1251 lacks as "?".
QByteArray expectedField(const QString& typed) {
    QByteArray out;
    iconv_t cd = iconv_open("CP1251", "UTF-8");
    for (char32_t cp : typed.toUcs4()) {
        if (cp < 0x20 || cp == 0x7F) {
            out += ' ';
            continue;
        }
        QByteArray utf8 = QString::fromUcs4(&cp, 1).toUtf8();
        char byte = 0;
        char* in = utf8.data();
        char* o = &byte;
        std::size_t inLeft = static_cast<std::size_t>(utf8.size()), outLeft = 1;
        const bool ok = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1) && outLeft == 0;
        out += ok ? byte : '?';
    }
    iconv_close(cd);
    return out;
}

std::string printable(const QString& s) {
    std::string out;
    for (char32_t cp : s.toUcs4()) {
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) || (cp >= 0xD800 && cp < 0xE000))
            out += "\\u" + QString::number(cp, 16).rightJustified(4, '0').toStdString();
        else
            out += QString::fromUcs4(&cp, 1).toStdString();
    }
    return out;
}

std::string printable(const QByteArray& bytes) {
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F)
            out += c;
        else
            out += "\\x" + QString::number(b, 16).rightJustified(2, '0').toStdString();
    }
    return out;
}

// --- one seed -----------------------------------------------------------------

class SeedRun {
public:
    explicit SeedRun(std::uint32_t seed)
        : seed_(seed), steered_(seed % 5 == 0), journal_(seed % 7 != 3), rng_(seed) {}

    int eventBudget() const { return steered_ ? 2000 : 1000; }

    // Empty when every rule held; else the broken rule with the events that led to it.
    std::string run() {
        int spent = 0;
        while (spent < eventBudget() && failure_.empty()) {
            openWindow();
            while (spent < eventBudget() && failure_.empty() && !ended()) {
                ++spent;
                act();
                if (failure_.empty()) failure_ = brokenRule();
            }
            closeWindow();
        }
        std::printf(
            "seed %u (%s, journal %s): %d events, %d windows, %d lines written, %d graded, %d boxes\n", seed_,
            steered_ ? "steered" : "wild", journal_ ? "present" : "absent", spent, windows_, lines_, graded_,
            boxes_);
        if (failure_.empty()) return {};
        std::string report = "seed " + std::to_string(seed_) + ": " + failure_ +
                             "\nreplay with KVARNEL_RANDOM_EVENT_SEED=" + std::to_string(seed_) +
                             "; events:\n";
        for (const std::string& e : log_) report += "  " + e + "\n";
        return report;
    }

private:
    TForm1& form() { return h_->form(); }
    int pick(std::size_t n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
    template <typename Row>
    const Row& weighted(const Row* rows, std::size_t count, int Row::*wild, int Row::*steered) {
        int total = 0;
        for (std::size_t i = 0; i < count; ++i) total += rows[i].*(steered_ ? steered : wild);
        int r = pick(total);
        for (std::size_t i = 0; i < count; ++i)
            if ((r -= rows[i].*(steered_ ? steered : wild)) < 0) return rows[i];
        return rows[0];
    }
    void note(std::string e) { log_.push_back(std::move(e)); }
    static std::string at(QPoint p) { return std::to_string(p.x()) + "," + std::to_string(p.y()); }
    static const char* buttonName(Qt::MouseButton b) {
        return b == Qt::LeftButton ? "left" : b == Qt::RightButton ? "right" : "middle";
    }

    QPoint centreOf(Control c) {
        const ComponentRow& row = componentRow(c);
        return {row.left + row.width / 2, row.top + row.height / 2};
    }

    // A hotspot's centre, any component's centre, anywhere, or just outside.
    QPoint randomPoint() {
        switch (pick(8)) {
        case 0:
        case 1:
        case 2: {
            const HotspotRow& r = kHotspotRows[static_cast<std::size_t>(pick(kHotspotCount))];
            return {r.left + 7, r.top + 7};
        }
        case 3:
        case 4:
            return centreOf(kComponentRows[static_cast<std::size_t>(pick(kComponentCount))].control);
        case 5:
            return {kClientWidth - 1 - pick(3), 1 + pick(kClientHeight - 1)};
        case 6:
            return {-3 - pick(20), 1 + pick(kClientHeight)};
        default:
            return {1 + pick(kClientWidth - 1), 1 + pick(kClientHeight - 1)};
        }
    }

    void openWindow() {
        HarnessOptions o;
        o.journalFile = journal_;
        h_ = std::make_unique<WindowHarness>(o);
        form().random().setSeed(rng_());
        before_ = journal_ ? kEarlierLines[pick(std::size(kEarlierLines))] : QByteArray();
        if (journal_) writeJournal(before_);
        watcher_ = std::make_unique<ModalWatcher>();
        held_ = Qt::NoButton;
        began_ = false;
        made_ = false;
        group_.clear();
        surname_.clear();
        note(std::string("-- new window, journal ") + (journal_ ? "present" : "absent"));
    }

    void writeJournal(const QByteArray& bytes) {
        QFile file(QDir(h_->directory()).filePath(QString::fromUtf8(kJournalFileName)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            failure_ = "cannot prepare the journal";
    }

    bool ended() { return form().quitRequested() || !form().isVisible(); }

    void closeWindow() {
        if (!ended()) {
            note("close (end of the events)");
            h_->window()->close();
        }
        // Whatever the window's end interrupted, the next window starts with no button held.
        QTestPrivate::qtestMouseButtons = Qt::NoButton;
        const bool graded = form().isVisible(Control::LabelStat2);
        const QString grade = qs(form().text(Control::LabelStat2));
        if (failure_.empty()) failure_ = journalRule(graded, grade);
        ++windows_;
        graded_ += graded;
        lines_ += h_->journal().size() > before_.size();
        boxes_ += static_cast<int>(watcher_->seen().size());
        watcher_.reset();
        h_.reset();
        if (failure_.empty() && QGuiApplication::overrideCursor())
            failure_ = "the blank pointer outlived its window";
    }

    // --- the events ---

    void act() {
        // What the entry fields hold right before the event that accepts them.
        const bool registering = form().isVisible(Control::SpeedVvod);
        const QString group = editText(Control::Edit1Gruppa), surname = editText(Control::Edit1Fio);
        switch (weighted(kActs, std::size(kActs), &ActRow::wild, &ActRow::steered).act) {
        case Act::Press:
            press(kMouseButtons[pick(5)], randomPoint());
            break;
        case Act::Release:
            release(held_ != Qt::NoButton && pick(4) ? heldButton() : kMouseButtons[pick(5)], randomPoint());
            break;
        case Act::DoubleClick:
            doubleClick(kMouseButtons[pick(5)], randomPoint());
            break;
        case Act::Move:
            move(randomPoint());
            break;
        case Act::Button:
            clickButton(
                weighted(kButtons, std::size(kButtons), &ButtonRow::wild, &ButtonRow::steered).control);
            break;
        case Act::Type:
            type(QString::fromUtf16(kTexts[pick(std::size(kTexts))]));
            break;
        case Act::Key:
            key(kKeys[pick(std::size(kKeys))]);
            break;
        case Act::Paste:
            paste();
            break;
        case Act::Wheel:
            wheel();
            break;
        case Act::Tick:
            tick(kTickCounts[pick(std::size(kTickCounts))]);
            break;
        case Act::Wait:
            wait();
            break;
        case Act::Paint:
            note("paint");
            h_->grab();
            break;
        case Act::Step:
            step();
            break;
        case Act::Close:
            note("close");
            h_->window()->close();
            break;
        case Act::MakeJournal:
            makeJournal();
            break;
        }
        if (registering && !form().isVisible(Control::SpeedVvod) && form().isVisible(Control::SpeedPusk)) {
            group_ = group;
            surname_ = surname;
        }
        if (form().timerRunning()) began_ = true;  // a question has been drawn
    }

    QString editText(Control c) { return static_cast<QLineEdit*>(form().childControl(c))->text(); }
    Qt::MouseButton heldButton() {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (held_ & b) return b;
        return Qt::LeftButton;
    }

    void press(Qt::MouseButton b, QPoint p) {
        if (held_ & b) return release(b, p);  // a button already down cannot go down again
        note(std::string("press ") + buttonName(b) + " " + at(p));
        held_ |= b;
        QTest::mousePress(h_->window(), b, {}, p);
    }
    void release(Qt::MouseButton b, QPoint p) {
        if (!(held_ & b)) return press(b, p);
        note(std::string("release ") + buttonName(b) + " " + at(p));
        held_ &= ~Qt::MouseButtons(b);
        QTest::mouseRelease(h_->window(), b, {}, p);
    }
    void doubleClick(Qt::MouseButton b, QPoint p) {
        if (held_ & b) return release(b, p);
        note(std::string("double click ") + buttonName(b) + " " + at(p));
        QTest::mouseDClick(h_->window(), b, {}, p);
    }
    void move(QPoint p) {
        note("move " + at(p));
        QTest::mouseMove(h_->window(), p);
    }
    void clickAt(QPoint p, const std::string& what) {
        note("click " + what + " " + at(p));
        QTest::mouseClick(h_->window(), Qt::LeftButton, {}, p);
    }
    void clickButton(Control c) {
        if (held_ != Qt::NoButton) return release(heldButton(), centreOf(c));
        clickAt(centreOf(c), controlName(c));
    }
    void type(const QString& text) {
        note("type \"" + printable(text) + "\"");
        // One key event per character (a surrogate pair is one character).
        for (int i = 0; i < text.size(); ++i) {
            const int n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, h_->window(), Qt::Key(0), text.mid(i, n), Qt::NoModifier);
            i += n - 1;
            if (ended()) return;
        }
    }
    void key(const KeyRow& k) {
        note(std::string("key ") + k.name);
        QTest::keyClick(h_->window(), k.key, k.modifiers);
    }
    void paste() {
        QString text = QString::fromUtf16(kTexts[pick(std::size(kTexts))]);
        if (pick(4) == 0) text = text.repeated(1 + pick(300));
        QGuiApplication::clipboard()->setText(text);
        note("paste \"" + printable(text) + "\"");
        QTest::keyClick(h_->window(), Qt::Key_V, Qt::ControlModifier);
    }
    void wheel() {
        const QPoint p = randomPoint();
        const int delta = pick(2) ? 120 : -120;
        note("wheel " + at(p) + " " + std::to_string(delta));
        QWheelEvent e(p, h_->window()->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, delta), held_,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(h_->window(), &e);
    }
    // Ticks of the answer timer, as its own event would bring them, while it runs.
    void tick(int count) {
        note("tick x" + std::to_string(count));
        for (int i = 0; i < count && form().timerRunning(); ++i)
            QMetaObject::invokeMethod(&h_->timer1(), "timeout");
    }
    void wait() {
        const int ms = 10 + pick(60);
        note("wait " + std::to_string(ms) + " ms");
        QTest::qWait(ms);
    }
    void makeJournal() {
        if (journal_ || h_->journalExists()) return;
        note("create the journal");
        made_ = true;
        h_->createJournal();
    }

    // The next step of a whole test, read from what the window shows.
    void step() {
        TForm1& f = form();
        if (held_ != Qt::NoButton) return release(heldButton(), randomPoint());
        if (f.timerRunning()) {
            const NodeNumber asked = h_->askedNode();
            const NodeNumber n = pick(4) && asked ? asked : 1 + pick(kNodeCount);
            const auto hotspots = Catalogue::standard().hotspotsOf(n);
            const std::string_view name =
                hotspots[static_cast<std::size_t>(pick(static_cast<int>(hotspots.size())))]->name;
            return clickAt(h_->pointOn(qs(name)), std::string(name));
        }
        if (f.isVisible(Control::SpeedVvod)) {
            if (!editText(Control::Edit1Gruppa).isEmpty() && !editText(Control::Edit1Fio).isEmpty() &&
                pick(2))
                return clickButton(Control::SpeedVvod);
            if (pick(2)) return key(kKeys[0]);
            return type(QString::fromUtf16(kTexts[pick(std::size(kTexts))]));
        }
        if (f.isVisible(Control::SpeedPusk)) return clickButton(Control::SpeedPusk);
        if (!journal_ && !made_ && pick(10) == 0) return makeJournal();
        clickButton(f.isVisible(Control::SpeedButtonRezWopros) ? Control::SpeedButtonRezWopros
                                                               : Control::SpeedExit);
    }

    // --- the rules ---

    std::string brokenRule() {
        if (ended()) return {};
        TForm1& f = form();
        const int pictures =
            f.isVisible(Control::Image1) + f.isVisible(Control::Image2) + f.isVisible(Control::Image3);
        if (pictures != 1) return std::to_string(pictures) + " pictures visible";
        const bool open = f.timerRunning();
        if (f.isVisible(Control::ProgressBar1) != open)
            return open ? "the answer timer runs without the progress bar"
                        : "progress bar shown with the timer stopped";
        if (f.isVisible(Control::SpeedPusk) && f.isEnabled(Control::SpeedPusk) == open)
            return open ? "QUESTION? enabled while a question is open"
                        : "QUESTION? disabled with no question open";
        if (open && (h_->askedNode() == 0 || !f.text(Control::LabelOtvet).empty()))
            return "the timer runs without an open question";
        if (held_ != Qt::NoButton) return {};
        if (!f.isVisible(Control::Image1)) return "no button held, yet a close-up is shown";
        for (const HotspotRow& r : kHotspotRows)
            if (!h_->elementVisible(qs(r.name)))
                return "no button held, yet " + std::string(r.name) + " is hidden";
        for (const MarkerRow& r : kMarkerRows)
            if (h_->elementVisible(qs(r.name)))
                return "no button held, yet " + std::string(r.name) + " is shown";
        for (NodeNumber n = 1; n <= kNodeCount; ++n)
            if (!f.panel(n)->isHidden())
                return "no button held, yet panel " + std::to_string(n) + " is shown";
        if (QGuiApplication::overrideCursor()) return "no button held, yet the pointer is hidden";
        return {};
    }

    std::string journalRule(bool graded, const QString& grade) {
        // Only a missing journal makes an error box, and it says so.
        for (const ModalRecord& box : watcher_->seen())
            if (box.kind == QStringLiteral("error") &&
                (journal_ || box.text != QStringLiteral("File not found.")))
                return "error box \"" + box.text.toStdString() + "\" with the journal " +
                       (journal_ ? "present" : "absent");
        if (!journal_ && !made_) return h_->journalExists() ? "the journal was created" : std::string();
        const QByteArray now = h_->journal();
        if (!now.startsWith(before_)) return "earlier journal bytes changed: " + printable(now);
        const QByteArray added = now.mid(before_.size());
        if (graded && std::find(std::begin(kGrades), std::end(kGrades), grade) == std::end(kGrades))
            return "grade shown is not a grade word: " + grade.toStdString();
        QByteArray expected;
        if (began_ || graded)
            expected = kLineStart + expectedField(group_) + " / " + expectedField(surname_) + " / " +
                       (graded ? grade.toLatin1() : kAbandoned) + "\r\n";
        if (added != expected)
            return "journal got \"" + printable(added) + "\", expected \"" + printable(expected) + "\"";
        const QByteArray inside = added.chopped(std::min<qsizetype>(2, added.size()));
        for (char c : inside)
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) == 0x98)
                return "journal line holds byte " + printable(QByteArray(1, c));
        return {};
    }

    std::uint32_t seed_;
    bool steered_, journal_;
    std::mt19937 rng_;
    std::unique_ptr<WindowHarness> h_;
    std::unique_ptr<ModalWatcher> watcher_;
    Qt::MouseButtons held_;
    QByteArray before_;
    bool began_ = false;
    bool made_ = false;  // the journal was put in place during the window's life
    QString group_, surname_;
    std::vector<std::string> log_;
    int windows_ = 0, lines_ = 0, graded_ = 0, boxes_ = 0;
    std::string failure_;
};

// --- the seeds ----------------------------------------------------------------

constexpr int kSeedCount = 60;  // about a minute in the normal build

std::vector<std::uint32_t> seeds() {
    if (const QByteArray one = qgetenv("KVARNEL_RANDOM_EVENT_SEED"); !one.isEmpty())
        return {static_cast<std::uint32_t>(one.toULong())};
    const int count = qEnvironmentVariableIsSet("KVARNEL_RANDOM_EVENT_SEEDS")
                          ? qEnvironmentVariableIntValue("KVARNEL_RANDOM_EVENT_SEEDS")
                          : kSeedCount;
    std::vector<std::uint32_t> list;
    for (int s = 1; s <= count; ++s) list.push_back(static_cast<std::uint32_t>(s));
    return list;
}

class UiRandomEvents : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(UiRandomEvents, EveryRuleHoldsAfterEveryEvent) {
    const std::string report = SeedRun(GetParam()).run();
    EXPECT_TRUE(report.empty()) << report;
}

INSTANTIATE_TEST_SUITE_P(Seeds, UiRandomEvents, ::testing::ValuesIn(seeds()),
                         [](const ::testing::TestParamInfo<std::uint32_t>& info) {
                             return "seed" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace kvarnel::testing
