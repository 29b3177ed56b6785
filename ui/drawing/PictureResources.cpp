#include "PictureResources.h"

#include <QFile>
#include <QResource>

namespace kvarnel {

namespace {

JpegPicture::StreamSource doubledSource(const QString& directory, View view) {
    return [path = directory + '/' + PictureResources::doubledFileName(view)] {
        return PictureResources::readStream(path);
    };
}

}  // namespace

PictureResources::PictureResources(const QString& directory)
    : overview_(readStream(directory + '/' + fileName(View::Overview))),
      front_(readStream(directory + '/' + fileName(View::Front))),
      rear_(readStream(directory + '/' + fileName(View::Rear))),
      overviewDoubled_(doubledSource(directory, View::Overview)),
      frontDoubled_(doubledSource(directory, View::Front)),
      rearDoubled_(doubledSource(directory, View::Rear)) {}

const JpegPicture& PictureResources::picture(View view) const {
    switch (view) {
    case View::Front:
        return front_;
    case View::Rear:
        return rear_;
    case View::Overview:
        break;
    }
    return overview_;
}

const JpegPicture& PictureResources::doubled(View view) const {
    switch (view) {
    case View::Front:
        return frontDoubled_;
    case View::Rear:
        return rearDoubled_;
    case View::Overview:
        break;
    }
    return overviewDoubled_;
}

QString PictureResources::doubledFileName(View view) {
    QString name = fileName(view);
    return name.insert(name.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
}

QString PictureResources::fileName(View view) {
    switch (view) {
    case View::Front:
        return QStringLiteral("front.jpg");
    case View::Rear:
        return QStringLiteral("rear.jpg");
    case View::Overview:
        break;
    }
    return QStringLiteral("overview.jpg");
}

QByteArray PictureResources::readStream(const QString& path) {
    // A picture built into the program is used where it lies, not copied: start-up
    // then touches only the overview's bytes, when it decodes them.
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression && resource.data())
        return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                       static_cast<qsizetype>(resource.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace kvarnel
