#pragma once
// The three built-in pictures, read as JPEG streams from a directory (by default
// the program's resources ":/pictures") and decoded when first drawn, each with
// its rendering at twice the width and height for hi-DPI screens, which is read
// only when first drawn.
#include <QString>

#include "JpegPicture.h"
#include "core/CatalogueData.h"

namespace kvarnel {

class PictureResources {
public:
    static constexpr const char* kResourceDirectory = ":/pictures";

    // A missing file gives an empty stream, which draws as nothing and reports
    // its error when decoded; start-up does not fail on it.
    explicit PictureResources(const QString& directory = QString::fromLatin1(kResourceDirectory));

    const JpegPicture& overview() const { return overview_; }  // Image1
    const JpegPicture& front() const { return front_; }        // Image2
    const JpegPicture& rear() const { return rear_; }          // Image3
    const JpegPicture& picture(View view) const;
    // The same picture rendered at twice the width and height.
    const JpegPicture& doubled(View view) const;

    // File name of a view's picture inside the directory: overview.jpg, front.jpg, rear.jpg.
    static QString fileName(View view);
    // File name of its double-size rendering: overview@2x.jpg, front@2x.jpg, rear@2x.jpg.
    static QString doubledFileName(View view);
    // The whole file, or an empty array when it cannot be read. A picture built
    // into the program (stored uncompressed) is referred to in place, not copied.
    static QByteArray readStream(const QString& path);

private:
    JpegPicture overview_;
    JpegPicture front_;
    JpegPicture rear_;
    JpegPicture overviewDoubled_;
    JpegPicture frontDoubled_;
    JpegPicture rearDoubled_;
};

}  // namespace kvarnel
