#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Catalogue.h"
#include "core/InOutError.h"
#include "core/TestEngine.h"
#include "tests/support/FakeFormView.h"
#include "tests/support/FakeJournal.h"
#include "tests/support/FixedClock.h"

using namespace kvarnel;
using kvarnel::testing::FakeFormView;
using kvarnel::testing::FakeJournal;
using kvarnel::testing::FixedClock;

namespace {

const std::string kRegistration = "07.12.2026 / 14:13:51 / 41-ТЭ / Петров";
const std::string kAbandonedLine = kRegistration + " / Тест прерван";

NodeNumber nodeOfQuestion(const std::string& text) {
    for (NodeNumber n = 1; n <= kNodeCount; ++n)
        if (Catalogue::standard().question(n) == text) return n;
    return 0;
}

NodeNumber otherNode(NodeNumber n) { return n % kNodeCount + 1; }

// One engine over a recording window and journal, registered and ready for the first question.
struct Harness {
    explicit Harness(std::uint32_t seed = 12345) {
        engine.InitTest();
        random.setSeed(seed);  // a fixed seed, so the run is repeatable
        FixedClock clock;
        engine.Register(clock, "41-ТЭ", "Петров");
        view.setText(Control::Edit1Gruppa, "41-ТЭ");
        view.setText(Control::Edit1Fio, "Петров");
    }

    // The node whose question the label shows, 0 when it shows none.
    NodeNumber asked() const { return nodeOfQuestion(view.text(Control::LabelWopros)); }
    const TestState& state() const { return engine.state(); }

    // Draws and answers all 39 questions, the first `correct` of them right.
    std::vector<NodeNumber> answerAll(int correct) {
        std::vector<NodeNumber> drawn;
        for (int i = 0; i < kNodeCount; ++i) {
            engine.DrawQuestion();
            const NodeNumber n = asked();
            drawn.push_back(n);
            engine.CheckAnswer(i < correct ? n : otherNode(n));
        }
        return drawn;
    }

