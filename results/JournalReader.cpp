#include "JournalReader.h"

#include <algorithm>
#include <cstdio>

#include "Windows1251.h"

namespace kvarnel {

namespace {

std::string hexByte(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

void noteBadBytes(const DecodedText& decoded, std::vector<std::string>& notes) {
    if (decoded.undefinedCount == 1)
        notes.push_back("byte 0x98 at column " + std::to_string(decoded.firstUndefinedColumn) +
                        " is not Windows-1251, shown as U+FFFD");
    else if (decoded.undefinedCount > 1)
        notes.push_back(std::to_string(decoded.undefinedCount) +
                        " bytes 0x98 are not Windows-1251 (first at column " +
                        std::to_string(decoded.firstUndefinedColumn) + "), shown as U+FFFD");
    if (decoded.controlCount == 1)
        notes.push_back("control character " + hexByte(decoded.firstControlByte) + " at column " +
                        std::to_string(decoded.firstControlColumn) + " shown as U+FFFD");
    else if (decoded.controlCount > 1)
        notes.push_back(std::to_string(decoded.controlCount) + " control characters (first " +
                        hexByte(decoded.firstControlByte) + " at column " +
                        std::to_string(decoded.firstControlColumn) + ") shown as U+FFFD");
}

}  // namespace

void readJournalBytes(std::string_view bytes, const std::string& fileName, JournalContents& into) {
    const std::size_t fileIndex = into.files.size();
    into.files.push_back(fileName);
    into.entries.reserve(into.entries.size() +
                         static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    DecodedText decoded;
    JournalLineReader reader;
    std::vector<std::string> notes;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;

        decodeWindows1251(line, decoded);
        LineReading& reading = reader.read(decoded.utf8);
        notes.clear();
        noteBadBytes(decoded, notes);
        notes.insert(notes.end(), reading.notes.begin(), reading.notes.end());
        for (RecordFields& record : reading.records)
            into.entries.push_back(JournalEntry{std::move(record), fileIndex, lineNumber});
        if (notes.empty()) continue;
        std::string report = fileName + ":" + std::to_string(lineNumber) + ": ";
        for (std::size_t i = 0; i < notes.size(); ++i) (report += i ? "; " : "") += notes[i];
        (report += ": ") += decoded.utf8;
        into.reports.push_back(std::move(report));
    }
}

}  // namespace kvarnel
