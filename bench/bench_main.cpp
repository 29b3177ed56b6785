// The benchmark: decode time per picture, window start-up against a bare window,
// a hotspot press to its close-up frame (cold and warm), a journal append, and peak memory.
// Prints a table of medians; add further measurements to the same table.
#include <QApplication>
#include <QImage>
#include <QScreen>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "MeasurementTable.h"
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

}  // namespace
}  // namespace kvarnel::bench

int main(int argc, char** argv) {
    using namespace kvarnel::bench;
    // Measured without a display by default, so figures compare across machines.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // --start-only main|bare N: N start-ups and nothing else (see repeatStartUps).
    if (argc == 4 && QByteArray(argv[1]) == "--start-only") {
        repeatStartUps(QByteArray(argv[2]) == "main", std::atoi(argv[3]));
        return 0;
    }
    std::printf("platform: %s\n\n", qPrintable(QGuiApplication::platformName()));

    MeasurementTable table;
    addDecodeMeasurements(table);
    addWindowMeasurements(table);
    addJournalMeasurements(table);
    // On a hi-DPI screen (e.g. QT_SCALE_FACTOR=2) the pictures are drawn from
    // their double-size renderings and the backing store has four times the pixels.
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    table.record("device pixel ratio of the screen", ratio, "x");
    table.record("peak resident set", peakResidentMegabytes(), "MB", ratio > 1 ? "<= 80 MB" : "<= 45 MB");
    table.print(stdout);
    return 0;
}
