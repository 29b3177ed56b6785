#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Catalogue.h"
#include "core/JournalWords.h"
#include "core/Windows1251.h"
#include "results/JournalReader.h"
#include "results/LineDecoder.h"

using namespace kvarnel;

namespace {

// The letters А..я are the bytes 0xC0..0xFF of Windows-1251, and UTF-8 puts only
// bytes 0x80..0xBF after such a byte: a line is valid UTF-8 only when each of
// those letters is followed at once by ё, Ё, №, « or another sign of 0x80..0xBF,
// as no real group or surname is written. These are texts the trainer writes.
TEST(JournalLineDecoding, TheTrainersTextsAreReadBackAsWindows1251) {
    const std::vector<std::string> moments = {"07.12.2026 / 14:13:51", "12/7/26 / 2:05:09 PM",
                                              "07.12.26 / 9:05:07"};
    const std::vector<std::string> groups = {"41-ТЭ", "ТЭ-21", "1-ТЭС-2", "АЭС-1", "ЭЭ",   "41-тэ",  "ТЭ-41а",
                                             "Т-1",   "Ё",     "Ґ-11",    "41",    " 41 ", "Э-101/2"};
    const std::vector<std::string> surnames = {
        "Петров", "Иванова", "Сидоренко-Белова", "Фёдоров",      "Ёлкин",    "Щукина",      "Эйлер",
        "Юрьев",  "Яковлев", "Їжакевич",         "Ґудзь",        "Лёвочкин", "О'Нил",       "Мамедов Ильхам",
        "Ли",     "Ян",      "ЖЁЛУДЕВ",          "Петров И. И.", "Smith",    "Шевчук-Ўсік", "Ющенко"};
    std::vector<std::string> lines;
    for (const std::string& moment : moments)
        for (const std::string& group : groups)
            for (const std::string& surname : surnames)
                for (const char* word : kOutcomeWords)
                    lines.push_back(moment + kFieldSeparator + group + kFieldSeparator + surname +
                                    kFieldSeparator + word);
    const Catalogue& catalogue = Catalogue::standard();
    for (NodeNumber n = 1; n <= kNodeCount; ++n) {
        lines.emplace_back(catalogue.name(n));
        lines.emplace_back(catalogue.question(n));
    }
    for (const HotspotRow& hotspot : catalogue.hotspots()) lines.emplace_back(hotspot.hint);

    DecodedLine decoded;
    for (const std::string& line : lines) {
        decodeJournalLine(toWindows1251(line), decoded);
        EXPECT_EQ(decoded.utf8, line);
        EXPECT_EQ(decoded.undefinedCount + decoded.controlCount, 0u) << line;
    }
}

// Entries and reports as one text, to compare two readings.
std::string readingOf(const JournalContents& contents) {
    std::string text;
    for (const JournalEntry& e : contents.entries)
        text += std::to_string(e.line) + "|" + e.record.date + "|" + e.record.time + "|" + e.record.group +
                "|" + e.record.surname + "|" + outcomeWord(e.record.outcome) + "\n";
    for (const std::string& report : contents.reports) text += report + "\n";
    return text;
}

struct ReadingCase {
    const char* name;
    std::string bytes;
    std::string reading;  // as readingOf() writes it
};

// Each read whole and in pieces of a few bytes, as a line may be cut anywhere.
TEST(JournalFileReader, ReadsEachLineByItsOwnEncodingInPiecesOfAnySize) {
    const ReadingCase cases[] = {
        {"UTF-8 after its byte-order mark, then Windows-1251",
         "\xEF\xBB\xBF"
         "07.12.2026 / 9:00:00 / 41-ТЭ / Анна / good\r\n\r\n"
         "07.12.2026 / 9:10:00 / 41-\xD2\xDD / \xCF\xE5\xF2\xF0\xEE\xE2 / excellent",
         "1|07.12.2026|9:00:00|41-ТЭ|Анна|good\n3|07.12.2026|9:10:00|41-ТЭ|Петров|excellent\n"},
        {"C1 control in UTF-8, 0x98 in Windows-1251",
         "07.12.2026 / 9:00:00 / 1 / Ан\u009B2J / good\n07.12.2026 / 9:00:00 / 1 / A\x98 / good\n",
         "1|07.12.2026|9:00:00|1|Ан\uFFFD2J|good\n2|07.12.2026|9:00:00|1|A\uFFFD|good\n"
         "f:1: control character U+009B at column 30 shown as U+FFFD: 07.12.2026 / 9:00:00 / 1 / Ан\uFFFD2J / good\n"
         "f:2: byte 0x98 at column 29 is not Windows-1251, shown as U+FFFD: 07.12.2026 / 9:00:00 / 1 / A\uFFFD / good\n"},
        // What a write cut short by a power failure can leave.
        {"NUL bytes", std::string(300, '\0') + "\r\n07.12.2026 / 9:00:00 / 1 / A / good\r\n",
         "2|07.12.2026|9:00:00|1|A|good\n"
         "f:1: not read (300 NUL bytes and nothing else, as a write cut short by a power failure can leave them)\n"},
        {"UTF-16",
         std::string("\xFF\xFE"
                     "0\0"
                     "7\0"
                     "\r\0\n\0"
                     "x\0",
                     12),
         "f:1: not read (UTF-16 text: save the journal as UTF-8 or ANSI)\n"},
    };
    for (const ReadingCase& c : cases)
        for (const std::size_t size :
             {c.bytes.size(), std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}}) {
            JournalContents contents;
            JournalFileReader reader(contents, "f");
            for (std::size_t at = 0; at < c.bytes.size(); at += size)
                reader.read(std::string_view(c.bytes).substr(at, size));
            reader.finish();
            EXPECT_EQ(readingOf(contents), c.reading) << c.name << ", pieces of " << size;
        }
}

// A file that is no journal (no line breaks, or damage on every line) takes the
// memory of one line and of the reports listed, whatever its size.
TEST(JournalFileReader, HugeInputIsReportedInBrief) {
    JournalContents contents;
    JournalFileReader reader(contents, "f");
    const std::string piece(1 << 16, 'x');
    for (int i = 0; i < 48; ++i) reader.read(piece);  // 3 MiB without a line break
    reader.read("\n" + std::string(400, 'y') + "\n");
    for (std::size_t i = 0; i < JournalFileReader::kMaxListedReports + 4; ++i) reader.read("bad\n");
    reader.read("07.12.2026 / 9:30:00 / 1 / B / good");
    reader.finish();
    ASSERT_EQ(contents.reports.size(), JournalFileReader::kMaxListedReports + 1);
    EXPECT_EQ(contents.reports[0], "f:1: not read (3145728 bytes, more than a journal line may take)");
    EXPECT_EQ(contents.reports[1], "f:2: not read (1 fields, expected 5): " + std::string(300, 'y') + "…");
    EXPECT_EQ(contents.reports.back(), "f: 6 more damaged lines, not listed");
    ASSERT_EQ(contents.entries.size(), 1u);
    EXPECT_EQ(contents.entries[0].line, JournalFileReader::kMaxListedReports + 7);
}

}  // namespace
