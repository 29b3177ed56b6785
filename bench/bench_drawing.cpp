// Drawing benchmark: decode time per picture, and the surface composing the
// close-up frame of a hotspot press (picture swap, the node's markers shown, the
// 50 hotspots hidden), cold (the close-up picture decoded on the way) and warm.
// Prints a table of medians; add further measurements to the same table.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <QBuffer>
#include <QRandomGenerator>

#include <sys/resource.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Catalogue.h"
#include "JpegPicture.h"
#include "MeasurementTable.h"
#include "PictureResources.h"
#include "Surface.h"

namespace kvarnel::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDecodeRuns = 31;
constexpr int kColdRuns = 15;
constexpr int kWarmRuns = 51;

struct PictureSource {
    View view;
    QSize size;  // the size the window's layout is made for
    QByteArray stream;
    QString origin;
};

// A stand-in of the right size when the real picture is not at hand: line work
// on white, like the drawings, so its stream and decode cost are comparable.
QByteArray substituteStream(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QRandomGenerator random(size.width() * 7 + size.height());
    for (int i = 0; i < 1500; ++i) {
        painter.setPen(QColor::fromRgb(random.generate() & 0x7F7F7F));
        painter.drawLine(random.bounded(size.width()), random.bounded(size.height()),
                         random.bounded(size.width()), random.bounded(size.height()));
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// The program's resources when this binary carries them, else the source tree's
// pictures, else a generated stand-in.
std::vector<PictureSource> loadPictures() {
    std::vector<PictureSource> sources = {{View::Overview, {1005, 523}, {}, {}},
                                          {View::Front, {1006, 523}, {}, {}},
                                          {View::Rear, {1006, 524}, {}, {}}};
    const QString directories[] = {QString::fromLatin1(PictureResources::kResourceDirectory),
                                   QStringLiteral(KVARNEL_PICTURE_DIR)};
    for (PictureSource& source : sources) {
        for (const QString& directory : directories) {
            const QString path = directory + '/' + PictureResources::fileName(source.view);
            source.stream = PictureResources::readStream(path);
            if (!JpegPicture::decode(source.stream).isNull()) {
                source.origin = path;
                break;
            }
        }
        if (source.origin.isEmpty()) {
            source.stream = substituteStream(source.size);
            source.origin = QStringLiteral("generated stand-in");
        }
    }
    return sources;
}

// Notes each completed paint, so a sample can wait for the composed frame.
class TimedSurface : public Surface {
public:
    bool painted = false;

protected:
    void paintEvent(QPaintEvent* event) override {
        Surface::paintEvent(event);
        painted = true;
    }
};

void waitForFrame(TimedSurface& surface) {
    const auto start = Clock::now();
    while (!surface.painted && millisecondsSince(start) < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    surface.painted = false;
}

// The window's pictures, hotspots and markers in their stacking order, in study mode.
class Scene {
public:
    explicit Scene(const std::vector<PictureSource>& sources) {
        for (const PictureSource& source : sources)
            pictures_[static_cast<int>(source.view)] = std::make_unique<JpegPicture>(source.stream);
        addPicture(View::Rear, QRect(9, 19, 1016, 570), false);
        addPicture(View::Front, QRect(-3, 5, 1025, 570), true);
        addPicture(View::Overview, QRect(0, 0, 1025, 570), true);
        const Catalogue& catalogue = Catalogue::standard();
        for (std::string_view name : catalogue.stacking()) {
            SurfaceElement e;
            e.name = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
            if (const HotspotRow* h = catalogue.hotspot(name)) {
                e.kind = SurfaceElement::Kind::Hotspot;
                e.box = QRect(h->left, h->top, 15, 15);
                e.pen = clRed;
                e.brush = clLime;
                e.penWidth = 1;
                e.node = h->node;
                hotspots_.push_back(surface_.addElement(e));
            } else if (const MarkerRow* m = catalogue.marker(name)) {
                e.kind = SurfaceElement::Kind::Marker;
                e.box = QRect(m->left, m->top, m->width, m->height);
                e.pen = m->outline == Outline::Red ? clRed : clBlue;
                e.brush = clAqua;
                e.penWidth = 7;
                e.visible = false;
                surface_.addElement(e);
            }
        }
        surface_.resize(1026, 727);
        surface_.show();
        waitForFrame(surface_);
    }

    // What a hotspot press shows, and what its release restores.
    void hold(NodeNumber node, bool held) {
        const Catalogue& catalogue = Catalogue::standard();
        const View view = catalogue.view(node);
        if (view != View::Overview) {
            surface_.setElementVisible(image_[static_cast<int>(View::Overview)], !held);
            surface_.setElementVisible(image_[static_cast<int>(view)], held);
        }
        for (const MarkerRow* m : catalogue.markersOf(node))
            surface_.setElementVisible(
                surface_.indexOf(QString::fromUtf8(m->name.data(), int(m->name.size()))), held);
        for (int h : hotspots_) surface_.setElementVisible(h, !held);
    }

    // Milliseconds from the press to its composed frame.
    double timePress(NodeNumber node) {
        const auto start = Clock::now();
        hold(node, true);
        waitForFrame(surface_);
        return millisecondsSince(start);
    }

    void release(NodeNumber node) {
        hold(node, false);
        waitForFrame(surface_);
    }

private:
    void addPicture(View view, QRect box, bool centred) {
        SurfaceElement e;
        e.kind = SurfaceElement::Kind::Picture;
        e.box = box;
        e.picture = pictures_[static_cast<int>(view)].get();
        e.centred = centred;
        e.visible = view == View::Overview;
        image_[static_cast<int>(view)] = surface_.addElement(e);
    }

    std::array<std::unique_ptr<JpegPicture>, 3> pictures_;
    std::array<int, 3> image_{};
    std::vector<int> hotspots_;
    TimedSurface surface_;
};

// The close-up node with the most markers (the heaviest close-up frame).
NodeNumber heaviestCloseUp() {
    const Catalogue& catalogue = Catalogue::standard();
    NodeNumber best = 0;
    std::size_t most = 0;
    for (NodeNumber n = 1; n <= kNodeCount; ++n)
        if (catalogue.view(n) != View::Overview && catalogue.markersOf(n).size() > most) {
            best = n;
            most = catalogue.markersOf(n).size();
        }
    return best;
}

std::string viewName(View view) {
    switch (view) {
    case View::Front: return "front";
    case View::Rear: return "rear";
    case View::Overview: break;
    }
    return "overview";
}

void addDrawingMeasurements(MeasurementTable& table, const std::vector<PictureSource>& sources) {
    for (const PictureSource& source : sources)
        table.measure("decode " + viewName(source.view) + ".jpg", kDecodeRuns, [&] {
            const auto start = Clock::now();
            const QImage image = JpegPicture::decode(source.stream);
            const double ms = millisecondsSince(start);
            if (image.isNull()) std::fprintf(stderr, "decode failed\n");
            return ms;
        });

    const NodeNumber node = heaviestCloseUp();
    const Catalogue& catalogue = Catalogue::standard();
    const std::string closeUp = "close-up frame, node " + std::to_string(node) + " (" +
                                viewName(catalogue.view(node)) + ", " +
                                std::to_string(catalogue.markersOf(node).size()) + " markers)";
    table.measure(closeUp + ", cold", kColdRuns, [&] {
        Scene scene(sources);  // fresh pictures: the close-up is decoded by this press
        return scene.timePress(node);
    }, "<= 4 ms");

    Scene scene(sources);
    scene.timePress(node);
    scene.release(node);
    table.measure(closeUp + ", warm", kWarmRuns, [&] {
        const double ms = scene.timePress(node);
        scene.release(node);
        return ms;
    }, "<= 2 ms");

    const NodeNumber overviewNode = 10;  // five markers on the overview itself
    table.measure("overview frame, node 10 (5 markers), warm", kWarmRuns, [&] {
        const double ms = scene.timePress(overviewNode);
        scene.release(overviewNode);
        return ms;
    }, "<= 2 ms");
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
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));

    const std::vector<PictureSource> sources = loadPictures();
    for (const PictureSource& source : sources)
        std::printf("picture %s: %lld bytes from %s\n", viewName(source.view).c_str(),
                    static_cast<long long>(source.stream.size()), qPrintable(source.origin));

    MeasurementTable table;
    addDrawingMeasurements(table, sources);
    table.record("peak resident set", peakResidentMegabytes(), "MB", "<= 45 MB");
    std::printf("\n");
    table.print(stdout);
    return 0;
}