    FakeFormView view;
    Random random;
    FakeJournal journal;
    TestEngine engine{view, random, journal};
};

TEST(TestEngine, InitTestFillsQuestionsFlagsAndCounts) {
    FakeFormView view;
    Random random;
    FakeJournal journal;
    TestEngine engine(view, random, journal);
    engine.InitTest();
    const TestState& s = engine.state();
    for (NodeNumber n = 1; n <= kNodeCount; ++n) {
        EXPECT_EQ(s.Questions[static_cast<std::size_t>(n)], Catalogue::standard().question(n)) << n;
        EXPECT_EQ(s.NotAsked[static_cast<std::size_t>(n)], 1) << n;
    }
    EXPECT_EQ(s.RemainingCount, 39);
    EXPECT_FALSE(s.QuestionActive);
    EXPECT_TRUE(s.AnswerPending);
    EXPECT_EQ(s.CorrectCount, 0);
    EXPECT_EQ(s.CorrectText, "CORRECT !");
    EXPECT_EQ(s.MistakeText, "MISTAKE !");
    EXPECT_TRUE(view.calls.empty());
}

TEST(TestEngine, FullTestDrawsEveryQuestionOnceAndThe40thPressGrades) {
    for (std::uint32_t seed : {0u, 12345u, 4294967295u, 777u}) {
        Harness h(seed);
        const std::vector<NodeNumber> drawn = h.answerAll(39);
        const std::set<NodeNumber> distinct(drawn.begin(), drawn.end());
        EXPECT_EQ(distinct.size(), 39u) << "seed " << seed;
        EXPECT_EQ(distinct.count(0), 0u) << "a draw showed no question, seed " << seed;
        EXPECT_EQ(h.state().RemainingCount, 0);
        EXPECT_TRUE(h.journal.lines.empty());
        EXPECT_FALSE(h.state().Graded);

        h.engine.DrawQuestion();
        EXPECT_EQ(h.view.text(Control::LabelWopros), "No more questions");
        EXPECT_EQ(h.state().CorrectCount, 100);
        EXPECT_EQ(h.state().GradeText, "excellent");
        EXPECT_EQ(h.journal.lines, std::vector<std::string>{kRegistration + " / excellent"});
        EXPECT_EQ(h.state().RemainingCount, 39);
        EXPECT_TRUE(h.state().AnswerPending);
        for (NodeNumber n = 1; n <= kNodeCount; ++n)
            EXPECT_EQ(h.state().NotAsked[static_cast<std::size_t>(n)], 1);
        EXPECT_EQ(h.view.text(Control::Edit1Gruppa), "");
        EXPECT_EQ(h.view.text(Control::Edit1Fio), "");
        EXPECT_FALSE(h.engine.DueLineAtExit());
    }
}

// A draw after a timed-out, answered question: every control the draw sets had
// been left otherwise by the timeout and the answer.
TEST(TestEngine, DrawAfterATimedOutQuestionShowsTheNextOneAfresh) {
    Harness h;
    h.engine.DrawQuestion();
    for (int i = 0; i < kTicksPerQuestion; ++i) h.engine.Tick();
    h.engine.CheckAnswer(h.asked());
    ASSERT_EQ(h.view.text(Control::LabelOtvet), "MISTAKE !");
    h.engine.DrawQuestion();
    ASSERT_NE(h.asked(), 0);
    EXPECT_FALSE(h.view.isEnabled(Control::SpeedPusk));
    EXPECT_EQ(h.view.fontColour(Control::LabelWopros), clBlack);
    EXPECT_TRUE(h.view.isVisible(Control::ProgressBar1));
    EXPECT_EQ(h.view.progress(), 0);
    EXPECT_TRUE(h.view.timerRunning());
    EXPECT_EQ(h.view.text(Control::LabelOtvet), "");
    EXPECT_EQ(h.view.text(Control::Label_Ostalos), "37");
    EXPECT_TRUE(h.state().QuestionActive);
    EXPECT_TRUE(h.state().AnswerPending);
    EXPECT_EQ(h.state().NotAsked[static_cast<std::size_t>(h.state().CurrentQuestion)], 0);
    EXPECT_EQ(h.state().CurrentQuestion, h.asked());
}

TEST(TestEngine, RemainingLabelCountsDownFrom38To0) {
    Harness h;
    for (int i = 0; i < kNodeCount; ++i) {
        h.engine.DrawQuestion();
        EXPECT_EQ(h.view.text(Control::Label_Ostalos), std::to_string(38 - i));
        EXPECT_EQ(h.state().RemainingCount, 38 - i);
        h.engine.CheckAnswer(h.asked());
    }
}

TEST(TestEngine, FinishedTestShowsTheGradeAndHidesTheQuestion) {
    const std::vector<Control> hidden = {Control::ProgressBar1, Control::SpeedButtonRezWopros,
                                         Control::SpeedPusk, Control::LabelOtvet};
    const std::vector<Control> shown = {Control::LabelStat1, Control::LabelStat2};
    const std::vector<Control> enabled = {Control::SpeedButtonRezOznkom, Control::SpeedButtonRezWopros};
    Harness h;
    h.answerAll(39);
    // Each control starts out the other way, so that each step is seen to be taken.
    for (const Control c : hidden) h.view.setVisible(c, true);
    for (const Control c : shown) h.view.setVisible(c, false);
    for (const Control c : enabled) h.view.setEnabled(c, false);
    h.engine.DrawQuestion();
    for (const Control c : hidden) EXPECT_FALSE(h.view.isVisible(c)) << controlName(c);
    for (const Control c : shown) EXPECT_TRUE(h.view.isVisible(c)) << controlName(c);
    for (const Control c : enabled) EXPECT_TRUE(h.view.isEnabled(c)) << controlName(c);
    EXPECT_FALSE(h.view.timerRunning());
    EXPECT_EQ(h.view.text(Control::LabelWopros), "No more questions");
    EXPECT_EQ(h.view.fontColour(Control::LabelWopros), clBlack);
    EXPECT_EQ(h.view.text(Control::LabelOtvet), "");
    EXPECT_EQ(h.view.text(Control::LabelStat2), "excellent");
    EXPECT_EQ(h.view.fontColour(Control::LabelStat2), clRed);
}

TEST(TestEngine, TimeoutAfter100Ticks) {
    Harness h;
    h.engine.DrawQuestion();
    const NodeNumber n = h.asked();
    ASSERT_NE(n, 0);
    for (int i = 1; i < kTicksPerQuestion; ++i) h.engine.Tick();
    EXPECT_EQ(h.view.progress(), 99);
    EXPECT_TRUE(h.view.timerRunning());
    EXPECT_EQ(h.asked(), n);

    h.view.setText(Control::Label_Ostalos, "");  // set again from RemainingCount
    h.engine.Tick();
    EXPECT_EQ(h.view.progress(), 100);
    EXPECT_EQ(h.view.text(Control::Label_Ostalos), "38");
    EXPECT_FALSE(h.view.timerRunning());
    EXPECT_EQ(h.view.fontColour(Control::LabelWopros), clRed);
    EXPECT_FALSE(h.view.isVisible(Control::ProgressBar1));
    EXPECT_TRUE(h.view.isEnabled(Control::SpeedPusk));
    EXPECT_EQ(h.view.text(Control::LabelWopros), "Time allowed for the answer is over!");
    EXPECT_EQ(h.state().NotAsked[static_cast<std::size_t>(n)], 0);
    EXPECT_EQ(h.state().RemainingCount, 38);
    EXPECT_TRUE(h.state().AnswerPending);

    // Even the right node scores nothing now.
    h.engine.CheckAnswer(n);
    EXPECT_EQ(h.view.text(Control::LabelOtvet), "MISTAKE !");
    EXPECT_EQ(h.view.fontColour(Control::LabelOtvet), clRed);
    EXPECT_EQ(h.state().CorrectCount, 0);
    EXPECT_FALSE(h.state().AnswerPending);
}

TEST(TestEngine, TimedOutQuestionIsNeverAskedAgain) {
    Harness h(4242);
    h.engine.DrawQuestion();
    const NodeNumber timedOut = h.asked();
    for (int i = 0; i < kTicksPerQuestion; ++i) h.engine.Tick();
    h.engine.CheckAnswer(timedOut);
    std::vector<NodeNumber> later;
    for (int i = 1; i < kNodeCount; ++i) {
        h.engine.DrawQuestion();
        later.push_back(h.asked());
        h.engine.CheckAnswer(h.asked());
    }
    std::set<NodeNumber> distinct(later.begin(), later.end());
    EXPECT_EQ(distinct.size(), 38u);
    EXPECT_EQ(distinct.count(timedOut), 0u);
    EXPECT_EQ(distinct.count(0), 0u);
    h.engine.DrawQuestion();
    EXPECT_EQ(h.state().CorrectCount, 97);  // 38 right of 39; the timed-out one scored nothing
    EXPECT_EQ(h.state().GradeText, "excellent");
}

TEST(TestEngine, SecondPressAfterAnAnswerChangesNothing) {
    for (bool firstRight : {true, false}) {
        Harness h;
        h.engine.DrawQuestion();
        const NodeNumber n = h.asked();
        h.engine.CheckAnswer(firstRight ? n : otherNode(n));
        const std::string verdict = h.view.text(Control::LabelOtvet);
        const int count = h.state().CorrectCount;
        h.view.clearCalls();
        h.engine.CheckAnswer(n);
        h.engine.CheckAnswer(otherNode(n));
        EXPECT_TRUE(h.view.calls.empty());
        EXPECT_EQ(h.view.text(Control::LabelOtvet), verdict);
        EXPECT_EQ(h.state().CorrectCount, count);
        EXPECT_EQ(count, firstRight ? 1 : 0);
    }
}

TEST(TestEngine, PressBeforeTheFirstQuestionShowsNoVerdict) {
    Harness h;
    h.view.clearCalls();
    h.engine.CheckAnswer(1);
    EXPECT_TRUE(h.view.calls.empty());
    EXPECT_FALSE(h.state().AnswerPending);
    EXPECT_EQ(h.state().CorrectCount, 0);
}

TEST(TestEngine, AnswerVerdictsAndTheirColours) {
    Harness h;
    h.engine.DrawQuestion();
    const NodeNumber n = h.asked();
    ASSERT_TRUE(h.view.timerRunning());
    ASSERT_TRUE(h.view.isVisible(Control::ProgressBar1));
    h.engine.CheckAnswer(n);
    EXPECT_FALSE(h.view.timerRunning());
    EXPECT_FALSE(h.view.isVisible(Control::ProgressBar1));
    EXPECT_EQ(h.view.text(Control::LabelOtvet), "CORRECT !");
    EXPECT_EQ(h.view.fontColour(Control::LabelOtvet), clGreen);
    EXPECT_EQ(h.asked(), n);  // the question stays on screen
    EXPECT_EQ(h.state().CorrectCount, 1);

    h.engine.DrawQuestion();
    h.engine.CheckAnswer(otherNode(h.asked()));
    EXPECT_EQ(h.view.text(Control::LabelOtvet), "MISTAKE !");
    EXPECT_EQ(h.view.fontColour(Control::LabelOtvet), clRed);
    EXPECT_EQ(h.state().CorrectCount, 1);

    h.engine.DrawQuestion();
    h.engine.CheckAnswer(0);  // names no node
    EXPECT_EQ(h.view.text(Control::LabelOtvet), "MISTAKE !");
    EXPECT_EQ(h.state().CorrectCount, 1);
}

TEST(TestEngine, EveryHotspotOfANodeIsACorrectAnswer) {
    const Catalogue& cat = Catalogue::standard();
    for (const HotspotRow& hotspot : cat.hotspots()) {
        const std::optional<NodeNumber> pressed = cat.nodeOfHotspot(hotspot.name);
        ASSERT_TRUE(pressed) << hotspot.name;
        Harness h(static_cast<std::uint32_t>(hotspot.left * 1000 + hotspot.top));
        bool answered = false;
        for (int i = 0; i < kNodeCount && !answered; ++i) {
            h.engine.DrawQuestion();
            if (h.asked() == hotspot.node) {
                h.engine.CheckAnswer(*pressed);
                EXPECT_EQ(h.view.text(Control::LabelOtvet), "CORRECT !") << hotspot.name;
                EXPECT_EQ(h.state().CorrectCount, 1) << hotspot.name;
                answered = true;
            } else {
                h.engine.CheckAnswer(otherNode(h.asked()));
            }
        }
        EXPECT_TRUE(answered) << hotspot.name;
    }
}

struct GradeCase {
    int correct;
    int percentage;
    const char* grade;
    ColourNumber colour;
};

void PrintTo(const GradeCase& g, std::ostream* os) { *os << g.correct << " correct"; }

class GradeTable : public ::testing::TestWithParam<GradeCase> {};

TEST_P(GradeTable, CorrectAnswersGiveGradeWordAndColour) {
    const GradeCase& g = GetParam();
    Harness h;
    h.answerAll(g.correct);
    EXPECT_EQ(h.state().CorrectCount, g.correct);
    h.engine.DrawQuestion();
    EXPECT_EQ(h.state().CorrectCount, g.percentage);
    EXPECT_EQ(h.state().GradeText, g.grade);
    EXPECT_EQ(h.view.text(Control::LabelStat2), g.grade);
    EXPECT_EQ(h.view.fontColour(Control::LabelStat2), g.colour);
    EXPECT_TRUE(h.view.isVisible(Control::LabelStat2));
    EXPECT_EQ(h.journal.lines, std::vector<std::string>{kRegistration + " / " + g.grade});
}

INSTANTIATE_TEST_SUITE_P(Thresholds, GradeTable,
                         ::testing::Values(GradeCase{0, 0, "unsatisfactorily", clBlack},
                                           GradeCase{23, 58, "unsatisfactorily", clBlack},
                                           GradeCase{24, 61, "satisfactorily", clBlue},
                                           GradeCase{29, 74, "satisfactorily", clBlue},
                                           GradeCase{30, 76, "good", clGreen},
                                           GradeCase{35, 89, "good", clGreen},
                                           GradeCase{36, 92, "excellent", clRed},
                                           GradeCase{39, 100, "excellent", clRed}));

TEST(TestEngine, GradeBandsByPercentage) {
    const std::vector<std::pair<int, const char*>> bands = {{0, "unsatisfactorily"},
                                                            {60, "unsatisfactorily"},
                                                            {61, "satisfactorily"},
                                                            {75, "satisfactorily"},
                                                            {76, "good"},
                                                            {90, "good"},
                                                            {91, "excellent"},
                                                            {100, "excellent"}};
    for (const auto& [percentage, grade] : bands)
        EXPECT_EQ(TestEngine::GradeFor(percentage), grade) << percentage;
    EXPECT_EQ(TestEngine::GradeColour("unsatisfactorily"), clBlack);
    EXPECT_EQ(TestEngine::GradeColour("satisfactorily"), ColourNumber{0xFF0000});  // RGB 0,0,255
    EXPECT_EQ(TestEngine::GradeColour("good"), ColourNumber{0x008000});            // RGB 0,128,0
    EXPECT_EQ(TestEngine::GradeColour("excellent"), ColourNumber{0x0000FF});       // RGB 255,0,0
}

TEST(TestEngine, JournalFailureAtTheEndKeepsTheLinePending) {
    Harness h;
    h.answerAll(30);
    h.journal.failCode = 2;
    try {
        h.engine.DrawQuestion();
        FAIL() << "the journal failure did not propagate";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), 2);
    }
    // The grade is on screen, the later steps did not run.
    EXPECT_EQ(h.view.text(Control::LabelStat2), "good");
    EXPECT_EQ(h.view.text(Control::Edit1Gruppa), "41-ТЭ");
    EXPECT_EQ(h.view.text(Control::Edit1Fio), "Петров");
    EXPECT_EQ(h.state().RemainingCount, 0);
    EXPECT_FALSE(h.state().AnswerPending);
    EXPECT_EQ(h.state().ResultRecord, kRegistration + " / good");
    EXPECT_TRUE(h.state().GradedLinePending);
    EXPECT_EQ(h.engine.DueLineAtExit(), std::optional<std::string>(kRegistration + " / good"));

    // Still missing at EXIT: the line stays due and does not change.
    EXPECT_THROW(h.engine.WriteDueLineAtExit(), EInOutError);
    EXPECT_EQ(h.engine.DueLineAtExit(), std::optional<std::string>(kRegistration + " / good"));

    h.journal.failCode = 0;
    EXPECT_TRUE(h.engine.WriteDueLineAtExit());
    EXPECT_EQ(h.journal.lines, std::vector<std::string>{kRegistration + " / good"});
    EXPECT_FALSE(h.engine.DueLineAtExit());
    EXPECT_FALSE(h.engine.WriteDueLineAtExit());
    EXPECT_EQ(h.journal.lines.size(), 1u);
}

