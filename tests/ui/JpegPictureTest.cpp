// TurboJPEG decoding from memory and its failures, a picture decoded for the
// screen on its first paint or ahead of it, and the pictures read from a directory.
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "DrawingTestSupport.h"
#include "ui/drawing/JpegPicture.h"
#include "ui/drawing/PictureResources.h"
#include "ui/drawing/ScreenPicture.h"

namespace kvarnel {
namespace {

using testing::CountingDecoder;
using testing::jpegStream;
using testing::noiseImage;

// A smooth picture with a hard edge: JPEG keeps it close; odd sizes test padding.
QImage gradientImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(
                x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), x < size.width() / 2 ? 40 : 200));
    return image;
}

struct Difference {
    int largest = 0;
    double mean = 0;
};

// Compares the columns outside [skipFrom, skipTo).
Difference compare(const QImage& a, const QImage& b, int skipFrom = 0, int skipTo = 0) {
    Difference d;
    double sum = 0;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (x >= skipFrom && x < skipTo) continue;
            ++count;
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (int diff : {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))}) {
                d.largest = std::max(d.largest, diff);
                sum += diff;
            }
        }
    d.mean = sum / (3.0 * count);
    return d;
}

TEST(JpegDecode, GeneratedStreamDecodesToItsSourceWithinJpegTolerance) {
    const QImage source = gradientImage({203, 117});
    const QImage decoded = JpegPicture::decode(jpegStream(source, 95));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), source.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    const Difference all = compare(source, decoded);
    EXPECT_LT(all.mean, 2.0);
    // Away from the hard edge in the middle (ringing, halved chrominance) it is close.
    const Difference smooth = compare(source, decoded, 101 - 8, 101 + 8);
    EXPECT_LE(smooth.largest, 12);
    // Colour channels are not swapped: a strongly red corner stays red.
    const QRgb right = decoded.pixel(200, 5);
    EXPECT_GT(qRed(right), 200);
    EXPECT_LT(qGreen(right), 40);
    EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), 255);
}

TEST(JpegDecode, SizeComesFromTheHeader) {
    const JpegPicture picture(jpegStream(gradientImage({1006, 523})));
    EXPECT_EQ(picture.size(), QSize(1006, 523));
}

// What a paint at `ratio` draws, on white.
QImage paintedAt(ScreenPicture& picture, QSize size, qreal ratio = 1) {
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.paint(painter, {0, 0});
    return image;
}

// Decoded on the first paint at a density, once; another density needs another decode.
TEST(ScreenPicture, DecodesOnTheFirstPaintOnceAndKeepsTheImage) {
    CountingDecoder counter;
    const JpegPicture stream(jpegStream(gradientImage({64, 48})));
    ScreenPicture picture(stream, JpegPicture(), counter.decoder());
    EXPECT_EQ(picture.size(), QSize(64, 48));
    EXPECT_EQ(counter.count(stream.stream()), 0) << "the size comes from the header";
    const QImage first = paintedAt(picture, {64, 48});
    EXPECT_EQ(paintedAt(picture, {64, 48}), first);
    EXPECT_EQ(first, stream.decode());
    EXPECT_EQ(counter.count(stream.stream()), 1);
    EXPECT_TRUE(picture.error().isEmpty());
    paintedAt(picture, {64, 48}, 2);
    EXPECT_EQ(counter.count(stream.stream()), 2);
}

struct AheadCase {
    const char* what;
    qreal ratio;
};

class ScreenPictureAheadTest : public ::testing::TestWithParam<AheadCase> {};

