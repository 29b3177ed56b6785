#include "PictureResources.h"

#include <QFile>
#include <QResource>

namespace kvarnel {

PictureResources::PictureResources(const QString& directory)
    : overview_(readStream(directory + '/' + fileName(View::Overview))),
      front_(readStream(directory + '/' + fileName(View::Front))),
      rear_(readStream(directory + '/' + fileName(View::Rear))) {}

const JpegPicture& PictureResources::picture(View view) const {
    switch (view) {
    case View::Front: return front_;
    case View::Rear: return rear_;
    case View::Overview: break;
    }
    return overview_;
}

QString PictureResources::fileName(View view) {
    switch (view) {
    case View::Front: return QStringLiteral("front.jpg");
    case View::Rear: return QStringLiteral("rear.jpg");
    case View::Overview: break;
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