TEST(TestEngine, RegisterBuildsTheRecordWithControlCharactersAsSpaces) {
    Harness h;
    FixedClock clock;
    h.engine.Register(clock, "41\tТЭ", "Пет\r\nров ");
    EXPECT_EQ(h.state().ResultRecord, "07.12.2026 / 14:13:51 / 41 ТЭ / Пет  ров ");
    EXPECT_EQ(h.state().RegistrationRecord, h.state().ResultRecord);
}

// The exit decision in each state of a run.
TEST(TestEngine, NothingIsDueBeforeTheFirstQuestion) {
    FakeFormView view;
    Random random;
    FakeJournal journal;
    TestEngine engine(view, random, journal);
    engine.InitTest();
    EXPECT_FALSE(engine.DueLineAtExit());  // study mode
    engine.CheckAnswer(5);                 // a press in study mode or registration
    EXPECT_FALSE(engine.DueLineAtExit());
    FixedClock clock;
    engine.Register(clock, "41-ТЭ", "Петров");
    EXPECT_FALSE(engine.DueLineAtExit());  // registered, no question yet
    EXPECT_FALSE(engine.WriteDueLineAtExit());
    EXPECT_TRUE(journal.attempts.empty());
}

TEST(TestEngine, AbandonedLineIsDueOnceAQuestionWasDrawn) {
    struct Stage {
        const char* name;
        int answered;      // questions answered before the last draw
        bool drawLast;     // one more question drawn
        bool answerLast;   // ... and answered
        bool timeOutLast;  // ... and timed out
    };
    const Stage stages[] = {
        {"first question open", 0, true, false, false},
        {"first question answered", 0, true, true, false},
        {"first question timed out", 0, true, false, true},
        {"20 answered", 20, false, false, false},
        {"39th question open", 38, true, false, false},
        {"39th answered, not graded", 38, true, true, false},
        {"39th timed out, not graded", 38, true, false, true},
    };
    for (const Stage& stage : stages) {
        Harness h;
        for (int i = 0; i < stage.answered; ++i) {
            h.engine.DrawQuestion();
            h.engine.CheckAnswer(h.asked());
        }
        if (stage.drawLast) h.engine.DrawQuestion();
        if (stage.answerLast) h.engine.CheckAnswer(h.asked());
        if (stage.timeOutLast)
            for (int i = 0; i < kTicksPerQuestion; ++i) h.engine.Tick();
        EXPECT_EQ(h.engine.DueLineAtExit(), std::optional<std::string>(kAbandonedLine)) << stage.name;
        EXPECT_TRUE(h.engine.WriteDueLineAtExit()) << stage.name;
        EXPECT_EQ(h.journal.lines, std::vector<std::string>{kAbandonedLine}) << stage.name;
        EXPECT_EQ(h.state().GradeText, "Тест прерван") << stage.name;
        EXPECT_EQ(h.state().ResultRecord, kAbandonedLine) << stage.name;
        // Closing the window after the EXIT write has nothing more to write.
        EXPECT_FALSE(h.engine.DueLineAtExit()) << stage.name;
        EXPECT_FALSE(h.engine.WriteDueLineAtExit()) << stage.name;
        EXPECT_EQ(h.journal.lines.size(), 1u) << stage.name;
    }
}

