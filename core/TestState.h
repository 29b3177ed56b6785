#pragma once
// The state of one test, living from before the window's creation to the end.
#include <array>
#include <cstdint>
#include <string>

#include "CatalogueData.h"

namespace kvarnel {

struct TestState {
    std::string ResultRecord;                             // the journal line being built
    std::array<std::string, kNodeCount + 1> Questions{};  // 1-based; [0] unused
    std::array<std::int32_t, kNodeCount + 1> NotAsked{};  // 1-based; 1 = not yet drawn
    std::int32_t CorrectCount = 0;                        // becomes the percentage at the end
    std::int32_t CurrentQuestion = 0;
    std::int32_t RemainingCount = 0;
    bool QuestionActive = false;
    bool AnswerPending = false;
    std::string GradeText;
    std::string CorrectText;
    std::string MistakeText;

    // The registration's four fields, kept so that the abandoned line is always
    // exactly five fields however often its write is retried.
    std::string RegistrationRecord;
    // A graded line whose append failed; written by the exit decision later.
    bool GradedLinePending = false;
    // Set once the grade is shown; a graded test is never "abandoned".
    bool Graded = false;
};

}  // namespace kvarnel
