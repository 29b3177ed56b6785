// kvarnel-results on a generated journal of 1 000 000 lines (CR LF, 40 groups,
// every outcome, one line in a thousand glued or with a repeated abandoned
// outcome; the first tenth in UTF-8 after a byte-order mark, as an editor saves
// it, the rest in the trainer's Windows-1251): the time to read, summarise and
// print it, table and CSV, and to pick one group out of it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MeasurementTable.h"
#include "core/Utf8Sequence.h"
#include "core/Windows1251.h"
#include "results/ResultsCommand.h"

namespace kvarnel::bench {
namespace {

constexpr int kLines = 1000000;
constexpr int kRuns = 5;

std::string utf8(const std::string& windows1251) {
    std::string text;
    for (const char byte : windows1251) appendUtf8(text, fromWindows1251(static_cast<unsigned char>(byte)));
    return text;
}

std::string generatedJournal() {
    // Петров, Иванова, Сидоренко-Белова; "Тест прерван" in Windows-1251.
    const std::vector<std::string> surnames = {
        "\xCF\xE5\xF2\xF0\xEE\xE2", "\xC8\xE2\xE0\xED\xEE\xE2\xE0",
        "\xD1\xE8\xE4\xEE\xF0\xE5\xED\xEA\xEE-\xC1\xE5\xEB\xEE\xE2\xE0"};
    const std::vector<std::string> outcomes = {"unsatisfactorily", "satisfactorily", "good", "excellent",
                                               "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED"};
    std::string text = "\xEF\xBB\xBF";
    for (int i = 0; i < kLines; ++i) {
        char head[64];
        std::snprintf(head, sizeof head, "%02d.12.2026 / %d:%02d:%02d / %d-\xD2\xDD / ", 1 + i % 28,
                      8 + i % 10, i % 60, (i * 7) % 60, 10 + i % 40);
        std::string line = head;
        line += surnames[i % surnames.size()] + std::to_string(i) + " / " + outcomes[i % outcomes.size()];
        if (i % 1000 == 4) line += " / " + outcomes[4];  // a repeated abandoned outcome
        if (i % 1000 != 7) line += "\r\n";               // the next line glued on
        text += i < kLines / 10 ? utf8(line) : line;
    }
    return text;
}

}  // namespace
}  // namespace kvarnel::bench

int main() {
    using namespace kvarnel;
    using namespace kvarnel::bench;
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() /
                         ("kvarnel-results-bench-" +
                          std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir);
    const std::string journal = (dir / "journal.txt").string();
    std::ofstream(journal, std::ios::binary) << generatedJournal();

    // Wall time, and the process's processor time beside it: on a shared machine
    // the wall time is mostly waiting for a core.
    MeasurementTable table;
    struct Variant {
        const char* name;
        std::vector<std::string> options;
    };
    const Variant variants[] = {{"table and summary", {}},
                                {"CSV", {"--csv"}},
                                {"one group of 40 as CSV", {"--csv", "--group", "17-ТЭ"}}};
    for (const Variant& variant : variants) {
        std::vector<double> wall, cpu;
        std::size_t outputLines = 0;
        for (int run = 0; run < kRuns; ++run) {
            std::vector<std::string> args = variant.options;
            args.push_back(journal);
            const std::clock_t cpuStart = std::clock();
            const auto start = std::chrono::steady_clock::now();
            const CommandResult result = runResultsCommand(args);
            wall.push_back(millisecondsSince(start));
            cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
            outputLines = static_cast<std::size_t>(std::count(result.out.begin(), result.out.end(), '\n'));
        }
        const std::string name = std::string("1 000 000 lines, ") + variant.name;
        table.addSamples(name + " (wall)", wall, "< 2000 ms");
        table.addSamples(name + " (processor)", cpu);
        const auto [low, high] = std::minmax_element(wall.begin(), wall.end());
        std::printf("%s wall: min %.1f ms, max %.1f ms; %zu lines out\n", name.c_str(), *low, *high,
                    outputLines);
    }
    table.print(stdout);
    fs::remove_all(dir);
    return 0;
}