TEST(TestEngine, RetriedAbandonedLineStaysFiveFields) {
    Harness h;
    h.engine.DrawQuestion();
    h.journal.failCode = 2;
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_THROW(h.engine.WriteDueLineAtExit(), EInOutError);
        EXPECT_EQ(h.state().ResultRecord, kAbandonedLine);
        EXPECT_EQ(h.engine.DueLineAtExit(), std::optional<std::string>(kAbandonedLine));
    }
    // The test goes on after a failed EXIT and can still be abandoned later.
    h.engine.CheckAnswer(h.asked());
    h.engine.DrawQuestion();
    h.journal.failCode = 0;
    EXPECT_TRUE(h.engine.WriteDueLineAtExit());
    EXPECT_EQ(h.journal.lines, std::vector<std::string>{kAbandonedLine});
    EXPECT_EQ(h.journal.attempts.size(), 4u);
}

// EXIT failed (no journal) during the test, the test went on and was graded: the
// grade line is the registration's four fields and the grade, nothing abandoned in it.
TEST(TestEngine, GradedLineAfterFailedExitsStaysFiveFields) {
    for (int failedExits : {1, 3}) {
        Harness h;
        h.engine.DrawQuestion();
        h.journal.failCode = 2;
        for (int i = 0; i < failedExits; ++i) EXPECT_THROW(h.engine.WriteDueLineAtExit(), EInOutError);
        h.journal.failCode = 0;
        h.engine.CheckAnswer(h.asked());
        for (int i = 1; i < kNodeCount; ++i) {
            h.engine.DrawQuestion();
            h.engine.CheckAnswer(h.asked());
        }
        h.engine.DrawQuestion();
        EXPECT_EQ(h.journal.lines, std::vector<std::string>{kRegistration + " / excellent"}) << failedExits;
        EXPECT_FALSE(h.engine.DueLineAtExit()) << failedExits;
    }
}

TEST(TestEngine, GradedTestLeavesNothingDueAfterItsLineWasWritten) {
    Harness h;
    h.answerAll(24);
    h.engine.DrawQuestion();
    EXPECT_EQ(h.journal.lines, std::vector<std::string>{kRegistration + " / satisfactorily"});
    EXPECT_FALSE(h.engine.DueLineAtExit());
    h.engine.CheckAnswer(3);  // a press in the finished test
    EXPECT_FALSE(h.engine.DueLineAtExit());
    EXPECT_FALSE(h.engine.WriteDueLineAtExit());
    EXPECT_EQ(h.journal.attempts.size(), 1u);
}

}  // namespace
