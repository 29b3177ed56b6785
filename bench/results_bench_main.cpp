// kvarnel-results on a generated journal of 100 000 lines (Windows-1251, CR LF,
// 40 groups, every outcome, one line in a thousand glued or with a repeated
// abandoned outcome): the time to read, summarise and print it, table and CSV.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MeasurementTable.h"
#include "results/ResultsCommand.h"

namespace kvarnel::bench {
namespace {

constexpr int kLines = 100000;
constexpr int kRuns = 11;

std::string generatedJournal() {
    // Петров, Иванова, Сидоренко-Белова; "Тест прерван" in Windows-1251.
    const std::vector<std::string> surnames = {
        "\xCF\xE5\xF2\xF0\xEE\xE2", "\xC8\xE2\xE0\xED\xEE\xE2\xE0",
        "\xD1\xE8\xE4\xEE\xF0\xE5\xED\xEA\xEE-\xC1\xE5\xEB\xEE\xE2\xE0"};
    const std::vector<std::string> outcomes = {"unsatisfactorily", "satisfactorily", "good", "excellent",
                                               "\xD2\xE5\xF1\xF2 \xEF\xF0\xE5\xF0\xE2\xE0\xED"};
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        char head[64];
        std::snprintf(head, sizeof head, "%02d.12.2026 / %d:%02d:%02d / %d-\xD2\xDD / ", 1 + i % 28,
                      8 + i % 10, i % 60, (i * 7) % 60, 10 + i % 40);
        text += head;
        text += surnames[i % surnames.size()] + std::to_string(i) + " / " + outcomes[i % outcomes.size()];
        if (i % 1000 == 4) text += " / " + outcomes[4];  // a repeated abandoned outcome
        if (i % 1000 != 7) text += "\r\n";               // the next line glued on
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
    std::size_t records = 0;
    for (const bool csv : {false, true}) {
        std::vector<double> wall, cpu;
        for (int run = 0; run < kRuns; ++run) {
            std::vector<std::string> args{journal};
            if (csv) args.insert(args.begin(), "--csv");
            const std::clock_t cpuStart = std::clock();
            const auto start = std::chrono::steady_clock::now();
            const CommandResult result = runResultsCommand(args);
            wall.push_back(millisecondsSince(start));
            cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
            if (csv)
                records =
                    static_cast<std::size_t>(std::count(result.out.begin(), result.out.end(), '\n')) - 1;
        }
        const std::string name = csv ? "100 000 lines, CSV" : "100 000 lines, table and summary";
        table.addSamples(name + " (wall)", wall, "< 1000 ms");
        table.addSamples(name + " (processor)", cpu);
        const auto [low, high] = std::minmax_element(wall.begin(), wall.end());
        std::printf("%s wall: min %.1f ms, max %.1f ms\n", name.c_str(), *low, *high);
    }
    table.print(stdout);
    std::printf("records read: %zu (from %d lines)\n", records, kLines);
    fs::remove_all(dir);
    return 0;
}
