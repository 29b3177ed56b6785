#include "ResultsCommand.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "Journal.h"
#include "JournalReader.h"
#include "ResultsPlatform.h"
#include "ResultsSummary.h"
#include "TextTable.h"

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
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) result.bytes.append(buffer, got);
    // A directory opens but cannot be read.
    if (std::ferror(file)) result.error = std::strerror(errno);
    std::fclose(file);
    return result;
}

// Quoted when it holds a comma, a quote or a line break; quotes doubled.
void appendCsvField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendCsvRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        appendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

std::string renderCsv(const JournalContents& contents, const std::vector<const JournalEntry*>& kept) {
    std::string out;
    appendCsvRow(out, {"date", "time", "group", "surname", "outcome", "file", "line"});
    for (const JournalEntry* e : kept) {
        const RecordFields& r = e->record;
        appendCsvRow(out, {r.date, r.time, r.group, r.surname, outcomeWord(r.outcome),
                           contents.files[e->fileIndex], std::to_string(e->line)});
    }
    return out;
}

std::string renderTables(const JournalContents& contents, const std::vector<const JournalEntry*>& kept,
                         bool withSource) {
    if (kept.empty()) return "no records\n";
    std::vector<bool> alignment(withSource ? 6 : 5, false);
    TextTable records(alignment);
    std::vector<std::string> header{"date", "time", "group", "surname", "outcome"};
    if (withSource) header.push_back("source");
    records.addRow(header);
    ResultsSummary summary;
    for (const JournalEntry* e : kept) {
        const RecordFields& r = e->record;
        std::vector<std::string> row{r.date, r.time, r.group, r.surname, outcomeWord(r.outcome)};
        if (withSource) row.push_back(contents.files[e->fileIndex] + ":" + std::to_string(e->line));
        records.addRow(std::move(row));
        summary.add(r);
    }
    TextTable groups({false, true, true, true, true, true, true});
    std::vector<std::string> groupHeader{"group", "tests"};
    for (int i = 0; i < kOutcomeCount; ++i)
        groupHeader.push_back(i == static_cast<int>(Outcome::Abandoned) ? "abandoned"
                                                                        : outcomeWord(Outcome(i)));
    groups.addRow(groupHeader);
    for (const GroupCounts& g : summary.groups()) {
        std::vector<std::string> row{g.group, std::to_string(g.tests)};
        for (const int count : g.byOutcome) row.push_back(std::to_string(count));
        groups.addRow(std::move(row));
    }
    return records.render() + "\n" + groups.render();
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
        readJournalBytes(file.bytes, name, contents);
    }
    for (const std::string& report : contents.reports) (result.err += report) += '\n';

    std::vector<const JournalEntry*> kept;
    const std::optional<std::string> group =
        options->group ? std::optional<std::string>(groupKey(*options->group)) : std::nullopt;
    for (const JournalEntry& entry : contents.entries)
        if (!group || groupKey(entry.record.group) == *group) kept.push_back(&entry);

    result.out = options->csv ? renderCsv(contents, kept)
                              : renderTables(contents, kept, options->files.size() > 1);
    result.exitCode = unreadable                  ? kUsageOrFileError
                      : !contents.reports.empty() ? kSomeLinesReported
                                                  : kAllLinesRead;
    return result;
}

}  // namespace kvarnel
