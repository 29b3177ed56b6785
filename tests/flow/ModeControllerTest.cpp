// Registration checks, whole tests, the time limit, and the journal line at the
// end of a test, at EXIT and when the window is closed.
#include <gtest/gtest.h>

#include <set>

#include "FlowRig.h"

namespace kvarnel::testing {
namespace {

int fieldCount(const std::string& line) {
    int fields = 1;
    for (std::size_t at = line.find(" / "); at != std::string::npos; at = line.find(" / ", at + 3)) ++fields;
    return fields;
}

// --- Registration -----------------------------------------------------------

struct RegistrationCase {
    const char* group;
    const char* surname;
    const char* message;  // nullptr: accepted
};

class Registration : public ::testing::TestWithParam<RegistrationCase> {};

TEST_P(Registration, ChecksTheGroupFirstAndOnlyTheLength) {
    const RegistrationCase& c = GetParam();
    FlowRig rig;
    rig.controller.SpeedButtonRezWoprosClick();
    EXPECT_EQ(rig.activatedLayouts, std::vector<std::string>{"00000419"});
    rig.view.setText(Control::Edit1Gruppa, c.group);
    rig.view.setText(Control::Edit1Fio, c.surname);
    rig.controller.SpeedVvodClick();

    if (c.message) {
        EXPECT_EQ(rig.view.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(rig.activatedLayouts, std::vector<std::string>{"00000419"});  // still Russian
        EXPECT_TRUE(rig.view.isVisible(Control::SpeedVvod));
        EXPECT_TRUE(rig.view.isVisible(Control::Edit1Gruppa));
        EXPECT_FALSE(rig.view.isVisible(Control::SpeedPusk));
        EXPECT_TRUE(rig.engine.state().ResultRecord.empty());
    } else {
        EXPECT_TRUE(rig.view.messages().empty());
        EXPECT_EQ(rig.activatedLayouts, (std::vector<std::string>{"00000419", "00000409"}));
        EXPECT_TRUE(rig.view.isVisible(Control::SpeedPusk));
        EXPECT_TRUE(rig.view.isEnabled(Control::SpeedPusk));
        EXPECT_FALSE(rig.view.isVisible(Control::SpeedVvod));
        // Not trimmed: the texts go into the record as typed.
        EXPECT_EQ(rig.engine.state().ResultRecord,
                  std::string("07.12.2026 / 14:13:51 / ") + c.group + " / " + c.surname);
        // The edit boxes keep their (hidden) texts until the grading.
        EXPECT_EQ(rig.view.text(Control::Edit1Gruppa), c.group);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Registration,
    ::testing::Values(RegistrationCase{"", "", "You must enter your group number!"},
                      RegistrationCase{"", "Петров", "You must enter your group number!"},
                      RegistrationCase{"41-ТЭ", "", "You must enter your last name!"},
                      RegistrationCase{" ", "Петров", nullptr}, RegistrationCase{"41-ТЭ", " ", nullptr},
                      RegistrationCase{" 41 / ТЭ ", "Петров ", nullptr}));

TEST(RegistrationRetry, ARefusedEntryCanBeCompletedAfterwards) {
    FlowRig rig;
    rig.controller.SpeedButtonRezWoprosClick();
    rig.controller.SpeedVvodClick();
    rig.view.setText(Control::Edit1Gruppa, kGroup);
    rig.controller.SpeedVvodClick();
    rig.view.setText(Control::Edit1Fio, kSurname);
    rig.controller.SpeedVvodClick();
    EXPECT_EQ(rig.view.messages(), (std::vector<std::string>{"You must enter your group number!",
                                                             "You must enter your last name!"}));
    EXPECT_EQ(rig.activatedLayouts, (std::vector<std::string>{"00000419", "00000409"}));
    EXPECT_EQ(rig.engine.state().ResultRecord, kRecordStart);
}

// --- Whole tests --------------------------------------------------------------

struct WholeTestCase {
    int correct;
    const char* grade;
    ColourNumber colour;
};

class WholeTest : public ::testing::TestWithParam<WholeTestCase> {};

// The first k questions answered right, the others wrong: every other one by a
// wrong node, the rest by the right node after the time ran out.
TEST_P(WholeTest, GradesAndWritesOneLine) {
    const WholeTestCase& c = GetParam();
    FlowRig rig;
    rig.random.setSeed(static_cast<std::uint32_t>(7919 * (c.correct + 1)));
    rig.registerAs();

    std::set<NodeNumber> asked;
    for (int i = 1; i <= kNodeCount; ++i) {
        rig.controller.SpeedPuskClick();
        const NodeNumber n = rig.askedNode();
        ASSERT_NE(n, 0) << "question " << i;
        EXPECT_TRUE(asked.insert(n).second) << "node " << n << " asked twice";
        EXPECT_EQ(rig.view.text(Control::Label_Ostalos), std::to_string(kNodeCount - i));
        if (i <= c.correct) {
            rig.click(n);
        } else if (i % 2 == 0) {
            rig.click(FlowRig::otherNode(n));
        } else {
            rig.ticks(kTicksPerQuestion);
            rig.click(n);
        }
        EXPECT_EQ(rig.view.text(Control::LabelOtvet), i <= c.correct ? "CORRECT !" : "MISTAKE !");
    }
    EXPECT_TRUE(rig.journal.attempts.empty());
    rig.controller.SpeedPuskClick();

    EXPECT_EQ(rig.view.text(Control::LabelWopros), "No more questions");
    EXPECT_EQ(rig.view.text(Control::LabelStat2), c.grade);
    EXPECT_EQ(rig.view.fontColour(Control::LabelStat2), c.colour);
    EXPECT_EQ(rig.journal.lines, std::vector<std::string>{kRecordStart + " / " + c.grade});
    EXPECT_EQ(rig.view.text(Control::Edit1Gruppa), "");
    EXPECT_EQ(rig.view.text(Control::Edit1Fio), "");

    rig.controller.SpeedExitClick();  // nothing more is due
    EXPECT_EQ(rig.journal.attempts.size(), 1u);
    EXPECT_EQ(rig.quitRequests, 1);
}

INSTANTIATE_TEST_SUITE_P(Grades, WholeTest,
                         ::testing::Values(WholeTestCase{0, "unsatisfactorily", clBlack},
                                           WholeTestCase{23, "unsatisfactorily", clBlack},
                                           WholeTestCase{24, "satisfactorily", clBlue},
                                           WholeTestCase{29, "satisfactorily", clBlue},
                                           WholeTestCase{30, "good", clGreen},
                                           WholeTestCase{35, "good", clGreen},
                                           WholeTestCase{36, "excellent", clRed},
                                           WholeTestCase{39, "excellent", clRed}));

TEST(TimeLimit, HundredTicksTimeTheQuestionOut) {
    FlowRig rig;
    rig.registerAs();
    rig.answerRight(1);
    rig.controller.SpeedPuskClick();
    const NodeNumber timedOut = rig.askedNode();
    const std::string remaining = rig.view.text(Control::Label_Ostalos);
    EXPECT_EQ(remaining, "37");

    rig.ticks(kTicksPerQuestion - 1);
    EXPECT_TRUE(rig.view.timerRunning());
    EXPECT_TRUE(rig.view.isVisible(Control::ProgressBar1));
    EXPECT_EQ(rig.askedNode(), timedOut);
    rig.ticks(1);
    EXPECT_FALSE(rig.view.timerRunning());
    EXPECT_FALSE(rig.view.isVisible(Control::ProgressBar1));
    EXPECT_EQ(rig.view.text(Control::LabelWopros), "Time allowed for the answer is over!");
    EXPECT_EQ(rig.view.fontColour(Control::LabelWopros), clRed);
    EXPECT_EQ(rig.view.text(Control::Label_Ostalos), remaining);
    EXPECT_TRUE(rig.view.isEnabled(Control::SpeedPusk));

    rig.click(timedOut);  // the right node, too late
    EXPECT_EQ(rig.view.text(Control::LabelOtvet), "MISTAKE !");
    EXPECT_EQ(rig.engine.state().CorrectCount, 1);
    for (int i = 3; i <= kNodeCount; ++i) {  // the timed-out question is not asked again
        rig.controller.SpeedPuskClick();
        EXPECT_NE(rig.askedNode(), timedOut);
        rig.click(rig.askedNode());
    }
}

// --- EXIT and the close box ---------------------------------------------------

struct ExitCase {
    const char* name;
    void (*reach)(FlowRig&);
    bool abandonedLineDue;
};

void drawAndOpen39(FlowRig& r) {
    r.registerAs();
    r.answerRight(kNodeCount - 1);
    r.controller.SpeedPuskClick();
}

const ExitCase kExitCases[] = {
    {"StudyMode", [](FlowRig&) {}, false},
    {"Registration", [](FlowRig& r) { r.controller.SpeedButtonRezWoprosClick(); }, false},
    {"RefusedRegistration",
     [](FlowRig& r) {
         r.controller.SpeedButtonRezWoprosClick();
         r.controller.SpeedVvodClick();
     },
     false},
    {"AwaitingQuestion", [](FlowRig& r) { r.registerAs(); }, false},
    {"FirstQuestionOpen",
     [](FlowRig& r) {
         r.registerAs();
         r.controller.SpeedPuskClick();
     },
     true},
    {"FirstQuestionAnswered",
     [](FlowRig& r) {
         r.registerAs();
         r.answerRight(1);
     },
     true},
    {"TimedOut",
     [](FlowRig& r) {
         r.registerAs();
         r.controller.SpeedPuskClick();
         r.ticks(kTicksPerQuestion);
     },
     true},
    // A test whose 39 questions were drawn but which was not graded is abandoned too.
    {"LastQuestionOpen", drawAndOpen39, true},
    {"LastQuestionAnswered",
     [](FlowRig& r) {
         drawAndOpen39(r);
         r.click(r.askedNode());
     },
     true},
};

class ExitInEveryState : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitInEveryState, WritesTheDueLineThenQuits) {
    FlowRig rig;
    GetParam().reach(rig);
    rig.controller.SpeedExitClick();
    const std::vector<std::string> expected =
        GetParam().abandonedLineDue ? std::vector<std::string>{kAbandonedLine} : std::vector<std::string>{};
    EXPECT_EQ(rig.journal.lines, expected);
    EXPECT_EQ(rig.quitRequests, 1);
    // The quit closes the window: the close box's write must not repeat the line.
    rig.controller.WindowClosing();
    EXPECT_EQ(rig.journal.lines, expected);
}

TEST_P(ExitInEveryState, ClosingTheWindowWritesTheDueLineToo) {
    FlowRig rig;
    GetParam().reach(rig);
    rig.controller.WindowClosing();
    EXPECT_EQ(rig.journal.lines, GetParam().abandonedLineDue ? std::vector<std::string>{kAbandonedLine}
                                                             : std::vector<std::string>{});
    EXPECT_EQ(rig.quitRequests, 0);  // the window closes by itself
}

INSTANTIATE_TEST_SUITE_P(States, ExitInEveryState, ::testing::ValuesIn(kExitCases),
                         [](const ::testing::TestParamInfo<ExitCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Exit, AfterAGradedTestWritesNothingMore) {
    FlowRig rig;
    rig.registerAs();
    rig.answerRight(kNodeCount);
    rig.controller.SpeedPuskClick();
    ASSERT_EQ(rig.journal.lines, std::vector<std::string>{kRecordStart + " / excellent"});
    rig.controller.SpeedExitClick();
    EXPECT_EQ(rig.journal.attempts.size(), 1u);
    EXPECT_EQ(rig.quitRequests, 1);
}

TEST(Exit, AFailedWriteKeepsTheProgramOpenAndTheNextExitRetriesTheSameLine) {
    FlowRig rig;
    rig.registerAs();
    rig.answerRight(2);
    rig.controller.SpeedPuskClick();
    rig.journal.failCode = 2;

    for (int attempt = 1; attempt <= 2; ++attempt) {
        try {
            rig.controller.SpeedExitClick();
            ADD_FAILURE() << "EXIT did not report the failed write";
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.code(), 2);
        }
        EXPECT_EQ(rig.quitRequests, 0);
        EXPECT_TRUE(rig.view.timerRunning()) << "the open question goes on";
    }
    // The test can go on after a failed EXIT.
    rig.click(rig.askedNode());
    EXPECT_EQ(rig.engine.state().CorrectCount, 3);

    rig.journal.failCode = 0;
    rig.controller.SpeedExitClick();
    EXPECT_EQ(rig.journal.attempts, std::vector<std::string>(3, kAbandonedLine));
    EXPECT_EQ(rig.journal.lines, std::vector<std::string>{kAbandonedLine});
    EXPECT_EQ(fieldCount(rig.journal.lines[0]), 5);
    EXPECT_EQ(rig.quitRequests, 1);
}

TEST(Exit, AGradedLineWhoseWriteFailedIsWrittenAtExit) {
    FlowRig rig;
    rig.registerAs();
    rig.answerRight(kNodeCount);
    rig.journal.failCode = 2;
    EXPECT_THROW(rig.controller.SpeedPuskClick(), EInOutError);
    // The grade stays on screen; the edit boxes keep their texts.
    EXPECT_EQ(rig.view.text(Control::LabelStat2), "excellent");
    EXPECT_TRUE(rig.view.isVisible(Control::LabelStat2));
    EXPECT_EQ(rig.view.text(Control::Edit1Gruppa), kGroup);

    EXPECT_THROW(rig.controller.SpeedExitClick(), EInOutError);
    EXPECT_EQ(rig.quitRequests, 0);
    rig.journal.failCode = 0;
    rig.controller.SpeedExitClick();
    EXPECT_EQ(rig.journal.lines, std::vector<std::string>{kRecordStart + " / excellent"});
    EXPECT_EQ(rig.quitRequests, 1);
}

TEST(WindowClosing, AFailedWriteIsReportedToTheCaller) {
    FlowRig rig;
    rig.registerAs();
    rig.controller.SpeedPuskClick();
    rig.journal.failCode = 5;
    try {
        rig.controller.WindowClosing();
        ADD_FAILURE() << "the failed write was not reported";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.code(), 5);
    }
    EXPECT_EQ(rig.journal.attempts, std::vector<std::string>{kAbandonedLine});
    EXPECT_EQ(rig.quitRequests, 0);
}

}  // namespace
}  // namespace kvarnel::testing
