#pragma once
// The three built-in pictures, read as JPEG streams from a directory (by default
// the program's resources ":/pictures"), each with its rendering at twice the
// width and height for hi-DPI screens; decoded for the screen they are drawn on
// when first drawn or ahead of it.
#include <QString>

#include "ScreenPicture.h"
#include "core/CatalogueData.h"

namespace kvarnel {

class PictureResources {
public:
    static constexpr const char* kResourceDirectory = ":/pictures";

    // A missing file gives an empty stream, which draws as nothing and reports
    // its error when decoded; start-up does not fail on it.
    explicit PictureResources(const QString& directory = QString::fromLatin1(kResourceDirectory));

    // Image1, Image2 or Image3.
    ScreenPicture& picture(View view);

    // File name of a view's picture inside the directory: overview.jpg, front.jpg, rear.jpg.
    static QString fileName(View view);
    // File name of its double-size rendering: overview@2x.jpg, front@2x.jpg, rear@2x.jpg.
    static QString doubledFileName(View view);
    // The whole file, or an empty array when it cannot be read. A picture built
    // into the program (stored uncompressed) is referred to in place, not copied.
    static QByteArray readStream(const QString& path);

private:
    ScreenPicture overview_;
    ScreenPicture front_;
    ScreenPicture rear_;
};

}  // namespace kvarnel
