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

// Cyrillic letters are the bytes 0xC0..0xFF of Windows-1251, and in UTF-8 such a
// byte is followed only by bytes 0x80..0xBF: two letters side by side are never
// UTF-8, so a line of the trainer's is read as Windows-1251 whenever a word of
// two letters or more stands in it. These are the texts it writes or shows.
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
        lines.emplace_back(catalogue.panel(n).firstLine);
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

TEST(JournalFileReader, PiecesOfAnySizeReadAsTheWholeFile) {
    const std::string bytes =
        "\xEF\xBB\xBF"
        "07.12.2026 / 9:00:00 / 41-ТЭ / Анна / good\r\n\r\n"
        "07.12.2026 / 9:10:00 / 41-\xD2\xDD / \xCF\xE5\xF2\xF0\xEE\xE2 / excellent\r\n"
        "07.12.2026 / 9:20:00 / 1 / A\x98 / good\n"
        "hello\r\n"
        "07.12.2026 / 9:30:00 / 1 / B / Тест прерван";
    JournalContents whole;
    JournalFileReader wholeReader(whole, "f");
    wholeReader.read(bytes);
    wholeReader.finish();
    ASSERT_EQ(whole.entries.size(), 4u);
    ASSERT_EQ(whole.reports.size(), 2u);
    for (const std::size_t size : {1, 2, 3, 5, 64}) {
        JournalContents pieces;
        JournalFileReader reader(pieces, "f");
        for (std::size_t at = 0; at < bytes.size(); at += size)
            reader.read(std::string_view(bytes).substr(at, size));
        reader.finish();
        EXPECT_EQ(readingOf(pieces), readingOf(whole)) << "pieces of " << size;
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
