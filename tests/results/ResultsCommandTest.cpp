#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "results/ResultsCommand.h"

using namespace kvarnel;
namespace fs = std::filesystem;

namespace {

const std::string kName = "Тест_кварнел.txt";
// The journal's path from its UTF-8 name: a narrow name would be read in the
// ANSI code page on Windows and name another file.
const fs::path kPath = fs::u8path(kName);
// Windows-1251 bytes of the texts the cases use.
const std::string kTE = "\xD2\xDD";                                              // ТЭ
const std::string kPetrov = "\xCF\xE5\xF2\xF0\xEE\xE2";                          // Петров
const std::string kAnna = "\xC0\xED\xED\xE0";                                    // Анна
const std::string kMaria = "\xCC\xE0\xF0\xE8\xFF";                               // Мария
const std::string kAbandoned = "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED";  // Тест прерван

struct JournalCase {
    std::string name;
    std::optional<std::string> bytes;  // nullopt: no file at all
    std::string table;
    std::string csv;
    std::vector<std::string> reported;  // "line:" prefixes of the reports, in order
    int exitCode;
};

void PrintTo(const JournalCase& c, std::ostream* os) { *os << c.name; }

std::string csvRows(const std::vector<std::string>& rows) {
    std::string out = "date,time,group,surname,outcome,file,line\r\n";
    for (const std::string& row : rows) out += row + "\r\n";
    return out;
}

const std::string kSummaryHeader =
    "group  tests  unsatisfactorily  satisfactorily  good  excellent  abandoned\n";

// Runs in a fresh directory holding the journal under its default name.
class OddJournal : public ::testing::TestWithParam<JournalCase> {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        dir_ = fs::temp_directory_path() /
               ("kvarnel-results-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    fs::path previous_, dir_;
};

std::vector<std::string> reportedLines(const std::string& err) {
    std::vector<std::string> lines;
    const std::string prefix = kName + ":";
    for (std::size_t start = 0; start < err.size();) {
        const std::size_t end = err.find('\n', start);
        const std::string line = err.substr(start, end - start);
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line.substr(prefix.size(), line.find(':', prefix.size()) - prefix.size() + 1));
        start = end == std::string::npos ? err.size() : end + 1;
    }
    return lines;
}

TEST_P(OddJournal, TableCsvAndExitCode) {
    const JournalCase& c = GetParam();
    if (c.bytes) std::ofstream(kPath, std::ios::binary) << *c.bytes;
    const std::string before = c.bytes ? *c.bytes : "";

    const CommandResult table = runResultsCommand({});
    EXPECT_EQ(table.out, c.table);
    EXPECT_EQ(table.exitCode, c.exitCode);
    EXPECT_EQ(reportedLines(table.err), c.reported) << table.err.substr(0, 2000);

    const CommandResult csv = runResultsCommand({"--csv"});
    EXPECT_EQ(csv.out, c.csv);
    EXPECT_EQ(csv.exitCode, c.exitCode);

    // Read only: the journal is left as it was, and a missing one is not made.
    EXPECT_EQ(fs::exists(kPath), c.bytes.has_value());
    if (c.bytes) {
        std::ifstream in(kPath, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
    }
}

const std::string kLongName(100 * 1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, OddJournal,
    ::testing::Values(
        JournalCase{"PlainCrLfAndCsvQuoting",
                    "07.12.2026 / 14:13:51 / 41-" + kTE + " / " + kPetrov +
                        " / good\r\n"
                        "12/7/26 / 2:05:09 PM / 7 / Smith, \"J\" / " +
                        kAbandoned + "\r\n",
                    "date        time        group  surname     outcome\n"
                    "07.12.2026  14:13:51    41-ТЭ  Петров      good\n"
                    "12/7/26     2:05:09 PM  7      Smith, \"J\"  Тест прерван\n"
                    "\n" +
                        kSummaryHeader +
                        "41-ТЭ      1                 0               0     1          0          0\n"
                        "7          1                 0               0     0          0          1\n",
                    csvRows({"07.12.2026,14:13:51,41-ТЭ,Петров,good,Тест_кварнел.txt,1",
                             "12/7/26,2:05:09 PM,7,\"Smith, \"\"J\"\"\",Тест прерван,Тест_кварнел.txt,2"}),
                    {},
                    0},
        JournalCase{"LfOnlyEmptyLinesAndNoFinalBreak",
                    "\n\r\n07.12.2026 / 9:00:00 / 41-" + kTE + " / " + kAnna +
                        " / excellent\n\n"
                        "07.12.2026 / 9:30:00 / 41-" +
                        kTE + " / " + kMaria + " / unsatisfactorily",
                    "date        time     group  surname  outcome\n"
                    "07.12.2026  9:00:00  41-ТЭ  Анна     excellent\n"
                    "07.12.2026  9:30:00  41-ТЭ  Мария    unsatisfactorily\n"
                    "\n" +
                        kSummaryHeader +
                        "41-ТЭ      2                 1               0     0          1          0\n",
                    csvRows({"07.12.2026,9:00:00,41-ТЭ,Анна,excellent,Тест_кварнел.txt,3",
                             "07.12.2026,9:30:00,41-ТЭ,Мария,unsatisfactorily,Тест_кварнел.txt,5"}),
                    {},
                    0},
        JournalCase{"GluedRecordsSplitOnlyWhenBothParse",
                    "07.12.2026 / 9:00:00 / 1 / A / good07.12.2026 / 9:10:00 / 1 / B / " + kAbandoned +
                        "\r\n"
                        "07.12.2026 / 9:20:00 / 1 / C / good07.12.2026 / 9:30 / 1 / D / good\r\n",
                    "date        time     group  surname  outcome\n"
                    "07.12.2026  9:00:00  1      A        good\n"
                    "07.12.2026  9:10:00  1      B        Тест прерван\n"
                    "\n" +
                        kSummaryHeader +
                        "1          2                 0               0     1          0          1\n",
                    csvRows({"07.12.2026,9:00:00,1,A,good,Тест_кварнел.txt,1",
                             "07.12.2026,9:10:00,1,B,Тест прерван,Тест_кварнел.txt,1"}),
                    {"1:", "2:"},
                    1},
        JournalCase{"RepeatedAbandonedIsOneTest",
                    "07.12.2026 / 9:00:00 / 1 / A / " + kAbandoned + " / " + kAbandoned + " / " + kAbandoned +
                        "\r\n07.12.2026 / 9:00:00 / 1 / A / good / " + kAbandoned + "\r\n",
                    "date        time     group  surname  outcome\n"
                    "07.12.2026  9:00:00  1      A        Тест прерван\n"
                    "\n" +
                        kSummaryHeader +
                        "1          1                 0               0     0          0          1\n",
                    csvRows({"07.12.2026,9:00:00,1,A,Тест прерван,Тест_кварнел.txt,1"}),
                    {"1:", "2:"},
                    1},
        JournalCase{"SeparatorInsideSurname",
                    "07.12.2026 / 9:00:00 / 1 / " + kAnna + " / " + kMaria +
                        " / good\r\n"
                        "07.12.2026 / 9:00:00 / 1 / a / b / c / good\r\n",
                    "date        time     group  surname       outcome\n"
                    "07.12.2026  9:00:00  1      Анна / Мария  good\n"
                    "\n" +
                        kSummaryHeader +
                        "1          1                 0               0     1          0          0\n",
                    csvRows({"07.12.2026,9:00:00,1,Анна / Мария,good,Тест_кварнел.txt,1"}),
                    {"1:", "2:"},
                    1},
        JournalCase{"UndefinedByteAndControlCharacter",
                    "07.12.2026 / 9:00:00 / 1 / A\x98\x1B[2J / good\r\n",
                    "date        time     group  surname  outcome\n"
                    "07.12.2026  9:00:00  1      A\uFFFD\uFFFD[2J   good\n"
                    "\n" +
                        kSummaryHeader +
                        "1          1                 0               0     1          0          0\n",
                    csvRows({"07.12.2026,9:00:00,1,A\uFFFD\uFFFD[2J,good,Тест_кварнел.txt,1"}),
                    {"1:"},
                    1},
        JournalCase{"HundredKilobyteName",
                    "07.12.2026 / 9:00:00 / 1 / " + kLongName +
                        " / good\r\n"
                        "07.12.2026 / 9:00:00 / 1 / B / excellent\r\n",
                    "date        time     group  surname" + std::string(35, ' ') +
                        "outcome\n"
                        "07.12.2026  9:00:00  1      " +
                        kLongName +
                        "  good\n"
                        "07.12.2026  9:00:00  1      B" +
                        std::string(39, ' ') +
                        "  excellent\n"
                        "\n" +
                        kSummaryHeader +
                        "1          2                 0               0     1          1          0\n",
                    csvRows({"07.12.2026,9:00:00,1," + kLongName + ",good,Тест_кварнел.txt,1",
                             "07.12.2026,9:00:00,1,B,excellent,Тест_кварнел.txt,2"}),
                    {},
                    0},
        JournalCase{"NotRecords",
                    "07.12.2026 / 9:00:00 / 1 / A\r\nhello / 9:00:00 / 1 / A / good\r\n"
                    "07.12.2026 / 9:00 / 1 / A / good\r\n07.12.2026 / 9:00:00 / 1 / A / fine\r\n",
                    "no records\n",
                    csvRows({}),
                    {"1:", "2:", "3:", "4:"},
                    1},
        // Saved by an editor in UTF-8 with its byte-order mark, then appended to by the trainer;
        // "41-тэ " and "41-ТЭ" are one group, shown as first met.
        JournalCase{"Utf8AndWindows1251GroupsIgnoringCase",
                    "\xEF\xBB\xBF"
                    "07.12.2026 / 9:00:00 / 41-тэ  / Анна / good\r\n"
                    "07.12.2026 / 9:30:00 /  41-" +
                        kTE + " / " + kPetrov +
                        " / excellent\r\n"
                        "08.12.2026 / 9:00:00 / Ab / Ёлкин № 2 / good\r\n"
                        "08.12.2026 / 9:05:00 / aB / B / good\r\n",
                    "date        time     group   surname    outcome\n"
                    "07.12.2026  9:00:00  41-тэ   Анна       good\n"
                    "07.12.2026  9:30:00   41-ТЭ  Петров     excellent\n"
                    "08.12.2026  9:00:00  Ab      Ёлкин № 2  good\n"
                    "08.12.2026  9:05:00  aB      B          good\n"
                    "\n" +
                        kSummaryHeader +
                        "41-тэ      2                 0               0     1          1          0\n"
                        "Ab         2                 0               0     2          0          0\n",
                    csvRows({"07.12.2026,9:00:00,41-тэ ,Анна,good,Тест_кварнел.txt,1",
                             "07.12.2026,9:30:00, 41-ТЭ,Петров,excellent,Тест_кварнел.txt,2",
                             "08.12.2026,9:00:00,Ab,Ёлкин № 2,good,Тест_кварнел.txt,3",
                             "08.12.2026,9:05:00,aB,B,good,Тест_кварнел.txt,4"}),
                    {},
                    0},
        // What a spreadsheet would run as a formula is written after an apostrophe.
        JournalCase{
            "CsvFormulasStayText",
            "07.12.2026 / 9:00:00 / -41 / =HYPERLINK(\"http://x\",\"y\") / good\r\n"
            "07.12.2026 / 9:00:00 / @1 / +" +
                kPetrov + " / good\r\n",
            "date        time     group  surname                     outcome\n"
            "07.12.2026  9:00:00  -41    =HYPERLINK(\"http://x\",\"y\")  good\n"
            "07.12.2026  9:00:00  @1     +Петров                     good\n"
            "\n" +
                kSummaryHeader +
                "-41        1                 0               0     1          0          0\n"
                "@1         1                 0               0     1          0          0\n",
            csvRows(
                {"07.12.2026,9:00:00,'-41,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",good,Тест_кварнел.txt,1",
                 "07.12.2026,9:00:00,'@1,'+Петров,good,Тест_кварнел.txt,2"}),
            {},
            0},
        JournalCase{"EmptyFile", "", "no records\n", csvRows({}), {}, 0},
        JournalCase{"MissingFile", std::nullopt, "no records\n", csvRows({}), {}, 2}),
    [](const auto& info) { return info.param.name; });

TEST_F(OddJournal, MissingFileSaysWhy) {
    const CommandResult result = runResultsCommand({"absent.txt"});
    EXPECT_EQ(result.err, "kvarnel-results: cannot open absent.txt: No such file or directory\n");
}

TEST_F(OddJournal, GroupIsMatchedIgnoringLetterCase) {
    std::ofstream(kPath, std::ios::binary) << "07.12.2026 / 9:00:00 / 41-" + kTE +
                                                  " / A / good\r\n"
                                                  "07.12.2026 / 9:05:00 / 42-" +
                                                  kTE +
                                                  " / B / good\r\n"
                                                  "08.12.2026 / 9:00:00 / 41-\xF2\xFD / C / excellent\r\n";
    const CommandResult result = runResultsCommand({"--csv", "--group", "41-Тэ"});
    EXPECT_EQ(result.out, csvRows({"07.12.2026,9:00:00,41-ТЭ,A,good,Тест_кварнел.txt,1",
                                   "08.12.2026,9:00:00,41-тэ,C,excellent,Тест_кварнел.txt,3"}));
}

TEST_F(OddJournal, SeveralFilesShowTheirSourceAndOneGroupIsKept) {
    std::ofstream("a.txt", std::ios::binary) << "07.12.2026 / 9:00:00 / 41 / A / good\r\n"
                                                "07.12.2026 / 9:05:00 / 42 / B / good\r\n";
    std::ofstream("b.txt", std::ios::binary) << "08.12.2026 / 9:00:00 /  41  / C / excellent\r\n";
    const CommandResult result = runResultsCommand({"--group", " 41", "a.txt", "b.txt"});
    EXPECT_EQ(result.out,
              "date        time     group  surname  outcome    source\n"
              "07.12.2026  9:00:00  41     A        good       a.txt:1\n"
              "08.12.2026  9:00:00   41    C        excellent  b.txt:1\n"
              "\n" +
                  kSummaryHeader +
                  "41         2                 0               0     1          1          0\n");
    EXPECT_EQ(result.exitCode, 0);
}

struct UsageCase {
    std::vector<std::string> args;
    int exitCode;
    std::string outStart;
    std::string errStart;
};

TEST(ResultsUsage, OptionsAndErrors) {
    std::vector<UsageCase> cases = {
        {{"--help"}, 0, "Usage: kvarnel-results", ""},
        {{"--version"}, 0, "kvarnel-results " KVARNEL_TEST_VERSION "\n", ""},
        {{"--bogus"}, 2, "", "kvarnel-results: unknown option --bogus\n"},
        {{"--group"}, 2, "", "kvarnel-results: --group needs a group\n"},
        {{"--", "--csv"}, 2, "no records\n", "kvarnel-results: cannot open --csv: "},
        {{"."}, 2, "no records\n", "kvarnel-results: cannot open .: Is a directory\n"},
    };
    // A file that opens but fails to read, where the system has one.
    if (fs::exists("/proc/self/mem"))
        cases.push_back(
            {{"/proc/self/mem"}, 2, "no records\n", "kvarnel-results: cannot read /proc/self/mem: "});
    for (const UsageCase& c : cases) {
        const CommandResult result = runResultsCommand(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[0];
        EXPECT_EQ(result.out.substr(0, c.outStart.size()), c.outStart) << c.args[0];
        EXPECT_EQ(result.err.substr(0, c.errStart.size()), c.errStart) << c.args[0];
    }
}

}  // namespace
