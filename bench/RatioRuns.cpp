#include "RatioRuns.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "MeasurementTable.h"
#include "WindowMeasurements.h"

namespace kvarnel::bench {

namespace {

using Figures = std::map<std::string, double>;  // row name -> value

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The rows one process of `bench` prints, run with `mode` at `ratio`; empty when it failed.
Figures run(const std::string& bench, const char* mode, double ratio) {
    char factor[32];
    std::snprintf(factor, sizeof factor, "%g", ratio);
    setenv("QT_SCALE_FACTOR", factor, 1);
    Figures figures;
    std::FILE* out = popen((quoted(bench) + " " + mode).c_str(), "r");
    if (!out) return figures;
    char line[512];
    while (std::fgets(line, sizeof line, out)) {
        std::string text(line);
        const auto tab = text.find('\t');
        if (tab != std::string::npos) figures[text.substr(0, tab)] = std::atof(text.c_str() + tab + 1);
    }
    if (pclose(out) != 0) figures.clear();
    return figures;
}

// The measurements, then a study session in a process of its own.
Figures measureIn(const std::string& bench, double ratio) {
    Figures figures = run(bench, kMeasureHere, ratio);
    const Figures session = run(bench, kStudySession, ratio);
    if (figures.empty() || session.empty()) return {};
    figures.insert(session.begin(), session.end());
    return figures;
}

double medianOf(const std::vector<Figures>& rounds, const std::string& name) {
    std::vector<double> values;
    for (const Figures& f : rounds)
        if (f.count(name)) values.push_back(f.at(name));
    return MeasurementTable::median(values);
}

void printHeader() {
    std::printf("%-5s %-6s  %-24s %7s %8s  %-15s %8s %8s\n", "ratio", "bench", "start-up main / bare", "cold",
                "at once", "warm front/rear", "overview", "peak RSS");
    std::printf("%-5s %-6s  %-24s %7s %8s  %-15s %8s %8s\n", "", "goal", "<= 1.5 x", "<= 4", "",
                "<= 2 / <= 2", "<= 2", "<= 80 MB");
}

void printRow(double ratio, const char* bench, const std::vector<Figures>& rounds) {
    const auto m = [&](const char* name) { return medianOf(rounds, name); };
    char start[64];
    std::snprintf(start, sizeof start, "%.2f (%.2f / %.2f ms)", m(row::kStartMain) / m(row::kStartBare),
                  m(row::kStartMain), m(row::kStartBare));
    char warm[64];
    std::snprintf(warm, sizeof warm, "%.2f / %.2f ms", m(row::kWarmFront), m(row::kWarmRear));
    std::printf("%-5g %-6s  %-24s %4.2f ms %5.2f ms  %-15s %5.2f ms %5.1f MB %5.1f MB\n", ratio, bench, start,
                m(row::kCold), m(row::kColdAtOnce), warm, m(row::kWarmOverview), m(row::kPeakRss),
                m(row::kSessionPeakRss));
    const double seen = m(row::kRatio);
    if (seen != ratio) std::printf("      (the screen's device pixel ratio was %g)\n", seen);
}

}  // namespace

bool parseRatioRunOptions(const std::vector<std::string>& args, RatioRunOptions& options,
                          std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--ratios" && hasValue) {
            options.ratios.clear();
            std::stringstream list(args[++i]);
            for (std::string item; std::getline(list, item, ',');)
                options.ratios.push_back(std::atof(item.c_str()));
        } else if (args[i] == "--rounds" && hasValue) {
            options.rounds = std::max(1, std::atoi(args[++i].c_str()));
        } else if (args[i] == "--against" && hasValue) {
            options.against = args[++i];
        } else {
            error = "usage: kvarnel_bench [--ratios 1,1.25,1.5,2] [--rounds N] [--against OTHER_BENCH]";
            return false;
        }
    }
    for (double r : options.ratios)
        if (!(r > 0)) {
            error = "a device pixel ratio must be a positive number";
            return false;
        }
    return true;
}

int runRatios(const RatioRunOptions& options) {
    struct Results {
        std::vector<Figures> self, against;
    };
    std::map<double, Results> results;
    int failures = 0;
    const auto measure = [&](const std::string& bench, double ratio, std::vector<Figures>& into) {
        Figures figures = measureIn(bench, ratio);
        if (figures.empty()) {
            std::fprintf(stderr, "%s failed at ratio %g\n", bench.c_str(), ratio);
            ++failures;
            return;
        }
        into.push_back(std::move(figures));
    };
    for (double ratio : options.ratios) {
        Results& r = results[ratio];
        for (int round = 0; round < options.rounds; ++round) {
            // Alternating, each first in every other round, so that both see the same load.
            const bool againstFirst = !options.against.empty() && round % 2 == 1;
            if (againstFirst) measure(options.against, ratio, r.against);
            measure(options.self, ratio, r.self);
            if (!options.against.empty() && !againstFirst) measure(options.against, ratio, r.against);
        }
    }
    std::printf(
        "press and start-up times are medians in ms; %d process(es) per ratio and benchmark; peak RSS: of\n"
        "the process that measured (43 windows), and of one study session (one window, each view once)\n\n",
        options.rounds);
    printHeader();
    for (double ratio : options.ratios) {
        const Results& r = results[ratio];
        if (!options.against.empty()) printRow(ratio, "other", r.against);
        printRow(ratio, "this", r.self);
    }
    return failures ? 1 : 0;
}

}  // namespace kvarnel::bench
