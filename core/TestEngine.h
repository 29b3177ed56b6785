#pragma once
// Drawing questions, checking answers, the answer time limit and grading.
#include <optional>
#include <string>

#include "FormView.h"
#include "Journal.h"
#include "Random.h"
#include "ResultRecord.h"
#include "TestState.h"

namespace kvarnel {

constexpr const char* kNoMoreQuestions = "No more questions";
constexpr const char* kTimeIsOver = "Time allowed for the answer is over!";
constexpr int kTicksPerQuestion = 100;

class TestEngine {
public:
    TestEngine(FormView& view, Random& random, Journal& journal);

    void InitTest();                 // fills Questions, flags and counts as at start-up
    void DrawQuestion();             // "QUESTION?"; after the 39th question grades the test
    void CheckAnswer(NodeNumber n);  // last step of every hotspot press
    void Tick();                     // one tick of Timer1

    // Registration accepted: ResultRecord <- date / time / group / surname.
    void Register(DateTimeTexts& clock, const std::string& group, const std::string& surname);

    // The line due when the program ends (EXIT or close box): the pending graded
    // line, else the abandoned-test line once a question was drawn and the test is
    // not graded, else none.
    std::optional<std::string> DueLineAtExit() const;
    // Writes the due line (throws EInOutError, leaving it due); true when one was written.
    bool WriteDueLineAtExit();

    static std::string GradeFor(int percentage);
    static ColourNumber GradeColour(const std::string& grade);

    // Entering a mode and the window's creation start the count of right answers
    // afresh; the creation also lets the next press count as an answer.
    void ResetCorrectCount() { state_.CorrectCount = 0; }
    void SetAnswerPending() { state_.AnswerPending = true; }

    const TestState& state() const { return state_; }

private:
    FormView& view_;
    Random& random_;
    Journal& journal_;
    TestState state_;
    bool abandonedWritten_ = false;
};

}  // namespace kvarnel
