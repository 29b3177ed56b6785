// The benchmark: decode time per picture and a journal append, then at each device pixel ratio
// (1, 1.25, 1.5 and 2 unless --ratios says otherwise) window start-up against a
// bare window, a hotspot press to its close-up frame (cold and warm), and peak
// memory, each ratio in a process of its own. Prints tables of medians.
//
//   kvarnel_bench [--ratios 1,1.25,1.5,2] [--rounds N] [--against OTHER_BENCH]
//   kvarnel_bench --start-only main|bare N   (for bench/count-start-instructions)
//   kvarnel_bench --press-only NODE N        (a warm press, for callgrind)
//   kvarnel_bench --study-session            (one window and its three views, for the peak memory)
#include <QApplication>
#include <QImage>
#include <QScreen>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "MeasurementTable.h"
#include "RatioRuns.h"
#include "WindowMeasurements.h"
#include "core/InOutError.h"
#include "core/Journal.h"
#include "ui/drawing/JpegPicture.h"
#include "ui/drawing/PictureResources.h"

namespace kvarnel::bench {
namespace {

void addDecodeMeasurements(MeasurementTable& table) {
    constexpr int kDecodeRuns = 31;
    const QString directory = QString::fromLatin1(PictureResources::kResourceDirectory) + '/';
    double doubledBytes = 0;
    for (bool doubled : {false, true}) {
        for (View view : {View::Overview, View::Front, View::Rear}) {
            const QString name =
                doubled ? PictureResources::doubledFileName(view) : PictureResources::fileName(view);
            const QByteArray stream = PictureResources::readStream(directory + name);
            table.measure("decode " + name.toStdString(), kDecodeRuns, [&] {
                const auto start = std::chrono::steady_clock::now();
                const QImage image = JpegPicture::decode(stream);
                const double ms = millisecondsSince(start);
                if (image.isNull()) std::fprintf(stderr, "decode of %s failed\n", qPrintable(name));
                if (doubled) doubledBytes += image.sizeInBytes() / double(kDecodeRuns);
                return ms;
            });
        }
    }
    // What the three double-size pictures take once decoded on a hi-DPI screen.
    table.record("decoded @2x pictures, memory of all three", doubledBytes / (1024.0 * 1024.0), "MB");
}

// A graded line appended as the trainer appends it, to a journal in a folder made in the
// current directory: run the benchmark from a folder on the disk to be measured. The window
// waits for the append as it waits up to kJournalLockWaitMs for another writer.
void addJournalMeasurements(MeasurementTable& table) {
    namespace fs = std::filesystem;
    constexpr int kAppendRuns = 101;
    const fs::path folder = fs::current_path() / "kvarnel-bench-journal";
    fs::create_directories(folder);
    const fs::path journal = folder / fs::u8path(kJournalFileName);
    std::ofstream(journal, std::ios::binary | std::ios::trunc).close();
    FileJournal file(journal.u8string());
    std::vector<double> samples;
    try {
        for (int i = 0; i < kAppendRuns; ++i) {
            const auto start = std::chrono::steady_clock::now();
            file.append("07.12.2026 / 14:13:51 / 41-ТЭ / Петров / good");
            samples.push_back(millisecondsSince(start));
        }
    } catch (const EInOutError& e) {
        std::fprintf(stderr, "journal append in %s failed: %s\n", folder.c_str(), e.what());
    }
    fs::remove_all(folder);
    if (samples.empty()) return;
    const std::string target = "< " + std::to_string(kJournalLockWaitMs) + " ms (lock wait)";
    table.addSamples("journal: append one line, " + folder.parent_path().string(), samples, target);
    table.record("journal: slowest of those appends", *std::max_element(samples.begin(), samples.end()), "ms",
                 target);
}

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

int measureHere(int argc, char** argv) {
    QApplication app(argc, argv);
    MeasurementTable table;
    addWindowMeasurements(table);
    table.record(row::kRatio, QGuiApplication::primaryScreen()->devicePixelRatio(), "x");
    table.record(row::kPeakRss, peakResidentMegabytes(), "MB");
    for (const MeasurementTable::Row& r : table.rows()) std::printf("%s\t%.4f\n", r.name.c_str(), r.value);
    return 0;
}

}  // namespace
}  // namespace kvarnel::bench

int main(int argc, char** argv) {
    using namespace kvarnel::bench;
    // Measured without a display by default, so figures compare across machines.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (argc == 2 && mode == kMeasureHere) return measureHere(argc, argv);
    if (argc == 2 && mode == kStudySession) {
        QApplication app(argc, argv);
        studySession();
        std::printf("%s\t%.4f\n", row::kSessionPeakRss, peakResidentMegabytes());
        return 0;
    }
    if (argc == 4 && (mode == "--start-only" || mode == "--press-only")) {
        QApplication app(argc, argv);
        if (mode == "--start-only")
            repeatStartUps(QByteArray(argv[2]) == "main", std::atoi(argv[3]));
        else
            repeatPresses(std::atoi(argv[2]), std::atoi(argv[3]));
        return 0;
    }

    RatioRunOptions options;
    char self[4096] = {};
    // The same executable measures each ratio in a process of its own.
    options.self = readlink("/proc/self/exe", self, sizeof self - 1) > 0 ? self : argv[0];
    std::string error;
    if (!parseRatioRunOptions({argv + 1, argv + argc}, options, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    MeasurementTable once;  // the same at every ratio
    addDecodeMeasurements(once);
    addJournalMeasurements(once);
    once.print(stdout);
    std::printf("\n");
    std::fflush(stdout);
    return runRatios(options);
}
