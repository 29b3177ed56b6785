#include "PictureResources.h"

#include <QFile>
#include <QResource>

namespace kvarnel {

namespace {

JpegPicture stream(const QString& directory, const QString& name) {
    return JpegPicture(PictureResources::readStream(directory + '/' + name));
}

}  // namespace

PictureResources::PictureResources(const QString& directory)
    : overview_(stream(directory, fileName(View::Overview)),
                stream(directory, doubledFileName(View::Overview))),
      front_(stream(directory, fileName(View::Front)), stream(directory, doubledFileName(View::Front))),
      rear_(stream(directory, fileName(View::Rear)), stream(directory, doubledFileName(View::Rear))) {}

ScreenPicture& PictureResources::picture(View view) {
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
