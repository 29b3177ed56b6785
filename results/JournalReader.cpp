#include "JournalReader.h"

#include <cstdio>
#include <utility>

#include "ResultsSummary.h"

namespace kvarnel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string codeText(char32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, code < 0x80 ? "0x%02X" : "U+%04X", static_cast<unsigned>(code));
    return text;
}

void noteBadCharacters(const DecodedLine& decoded, std::vector<std::string>& notes) {
    if (decoded.undefinedCount == 1)
        notes.push_back("byte 0x98 at column " + std::to_string(decoded.firstUndefinedColumn) +
                        " is not Windows-1251, shown as U+FFFD");
    else if (decoded.undefinedCount > 1)
        notes.push_back(std::to_string(decoded.undefinedCount) +
                        " bytes 0x98 are not Windows-1251 (first at column " +
                        std::to_string(decoded.firstUndefinedColumn) + "), shown as U+FFFD");
    if (decoded.controlCount == 1)
        notes.push_back("control character " + codeText(decoded.firstControl) + " at column " +
                        std::to_string(decoded.firstControlColumn) + " shown as U+FFFD");
    else if (decoded.controlCount > 1)
        notes.push_back(std::to_string(decoded.controlCount) + " control characters (first " +
                        codeText(decoded.firstControl) + " at column " +
                        std::to_string(decoded.firstControlColumn) + ") shown as U+FFFD");
}

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The first `count` characters of UTF-8 text, and "…" when there were more.
std::string shortened(std::string_view utf8, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < utf8.size(); ++at)
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && characters++ == count) break;
    return at < utf8.size() ? std::string(utf8.substr(0, at)) + "…" : std::string(utf8);
}

}  // namespace

JournalFileReader::JournalFileReader(JournalContents& into, std::string fileName,
                                     std::optional<std::string> groupKey)
    : into_(into), fileIndex_(into.files.size()), groupKey_(std::move(groupKey)) {
    into_.files.push_back(std::move(fileName));
}

void JournalFileReader::read(std::string_view bytes) {
    for (std::size_t end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n')) {
        // A whole line within this piece is read where it lies, without a copy.
        if (pending_.empty() && overlongBytes_ == 0) {
            ++lineNumber_;
            readLine(bytes.substr(0, end));
        } else {
            take(bytes.substr(0, end));
            endLine();
        }
        bytes.remove_prefix(end + 1);
    }
    take(bytes);
}

void JournalFileReader::finish() {
    if (!pending_.empty() || overlongBytes_ > 0) endLine();
    if (unlisted_ > 0)
        into_.reports.push_back(into_.files[fileIndex_] + ": " + std::to_string(unlisted_) +
                                " more damaged lines, not listed");
}

void JournalFileReader::take(std::string_view piece) {
    if (overlongBytes_ == 0 && pending_.size() + piece.size() <= kMaxLineBytes) {
        pending_ += piece;
        return;
    }
    // Counted, not kept: a file without line breaks (or all NUL bytes) may be of any size.
    overlongBytes_ += pending_.size() + piece.size();
    std::string().swap(pending_);
}

void JournalFileReader::endLine() {
    ++lineNumber_;
    if (overlongBytes_ > 0) {
        if (!unreadable_)
            report(
                "not read (" + std::to_string(overlongBytes_) + " bytes, more than a journal line may take)",
                {});
        overlongBytes_ = 0;
    } else {
        readLine(pending_);
        pending_.clear();
    }
}

void JournalFileReader::readLine(std::string_view line) {
    if (lineNumber_ == 1) {
        if (startsWith(line, kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
        if (startsWith(line, "\xFF\xFE") || startsWith(line, "\xFE\xFF")) {
            report("not read (UTF-16 text: save the journal as UTF-8 or ANSI)", {});
            unreadable_ = true;
        }
    }
    if (unreadable_) return;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) return;
    if (line.find_first_not_of('\0') == std::string_view::npos) {
        report("not read (" + std::to_string(line.size()) +
                   " NUL bytes and nothing else, as a write cut short by a power failure can leave them)",
               {});
        return;
    }

    decodeJournalLine(line, decoded_);
    LineReading& reading = reader_.read(decoded_.utf8);
    notes_.clear();
    noteBadCharacters(decoded_, notes_);
    notes_.insert(notes_.end(), reading.notes.begin(), reading.notes.end());
    for (RecordFields& record : reading.records)
        if (!groupKey_ || groupKey(record.group) == *groupKey_)
            into_.entries.push_back(JournalEntry{std::move(record), fileIndex_, lineNumber_});
    if (notes_.empty()) return;
    std::string what;
    for (std::size_t i = 0; i < notes_.size(); ++i) (what += i ? "; " : "") += notes_[i];
    report(what, decoded_.utf8);
}

void JournalFileReader::report(const std::string& what, std::string_view text) {
    if (listed_ == kMaxListedReports) {
        ++unlisted_;
        return;
    }
    ++listed_;
    std::string line = into_.files[fileIndex_] + ":" + std::to_string(lineNumber_) + ": " + what;
    if (!text.empty()) (line += ": ") += shortened(text, kMaxShownCharacters);
    into_.reports.push_back(std::move(line));
}

}  // namespace kvarnel
