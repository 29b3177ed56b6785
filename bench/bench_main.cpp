// The benchmark: decode time per picture, window start-up against a bare window,
// a hotspot press to its close-up frame (cold and warm), and peak memory.
// Prints a table of medians; add further measurements to the same table.
#include <QApplication>
#include <QImage>
#include <QScreen>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "MeasurementTable.h"
#include "WindowMeasurements.h"
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
    // On a hi-DPI screen (e.g. QT_SCALE_FACTOR=2) the pictures are drawn from
    // their double-size renderings and the backing store has four times the pixels.
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    table.record("device pixel ratio of the screen", ratio, "x");
    table.record("peak resident set", peakResidentMegabytes(), "MB", ratio > 1 ? "<= 80 MB" : "<= 45 MB");
    table.print(stdout);
    return 0;
}
