#include "JournalLineReader.h"

#include <optional>

namespace kvarnel {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits in three groups with ".", "/", "-" or spaces between them, as the
// regional short date formats write it ("07.12.2026", "12/7/26", "2026. 12. 07.").
bool isDate(std::string_view text) {
    if (text.empty() || text.size() > 20 || !isDigit(text.front())) return false;
    int groups = 0;
    bool inGroup = false;
    for (const char c : text) {
        if (isDigit(c)) {
            if (!inGroup) ++groups;
            inGroup = true;
        } else if (c == '.' || c == '/' || c == '-' || c == ' ') {
            inGroup = false;
        } else {
            return false;
        }
    }
    return groups == 3;
}

// h:mm:ss or hh:mm:ss with one separator character, and on a 12-hour clock a
// designator before or after it, set off by a space.
bool isClock(std::string_view t) {
    const std::size_t hourDigits = t.size() >= 2 && isDigit(t[1]) ? 2 : 1;
    if (t.size() != hourDigits + 6 || !isDigit(t[0])) return false;
    const std::string_view rest = t.substr(hourDigits);
    const char separator = rest[0];
    if (isDigit(separator) || separator == ' ' || rest[3] != separator) return false;
    return isDigit(rest[1]) && isDigit(rest[2]) && isDigit(rest[4]) && isDigit(rest[5]);
}

bool isDesignator(std::string_view text) {
    if (text.empty() || text.size() > 16) return false;
    for (const char c : text)
        if (isDigit(c) || c == ' ') return false;
    return true;
}

bool isTime(std::string_view text) {
    if (isClock(text)) return true;
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos || text.find(' ', space + 1) != std::string_view::npos) return false;
    const std::string_view before = text.substr(0, space), after = text.substr(space + 1);
    return (isClock(before) && isDesignator(after)) || (isDesignator(before) && isClock(after));
}

void splitFields(std::string_view text, std::vector<std::string_view>& fields) {
    const std::string_view separator = kFieldSeparator;
    fields.clear();
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        fields.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    fields.push_back(text.substr(start));
}

// The outcome word a field starts with when the rest of it is a date: a record
// whose line break was missing, glued to the next one.
std::optional<std::size_t> gluedOutcomeLength(std::string_view field) {
    for (const char* word : kOutcomeWords) {
        const std::string_view w = word;
        if (field.size() > w.size() && field.substr(0, w.size()) == w && isDate(field.substr(w.size())))
            return w.size();
    }
    return std::nullopt;
}

// A surname holding " / " is one piece of the line: from its first part's start
// to its second part's end.
std::string_view spanning(std::string_view first, std::string_view last) {
    return std::string_view(first.data(), static_cast<std::size_t>(last.data() + last.size() - first.data()));
}

// One record's fields; returns why not when they are not one.
std::optional<std::string> readRecord(const std::string_view* f, std::size_t n, RecordFields& record,
                                      std::vector<std::string>& notes) {
    // Made only when needed: most lines are plain records.
    const auto count = [n] { return std::to_string(n) + " fields, expected 5"; };
    if (n < 5) return count();
    if (!isDate(f[0])) return std::string("no date in the first field");
    if (!isTime(f[1])) return std::string("no time in the second field");
    record.date = f[0];
    record.time = f[1];
    record.group = f[2];
    record.surname = f[3];
    const auto outcome = outcomeOf(f[4]);
    if (n == 5) {
        if (!outcome) return std::string("no outcome in the last field");
        record.outcome = *outcome;
        return std::nullopt;
    }
    bool onlyAbandoned = outcome == Outcome::Abandoned;
    for (std::size_t i = 5; i < n && onlyAbandoned; ++i) onlyAbandoned = f[i] == kAbandonedText;
    if (onlyAbandoned) {
        record.outcome = Outcome::Abandoned;
        notes.push_back("\"" + std::string(kAbandonedText) + "\" " + std::to_string(n - 4) +
                        " times, read as one abandoned test");
        return std::nullopt;
    }
    // An outcome word in the surname's place is damage, not a name.
    const auto last = outcomeOf(f[5]);
    if (n == 6 && last && !outcome) {
        record.surname = spanning(f[3], f[4]);
        record.outcome = *last;
        notes.push_back("\" / \" read as part of the surname");
        return std::nullopt;
    }
    return count();
}

}  // namespace

LineReading& JournalLineReader::read(std::string_view text) {
    splitFields(text, fields_);
    // Cut at glued outcome-date fields: each such field ends one record and
    // begins the next.
    pieces_.clear();
    starts_.assign(1, 0);
    for (const std::string_view field : fields_) {
        const auto glued = pieces_.size() - starts_.back() >= 4 ? gluedOutcomeLength(field) : std::nullopt;
        if (!glued) {
            pieces_.push_back(field);
            continue;
        }
        pieces_.push_back(field.substr(0, *glued));
        starts_.push_back(pieces_.size());
        pieces_.push_back(field.substr(*glued));
    }
    starts_.push_back(pieces_.size());

    reading_.records.clear();
    reading_.notes.clear();
    const std::size_t parts = starts_.size() - 1;
    std::vector<std::string> recordNotes;
    for (std::size_t i = 0; i < parts; ++i) {
        RecordFields record;
        const std::optional<std::string> fault =
            readRecord(pieces_.data() + starts_[i], starts_[i + 1] - starts_[i], record, recordNotes);
        if (fault) {
            reading_.records.clear();
            const std::string where = parts > 1 ? "glued record " + std::to_string(i + 1) + " has " : "";
            reading_.notes.push_back("not read (" + where + *fault + ")");
            return reading_;
        }
        reading_.records.push_back(std::move(record));
    }
    if (fields_.size() > 5) reading_.notes.push_back(std::to_string(fields_.size()) + " fields");
    if (parts > 1) reading_.notes.push_back(std::to_string(parts) + " records glued, read apart");
    for (std::string& note : recordNotes) reading_.notes.push_back(std::move(note));
    return reading_;
}

}  // namespace kvarnel
