// assets_preview OUTPUT_DIR: writes overview.png, front.png and rear.png, each the
// committed picture with the hotspots (overview only) and the markers of the nodes
// shown over it drawn in outline, so that the fit can be checked by eye.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <cstdio>
#include <string>

#include "AssetFiles.h"
#include "GuiApplication.h"
#include "PictureTable.h"
#include "RgbImage.h"
#include "core/Catalogue.h"

using namespace kvarnel;

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool markerShownOver(const MarkerRow& m, View view) {
    return Catalogue::standard().view(m.shownFor[0]) == view;
}

void drawMarkers(QPainter& p, const PictureRow& row) {
    for (const MarkerRow& m : Catalogue::standard().markers()) {
        if (!markerShownOver(m, row.view)) continue;
        const QColor edge = m.outline == Outline::Red ? QColor(255, 0, 0) : QColor(0, 0, 255);
        QColor fill(0, 255, 255, 50);
        p.setPen(QPen(edge, 2));
        p.setBrush(fill);
        const QRect box(m.left - row.placeX, m.top - row.placeY, m.width, m.height);
        p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 6, 6);
        p.setPen(edge);
        p.drawText(box.topLeft() + QPoint(4, 12), qs(m.name));
    }
}

void drawHotspots(QPainter& p, const PictureRow& row) {
    for (const HotspotRow& h : Catalogue::standard().hotspots()) {
        const QPoint c(h.left + 7 - row.placeX, h.top + 7 - row.placeY);
        // An open ring with a cross at the centre leaves the red dot beneath visible.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 160, 0), 1));
        p.drawEllipse(QRect(h.left - row.placeX, h.top - row.placeY, 15, 15));
        p.drawLine(c - QPoint(3, 0), c + QPoint(3, 0));
        p.drawLine(c - QPoint(0, 3), c + QPoint(0, 3));
        p.drawText(c + QPoint(9, -6), qs(h.name).mid(6));  // "V10_3" for ShapeV10_3
    }
}

bool writePreview(const PictureRow& row, const QDir& out) {
    std::string error;
    const std::string file = "pictures/" + std::string(row.name) + ".jpg";
    const auto bytes = AssetFiles::read(file, &error);
    const auto rgb = bytes ? RgbImage::decodeJpeg(*bytes, &error) : std::nullopt;
    if (!rgb) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return false;
    }
    QImage image(rgb->data(), rgb->width(), rgb->height(), rgb->width() * 3, QImage::Format_RGB888);
    QImage canvas = image.convertToFormat(QImage::Format_ARGB32);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    p.setFont(font);
    drawMarkers(p, row);
    if (row.view == View::Overview) drawHotspots(p, row);
    p.end();
    const QString target = out.filePath(qs(row.name) + QStringLiteral(".png"));
    if (!canvas.save(target)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        return false;
    }
    std::printf("%s\n", qPrintable(target));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    GuiApplication::instance();
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const PictureRow& row : kPictureRows) ok = writePreview(row, out) && ok;
    return ok ? 0 : 1;
}
