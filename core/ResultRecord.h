#pragma once
// Building the journal line: date / time / group / surname [/ outcome].
#include <string>

#include "JournalWords.h"

namespace kvarnel {

// Date and time texts of the registration moment.
class DateTimeTexts {
public:
    virtual ~DateTimeTexts() = default;
    virtual std::string timeText() = 0;
    virtual std::string dateText() = 0;
};

// The core's own rendering: day.month.year and 24-hour HH:MM:SS, local time.
class DefaultDateTimeTexts : public DateTimeTexts {
public:
    std::string timeText() override;
    std::string dateText() override;
};

// Control characters (codes below 32 and 127) become spaces, so a record is one line;
// everything else stays as typed.
std::string sanitizeField(const std::string& text);

// date + " / " + time + " / " + group + " / " + surname, each field passed through
// sanitizeField. Reads the time first, then the date.
std::string buildResultRecord(DateTimeTexts& clock, const std::string& group, const std::string& surname);

}  // namespace kvarnel
