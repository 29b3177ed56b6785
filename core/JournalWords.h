#pragma once
// The words of the results journal, which are its file format: the trainer
// writes them, kvarnel-results reads them back.
#include <array>
#include <optional>
#include <string_view>

namespace kvarnel {

// Between the five fields of a line: date / time / group / surname / outcome.
constexpr const char* kFieldSeparator = " / ";
// The outcome of a test ended with EXIT before it was graded.
constexpr const char* kAbandonedText = "Тест прерван";

// The outcomes in the order of the grades, lowest first, then the abandoned test.
enum class Outcome { Unsatisfactorily, Satisfactorily, Good, Excellent, Abandoned };
constexpr int kOutcomeCount = 5;

// The journal's word for each outcome, in the order of Outcome.
constexpr std::array<const char*, kOutcomeCount> kOutcomeWords = {"unsatisfactorily", "satisfactorily",
                                                                  "good", "excellent", kAbandonedText};

constexpr const char* outcomeWord(Outcome outcome) {
    return kOutcomeWords[static_cast<std::size_t>(outcome)];
}

// The outcome whose word the text is, whole and exactly.
constexpr std::optional<Outcome> outcomeOf(std::string_view text) {
    for (int i = 0; i < kOutcomeCount; ++i)
        if (text == kOutcomeWords[static_cast<std::size_t>(i)]) return static_cast<Outcome>(i);
    return std::nullopt;
}

}  // namespace kvarnel