// Made ahead on a worker thread, the picture gives what the first paint would
// have made, from one decode: a later paint, or asking again, decodes nothing more.
TEST_P(ScreenPictureAheadTest, GivesTheSameFrameFromOneDecode) {
    const AheadCase& c = GetParam();
    CountingDecoder counter;
    const JpegPicture small(jpegStream(noiseImage({150, 100}, 7), 90));
    const JpegPicture doubled(jpegStream(noiseImage({300, 200}, 8), 90));
    ScreenPicture direct(small, doubled);
    const QImage expected = paintedAt(direct, {150, 100}, c.ratio);
    ScreenPicture ahead(small, doubled, counter.decoder());
    ahead.prepareAhead(c.ratio, {0, 0});
    ahead.prepareAhead(c.ratio, {0, 0});
    EXPECT_EQ(paintedAt(ahead, {150, 100}, c.ratio), expected) << c.what;
    ahead.prepareAhead(c.ratio, {0, 0});
    EXPECT_EQ(paintedAt(ahead, {150, 100}, c.ratio), expected) << c.what;
    EXPECT_EQ(counter.count(small.stream()) + counter.count(doubled.stream()), 1) << c.what;
    EXPECT_EQ(counter.count(c.ratio > 1 ? doubled.stream() : small.stream()), 1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Densities, ScreenPictureAheadTest,
                         ::testing::Values(AheadCase{"96 dpi", 1}, AheadCase{"resampled once", 1.5},
                                           AheadCase{"double size", 2}));

// A broken stream draws nothing, says why, and is not decoded again at every paint.
TEST(ScreenPicture, ABrokenStreamDrawsNothingAndSaysWhyOnce) {
    for (bool ahead : {false, true}) {
        CountingDecoder counter;
        const JpegPicture broken(QByteArray("not a picture at all"));
        ScreenPicture picture(broken, JpegPicture(), counter.decoder());
        if (ahead) picture.prepareAhead(1, {0, 0});
        QImage white(20, 20, QImage::Format_RGB32);
        white.fill(Qt::white);
        EXPECT_EQ(paintedAt(picture, {20, 20}), white) << ahead;
        EXPECT_EQ(paintedAt(picture, {20, 20}), white) << ahead;
        EXPECT_FALSE(picture.error().isEmpty()) << ahead;
        EXPECT_EQ(counter.count(broken.stream()), 1) << ahead;
    }
}

struct BadStream {
    const char* what;
    QByteArray bytes;
};

class JpegFailureTest : public ::testing::TestWithParam<BadStream> {};

TEST_P(JpegFailureTest, GivesANullImageAndAReason) {
    const JpegPicture picture(GetParam().bytes);
    QString error;
    EXPECT_TRUE(picture.decode(&error).isNull()) << GetParam().what;
    EXPECT_FALSE(error.isEmpty()) << GetParam().what;
    EXPECT_TRUE(picture.size().isEmpty()) << GetParam().what;
}

QByteArray withoutStart(QByteArray bytes) { return bytes.mid(2); }

INSTANTIATE_TEST_SUITE_P(
    Streams, JpegFailureTest,
    ::testing::Values(BadStream{"empty", {}},
                      BadStream{"not a JPEG", QByteArray("GIF89a, certainly not a JPEG stream")},
                      BadStream{"no start marker", withoutStart(jpegStream(gradientImage({16, 16})))}));

TEST(JpegDecode, StreamCutShortStillGivesAWholePictureOrNone) {
    const QByteArray whole = jpegStream(gradientImage({120, 90}));
    for (int length : {int(whole.size()) / 2, int(whole.size()) - 2, 40}) {
        QString error;
        const QImage image = JpegPicture::decode(whole.left(length), &error);
        if (image.isNull())
            EXPECT_FALSE(error.isEmpty()) << length;
        else
            EXPECT_EQ(image.size(), QSize(120, 90)) << length;
    }
}

TEST(PictureResources, ReadsTheThreeStreamsFromItsDirectory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        View view;
        QSize size;
    } pictures[] = {{View::Overview, {1005, 523}}, {View::Front, {1006, 523}}, {View::Rear, {1006, 524}}};
    for (const auto& p : pictures) {
        QFile file(dir.filePath(PictureResources::fileName(p.view)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(jpegStream(gradientImage(p.size), 80));
    }
    PictureResources resources(dir.path());
    for (const auto& p : pictures) {
        EXPECT_EQ(resources.picture(p.view).size(), p.size);
        const QImage drawn = paintedAt(resources.picture(p.view), p.size);
        EXPECT_EQ(drawn, JpegPicture::decode(jpegStream(gradientImage(p.size), 80)));
    }
}

TEST(PictureResources, MissingFileDrawsNothingAndSaysWhy) {
    QTemporaryDir dir;
    PictureResources resources(dir.path());
    ScreenPicture& rear = resources.picture(View::Rear);
    EXPECT_TRUE(rear.size().isEmpty());
    QImage white(20, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(paintedAt(rear, {20, 20}), white);
    EXPECT_FALSE(rear.error().isEmpty());
}

}  // namespace
}  // namespace kvarnel
