#pragma once
// The records of whole journal files, in file order, and a report for every
// line that was damaged or could not be read.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "JournalLineReader.h"
#include "LineDecoder.h"

namespace kvarnel {

struct JournalEntry {
    RecordFields record;
    std::size_t fileIndex = 0;  // into JournalContents::files
    std::size_t line = 0;       // 1-based
};

struct JournalContents {
    std::vector<std::string> files;
    // A deque: it grows without moving the records read so far.
    std::deque<JournalEntry> entries;
    // "file:line: what was wrong: the line's text", in UTF-8.
    std::vector<std::string> reports;
};

// Reads one file (lines ending in CR LF or LF, each in UTF-8 or Windows-1251 as
// decodeJournalLine tells, a UTF-8 byte-order mark at the start skipped) into
// `into`, its bytes given in pieces of any size as they are read, so that a
// file of any length takes only the memory of the records kept and of one line.
// Empty lines are skipped without a report.
class JournalFileReader {
public:
    // A line longer than this is reported by its length and not read.
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
    // Reports beyond this many in one file are counted, not listed.
    static constexpr std::size_t kMaxListedReports = 10000;
    // A reported line's text is shown up to this many characters.
    static constexpr std::size_t kMaxShownCharacters = 300;

    // With `groupKey`, only the records whose groupKey() it is are kept.
    JournalFileReader(JournalContents& into, std::string fileName,
                      std::optional<std::string> groupKey = std::nullopt);
    // The file's next bytes.
    void read(std::string_view bytes);
    // The file's end: reads a last line that no line break ended.
    void finish();

private:
    void take(std::string_view piece);
    void endLine();
    void readLine(std::string_view line);
    void report(const std::string& what, std::string_view text);

    JournalContents& into_;
    std::size_t fileIndex_;
    std::optional<std::string> groupKey_;
    std::string pending_;  // the start of a line that the last piece cut
    std::size_t overlongBytes_ = 0;
    bool unreadable_ = false;  // after a UTF-16 byte-order mark
    std::size_t lineNumber_ = 0;
    std::size_t listed_ = 0;
    std::size_t unlisted_ = 0;
    DecodedLine decoded_;
    JournalLineReader reader_;
    std::vector<std::string> notes_;
};

}  // namespace kvarnel
