#include "ResultsCommand.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "JournalReader.h"
#include "ResultsPlatform.h"
#include "ResultsSummary.h"
#include "TextTable.h"
#include "core/Journal.h"

#ifndef KVARNEL_VERSION
#define KVARNEL_VERSION "unknown"
#endif

namespace kvarnel {

namespace {

constexpr const char* kProgram = "kvarnel-results";

const char* const kUsage =
    "Usage: kvarnel-results [--csv] [--group GROUP] [FILE...]\n"
    "Reads results journals of the Kvarnel trainer (Windows-1251 or UTF-8, one test\n"
    "per line) and prints their records in UTF-8, then a summary per group.\n"
    "Without FILE it reads \"Тест_кварнел.txt\" in the current directory.\n"
    "\n"
    "  --csv          print the records as CSV (RFC 4180) with a header row, no summary;\n"
    "                 a field beginning with = + - @ is written after an apostrophe\n"
    "  --group GROUP  keep only the records of GROUP (letter case and the spaces\n"
    "                 around it are ignored)\n"
    "  --help         print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Damaged lines are reported on standard error as file:line.\n"
    "Exit status: 0 every line was read, 1 some lines were reported,\n"
    "2 usage error or a file could not be read.\n";

struct Options {
    bool csv = false;
    std::optional<std::string> group;
    std::vector<std::string> files;
};

struct ReadFailure {
    const char* what;  // "cannot open" or "cannot read"
    std::string reason;
};

// Reads the file piece by piece into the reader, so that a journal of any size
// is never held whole.
std::optional<ReadFailure> readFile(const std::string& name, JournalFileReader& reader) {
    std::error_code error;
    // A directory opens on some systems and is refused as "Permission denied"
    // on others: said plainly on both.
    if (std::filesystem::is_directory(std::filesystem::u8path(name), error))
        return ReadFailure{"cannot open", "Is a directory"};
    std::FILE* file = openForReading(name);
    if (file == nullptr) return ReadFailure{"cannot open", std::strerror(errno)};
    std::vector<char> buffer(std::size_t{1} << 16);
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
        reader.read(std::string_view(buffer.data(), got));
    const int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    // The records read before a failure stay; the exit code tells of it.
    reader.finish();
    if (readError != 0) return ReadFailure{"cannot read", std::strerror(readError)};
    return std::nullopt;
}

// Quoted when it holds a comma, a quote or a line break; quotes doubled. A
// field that a spreadsheet would take for a formula (one beginning with "=",
// "+", "-", "@", TAB or CR) gets a leading apostrophe, which keeps it text.
void appendCsvField(std::string& out, std::string_view field, char after) {
    const auto isOneOf = [](char c, std::string_view set) { return set.find(c) != std::string_view::npos; };
    const bool formula = !field.empty() && isOneOf(field.front(), "=+-@\t\r");
    // A plain scan: find_first_of would search the set once for every byte of every field.
    bool quoted = false;
    for (const char c : field) quoted = quoted || c == ',' || c == '"' || c == '\r' || c == '\n';
    if (quoted) out += '"';
    if (formula) out += '\'';
    for (std::size_t at = 0;;) {
        const std::size_t quote = field.find('"', at);
        out += field.substr(at, quote - at);
        if (quote == std::string_view::npos) break;
        out += "\"\"";
        at = quote + 1;
    }
    if (quoted) out += '"';
    out += after;
}

std::string renderCsv(const JournalContents& contents) {
    std::string out = "date,time,group,surname,outcome,file,line\r\n";
    out.reserve(contents.entries.size() * 96);
    for (const JournalEntry& e : contents.entries) {
        const RecordFields& r = e.record;
        appendCsvField(out, r.date, ',');
        appendCsvField(out, r.time, ',');
        appendCsvField(out, r.group, ',');
        appendCsvField(out, r.surname, ',');
        appendCsvField(out, outcomeWord(r.outcome), ',');
        appendCsvField(out, contents.files[e.fileIndex], ',');
        (out += std::to_string(e.line)) += "\r\n";
    }
    return out;
}

// One record's cells; `source` keeps the text of the last one alive.
void recordRow(const JournalContents& contents, const JournalEntry& e, bool withSource, std::string& source,
               std::vector<std::string_view>& row) {
    const RecordFields& r = e.record;
    row.assign({r.date, r.time, r.group, r.surname, outcomeWord(r.outcome)});
    if (!withSource) return;
    source = contents.files[e.fileIndex] + ":" + std::to_string(e.line);
    row.push_back(source);
}

std::string renderTables(const JournalContents& contents, bool withSource) {
    const std::deque<JournalEntry>& kept = contents.entries;
    if (kept.empty()) return "no records\n";
    TextTable records(std::vector<bool>(withSource ? 6 : 5, false));
    std::vector<std::string_view> header{"date", "time", "group", "surname", "outcome"};
    if (withSource) header.push_back("source");
    records.fit(header);
    std::vector<std::string_view> row;
    std::string source;
    ResultsSummary summary;
    std::size_t textBytes = 0;
    for (const JournalEntry& e : kept) {
        recordRow(contents, e, withSource, source, row);
        records.fit(row);
        for (const std::string_view cell : row) textBytes += cell.size();
        summary.add(e.record);
    }

    TextTable groups({false, true, true, true, true, true, true});
    std::vector<std::string_view> groupHeader{"group", "tests"};
    for (int i = 0; i < kOutcomeCount; ++i)
        groupHeader.push_back(Outcome(i) == Outcome::Abandoned ? "abandoned" : outcomeWord(Outcome(i)));
    std::vector<std::vector<std::string>> groupRows;
    for (const GroupCounts& g : summary.groups()) {
        std::vector<std::string> cells{g.group, std::to_string(g.tests)};
        for (const int count : g.byOutcome) cells.push_back(std::to_string(count));
        groupRows.push_back(std::move(cells));
    }
    groups.fit(groupHeader);
    for (const auto& cells : groupRows) groups.fit({cells.begin(), cells.end()});

    std::string out;
    out.reserve(textBytes + (kept.size() + 1) * records.rowWidth() +
                (groupRows.size() + 2) * (groups.rowWidth() + 40));
    records.append(header, out);
    for (const JournalEntry& e : kept) {
        recordRow(contents, e, withSource, source, row);
        records.append(row, out);
    }
    out += '\n';
    groups.append(groupHeader, out);
    for (const auto& cells : groupRows) groups.append({cells.begin(), cells.end()}, out);
    return out;
}

// nullopt after a usage error (written to result.err) or --help / --version.
std::optional<Options> parseOptions(const std::vector<std::string>& args, CommandResult& result) {
    Options options;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help" || arg == "-h") {
            result.out = kUsage;
            return std::nullopt;
        } else if (arg == "--version") {
            result.out = std::string(kProgram) + " " + KVARNEL_VERSION + "\n";
            return std::nullopt;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--group" && i + 1 < args.size()) {
            options.group = args[++i];
        } else if (arg.rfind("--group=", 0) == 0) {
            options.group = arg.substr(8);
        } else {
            result.err = std::string(kProgram) + ": " +
                         (arg == "--group" ? "--group needs a group" : "unknown option " + arg) +
                         "\nTry 'kvarnel-results --help'.\n";
            result.exitCode = kUsageOrFileError;
            return std::nullopt;
        }
    }
    if (options.files.empty()) options.files.push_back(kJournalFileName);
    return options;
}

}  // namespace

CommandResult runResultsCommand(const std::vector<std::string>& args) {
    CommandResult result;
    const std::optional<Options> options = parseOptions(args, result);
    if (!options) return result;

    JournalContents contents;
    bool unreadable = false;
    const std::optional<std::string> group =
        options->group ? std::optional<std::string>(groupKey(*options->group)) : std::nullopt;
    for (const std::string& name : options->files) {
        const std::size_t reportedBefore = contents.reports.size();
        JournalFileReader reader(contents, name, group);
        const std::optional<ReadFailure> failure = readFile(name, reader);
        // In the order of the files, among their "cannot open" messages.
        for (std::size_t i = reportedBefore; i < contents.reports.size(); ++i)
            (result.err += contents.reports[i]) += '\n';
        if (failure) {
            result.err +=
                std::string(kProgram) + ": " + failure->what + " " + name + ": " + failure->reason + "\n";
            unreadable = true;
        }
    }

    result.out = options->csv ? renderCsv(contents) : renderTables(contents, options->files.size() > 1);
    result.exitCode = unreadable                  ? kUsageOrFileError
                      : !contents.reports.empty() ? kSomeLinesReported
                                                  : kAllLinesRead;
    return result;
}

}  // namespace kvarnel
