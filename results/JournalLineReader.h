#pragma once
// One decoded journal line read into records: date / time / group / surname /
// outcome, with the damage that the trainer's journals are known to carry.
#include <string>
#include <string_view>
#include <vector>

#include "core/JournalWords.h"

namespace kvarnel {

struct RecordFields {
    std::string date;
    std::string time;
    std::string group;
    std::string surname;
    Outcome outcome = Outcome::Abandoned;
};

struct LineReading {
    std::vector<RecordFields> records;  // empty when the line was not read
    // What was odd about the line, for the report; empty for a plain record.
    std::vector<std::string> notes;
};

// Reads lines one at a time, reusing its buffers from line to line.
//
// Accepted beyond the plain five fields, each with a note:
// - "... / Тест прерван / Тест прерван ...": one abandoned test;
// - two or more records glued, each outcome followed at once by the next date;
// - one field too many between group and outcome when the last field is an
//   outcome and the one before it is not: read as a surname holding " / " (a
//   group holding it cannot be told apart, so the surname is the one that
//   takes it).
// Anything else with other than five fields, or with a date, time or outcome
// that is not one, is not read.
class JournalLineReader {
public:
    // The reading of `text`, valid until the next call; the caller may move
    // the records out.
    LineReading& read(std::string_view text);

private:
    using Fields = std::vector<std::string_view>;
    Fields fields_;                    // the line cut at " / "
    Fields pieces_;                    // the same with glued outcome-date fields cut apart
    std::vector<std::size_t> starts_;  // where in pieces_ each record begins
    LineReading reading_;
};

}  // namespace kvarnel
