#include "ResultsCommand.h"

#include <cerrno>
#include <cstring>
#include <optional>

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
    "Reads results journals of the Kvarnel trainer (Windows-1251, one test per line)\n"
    "and prints their records in UTF-8, then a summary per group.\n"
    "Without FILE it reads \"Тест_кварнел.txt\" in the current directory.\n"
    "\n"
    "  --csv          print the records as CSV (RFC 4180) with a header row, no summary\n"
    "  --group GROUP  keep only the records of GROUP (spaces around it are ignored)\n"
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

struct FileBytes {
    std::string bytes;
    std::string error;  // the system's reason; empty when read
};

FileBytes readFileBytes(const std::string& name) {
    FileBytes result;
    std::FILE* file = openForReading(name);
    if (file == nullptr) {
        result.error = std::strerror(errno);
        return result;
    }
    char buffer[1 << 16];
    std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    result.bytes.append(buffer, got);
    if (got == sizeof buffer) {
        // A large journal is sized at once, so that it is not copied as it grows.
        // (Only now: a directory opens, but its size means nothing and it fails
        // the first read.)
        const long here = std::ftell(file);
        if (here > 0 && std::fseek(file, 0, SEEK_END) == 0) {
            const long size = std::ftell(file);
            if (size > here) result.bytes.reserve(static_cast<std::size_t>(size));
            std::fseek(file, here, SEEK_SET);
        }
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) result.bytes.append(buffer, got);
    }
    // A directory opens but cannot be read.
    if (std::ferror(file)) result.error = std::strerror(errno);
    std::fclose(file);
    return result;
}

// Quoted when it holds a comma, a quote or a line break; quotes doubled.
void appendCsvField(std::string& out, std::string_view field, char after) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
    } else {
        out += '"';
        for (const char c : field) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    out += after;
}

std::string renderCsv(const JournalContents& contents, const std::vector<const JournalEntry*>& kept) {
    std::string out = "date,time,group,surname,outcome,file,line\r\n";
    out.reserve(kept.size() * 96);
    for (const JournalEntry* e : kept) {
        const RecordFields& r = e->record;
        appendCsvField(out, r.date, ',');
        appendCsvField(out, r.time, ',');
        appendCsvField(out, r.group, ',');
        appendCsvField(out, r.surname, ',');
        appendCsvField(out, outcomeWord(r.outcome), ',');
        appendCsvField(out, contents.files[e->fileIndex], ',');
        (out += std::to_string(e->line)) += "\r\n";
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

std::string renderTables(const JournalContents& contents, const std::vector<const JournalEntry*>& kept,
                         bool withSource) {
    if (kept.empty()) return "no records\n";
    TextTable records(std::vector<bool>(withSource ? 6 : 5, false));
    std::vector<std::string_view> header{"date", "time", "group", "surname", "outcome"};
    if (withSource) header.push_back("source");
    records.fit(header);
    std::vector<std::string_view> row;
    std::string source;
    ResultsSummary summary;
    std::size_t textBytes = 0;
    for (const JournalEntry* e : kept) {
        recordRow(contents, *e, withSource, source, row);
        records.fit(row);
        for (const std::string_view cell : row) textBytes += cell.size();
        summary.add(e->record);
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
    for (const JournalEntry* e : kept) {
        recordRow(contents, *e, withSource, source, row);
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
    for (const std::string& name : options->files) {
        const FileBytes file = readFileBytes(name);
        if (!file.error.empty()) {
            result.err += std::string(kProgram) + ": cannot open " + name + ": " + file.error + "\n";
            unreadable = true;
            continue;
        }
        const std::size_t reportedBefore = contents.reports.size();
        readJournalBytes(file.bytes, name, contents);
        // In the order of the files, among their "cannot open" messages.
        for (std::size_t i = reportedBefore; i < contents.reports.size(); ++i)
            (result.err += contents.reports[i]) += '\n';
    }

    std::vector<const JournalEntry*> kept;
    const std::optional<std::string_view> group =
        options->group ? std::optional<std::string_view>(groupKey(*options->group)) : std::nullopt;
    for (const JournalEntry& entry : contents.entries)
        if (!group || groupKey(entry.record.group) == *group) kept.push_back(&entry);

    result.out =
        options->csv ? renderCsv(contents, kept) : renderTables(contents, kept, options->files.size() > 1);
    result.exitCode = unreadable                  ? kUsageOrFileError
                      : !contents.reports.empty() ? kSomeLinesReported
                                                  : kAllLinesRead;
    return result;
}

}  // namespace kvarnel
