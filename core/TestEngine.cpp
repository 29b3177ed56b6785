#include "TestEngine.h"

#include <iterator>

#include "Catalogue.h"
#include "JournalWords.h"
#include "ResultRecord.h"

namespace kvarnel {

namespace {

constexpr const char* kCorrectText = "CORRECT !";
constexpr const char* kMistakeText = "MISTAKE !";

struct GradeRow {
    int highestPercentage;  // inclusive upper bound of the grade's band
    Outcome grade;          // its word is the journal's
    ColourNumber colour;
};

constexpr GradeRow kGrades[] = {
    {60, Outcome::Unsatisfactorily, clBlack},
    {75, Outcome::Satisfactorily, clBlue},
    {90, Outcome::Good, clGreen},
    {100, Outcome::Excellent, clRed},
};

std::int32_t sumOf(const std::array<std::int32_t, kNodeCount + 1>& flags) {
    std::int32_t sum = 0;
    for (NodeNumber i = 1; i <= kNodeCount; ++i) sum += flags[static_cast<std::size_t>(i)];
    return sum;
}

}  // namespace

TestEngine::TestEngine(FormView& view, Random& random, Journal& journal)
    : view_(view), random_(random), journal_(journal) {}

void TestEngine::InitTest() {
    const std::vector<std::string> questions = Catalogue::standard().questions();
    for (NodeNumber i = 1; i <= kNodeCount; ++i)
        state_.Questions[static_cast<std::size_t>(i)] = questions[static_cast<std::size_t>(i - 1)];
    state_.CorrectText = kCorrectText;
    state_.MistakeText = kMistakeText;
    for (NodeNumber i = 1; i <= kNodeCount; ++i) state_.NotAsked[static_cast<std::size_t>(i)] = 1;
    state_.RemainingCount = 0;
    state_.RemainingCount += sumOf(state_.NotAsked);
    state_.QuestionActive = false;
    state_.AnswerPending = true;
    state_.CorrectCount = 0;
}

void TestEngine::DrawQuestion() {
    view_.setEnabled(Control::SpeedPusk, false);
    view_.setFontColour(Control::LabelWopros, clBlack);
    view_.setVisible(Control::ProgressBar1, true);
    view_.setProgress(0);
    view_.setTimerRunning(true);
    view_.setText(Control::LabelOtvet, "");

    state_.QuestionActive = true;

    // Rejection sampling over all 39 numbers; RemainingCount is the previous draw's.
    do {
        state_.CurrentQuestion = static_cast<std::int32_t>(random_.draw(kNodeCount)) + 1;
    } while (state_.NotAsked[static_cast<std::size_t>(state_.CurrentQuestion)] == 0 &&
             state_.RemainingCount > 0);

    state_.NotAsked[static_cast<std::size_t>(state_.CurrentQuestion)] = 0;

    if (state_.RemainingCount > 0) {
        view_.setText(Control::LabelWopros,
                      state_.Questions[static_cast<std::size_t>(state_.CurrentQuestion)]);
        view_.setText(Control::Label_Ostalos, std::to_string(state_.RemainingCount - 1));
    }

    if (state_.RemainingCount == 0) {
        // The press after the last question: the finished test.
        view_.setTimerRunning(false);
        view_.setVisible(Control::ProgressBar1, false);
        view_.setText(Control::LabelWopros, kNoMoreQuestions);
        view_.setVisible(Control::SpeedButtonRezWopros, false);
        view_.setVisible(Control::SpeedPusk, false);
        view_.setEnabled(Control::SpeedButtonRezOznkom, true);
        view_.setEnabled(Control::SpeedButtonRezWopros, true);
        view_.setText(Control::LabelOtvet, "");
        view_.setVisible(Control::LabelOtvet, false);
        view_.setVisible(Control::LabelStat1, true);
        view_.setVisible(Control::LabelStat2, true);

        state_.CorrectCount = state_.CorrectCount * 100 / kNodeCount;
        state_.GradeText = GradeFor(state_.CorrectCount);
        view_.setFontColour(Control::LabelStat2, GradeColour(state_.GradeText));
        view_.setText(Control::LabelStat2, state_.GradeText);
        state_.Graded = true;

        for (NodeNumber i = 1; i <= kNodeCount; ++i) state_.NotAsked[static_cast<std::size_t>(i)] = 1;

        // From the registration's four fields: a failed EXIT earlier in the test has
        // left its abandoned outcome in ResultRecord.
        state_.ResultRecord = state_.RegistrationRecord + kFieldSeparator + state_.GradeText;
        // Pending until written: a failed append leaves it for the exit decision.
        state_.GradedLinePending = true;
        journal_.append(state_.ResultRecord);
        state_.GradedLinePending = false;
        view_.setText(Control::Edit1Gruppa, "");
        view_.setText(Control::Edit1Fio, "");
    }

    state_.RemainingCount = sumOf(state_.NotAsked);
    state_.AnswerPending = true;
}

void TestEngine::CheckAnswer(NodeNumber n) {
    if (state_.QuestionActive && state_.AnswerPending) {
        view_.setTimerRunning(false);
        view_.setVisible(Control::ProgressBar1, false);
        // A number outside the catalogue names no question and so never matches.
        const bool known = n >= 1 && n <= kNodeCount;
        if (known && view_.text(Control::LabelWopros) == state_.Questions[static_cast<std::size_t>(n)]) {
            view_.setFontColour(Control::LabelOtvet, clGreen);
            view_.setText(Control::LabelOtvet, state_.CorrectText);
            ++state_.CorrectCount;
        } else {
            view_.setFontColour(Control::LabelOtvet, clRed);
            view_.setText(Control::LabelOtvet, state_.MistakeText);
        }
    }
    state_.AnswerPending = false;
}

void TestEngine::Tick() {
    view_.setProgress(view_.progress() + 1);
    if (view_.progress() == kTicksPerQuestion) {
        view_.setText(Control::Label_Ostalos, std::to_string(state_.RemainingCount));
        view_.setTimerRunning(false);
        view_.setFontColour(Control::LabelWopros, clRed);
        view_.setVisible(Control::ProgressBar1, false);
        view_.setText(Control::LabelWopros, kTimeIsOver);
        state_.NotAsked[static_cast<std::size_t>(state_.CurrentQuestion)] = 0;
        view_.setEnabled(Control::SpeedPusk, true);
    }
}

void TestEngine::Register(DateTimeTexts& clock, const std::string& group, const std::string& surname) {
    state_.ResultRecord = buildResultRecord(clock, group, surname);
    state_.RegistrationRecord = state_.ResultRecord;
}

std::optional<std::string> TestEngine::DueLineAtExit() const {
    if (state_.GradedLinePending) return state_.ResultRecord;
    // Begun (a question was drawn) and not graded, including all 39 drawn but not yet graded.
    if (state_.QuestionActive && !state_.Graded && !abandonedWritten_)
        return state_.RegistrationRecord + kFieldSeparator + kAbandonedText;
    return std::nullopt;
}

bool TestEngine::WriteDueLineAtExit() {
    const std::optional<std::string> line = DueLineAtExit();
    if (!line) return false;
    if (state_.GradedLinePending) {
        journal_.append(*line);
        state_.GradedLinePending = false;
        return true;
    }
    // Rebuilt from the registration each time, so retries never grow the line.
    state_.GradeText = kAbandonedText;
    state_.ResultRecord = *line;
    journal_.append(*line);
    abandonedWritten_ = true;
    return true;
}

std::string TestEngine::GradeFor(int percentage) {
    for (const GradeRow& row : kGrades)
        if (percentage <= row.highestPercentage) return outcomeWord(row.grade);
    return outcomeWord(kGrades[std::size(kGrades) - 1].grade);
}

ColourNumber TestEngine::GradeColour(const std::string& grade) {
    for (const GradeRow& row : kGrades)
        if (grade == outcomeWord(row.grade)) return row.colour;
    return clBlack;
}

}  // namespace kvarnel
