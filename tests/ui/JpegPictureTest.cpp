// TurboJPEG decoding from memory, its laziness and its failures, and the
// pictures read from a directory.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "DrawingTestSupport.h"
#include "ui/drawing/JpegPicture.h"
#include "ui/drawing/PictureResources.h"

namespace kvarnel {
namespace {

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

TEST(JpegDecode, SizeComesFromTheHeaderWithoutDecoding) {
    const JpegPicture picture(jpegStream(gradientImage({1006, 523})));
    EXPECT_EQ(picture.size(), QSize(1006, 523));
    EXPECT_FALSE(picture.isDecoded());
    EXPECT_EQ(picture.decodeCount(), 0);
}

TEST(JpegDecode, DecodesOnFirstUseOnceAndKeepsTheImage) {
    const JpegPicture picture(jpegStream(gradientImage({64, 48})));
    const QImage& first = picture.image();
    const qint64 key = first.cacheKey();
    const QImage& second = picture.image();
    EXPECT_TRUE(picture.isDecoded());
    EXPECT_EQ(picture.decodeCount(), 1);
    EXPECT_EQ(second.cacheKey(), key);
    EXPECT_EQ(&first, &second);
    EXPECT_TRUE(picture.error().isEmpty());
}

// Decoding ahead on a worker thread gives what the first draw would have decoded,
// once: a later draw, or asking again, does not decode a second time.
TEST(JpegDecode, DecodeAheadGivesTheSameImageOnce) {
    const QByteArray stream = jpegStream(noiseImage({300, 200}, 7), 90);
    const JpegPicture picture(stream);
    picture.decodeAhead();
    EXPECT_TRUE(picture.isDecoded());
    picture.decodeAhead();
    const QImage& image = picture.image();
    EXPECT_EQ(image, JpegPicture::decode(stream));
    EXPECT_EQ(&picture.image(), &image);
    picture.decodeAhead();
    EXPECT_EQ(picture.decodeCount(), 1);
    EXPECT_TRUE(picture.error().isEmpty());
}

TEST(JpegDecode, DecodeAheadOfABrokenStreamGivesANullImageAndAReason) {
    const JpegPicture picture(QByteArray("not a picture at all"));
    picture.decodeAhead();
    EXPECT_TRUE(picture.image().isNull());
    EXPECT_FALSE(picture.error().isEmpty());
    EXPECT_EQ(picture.decodeCount(), 1);
}

struct BadStream {
    const char* what;
    QByteArray bytes;
};

class JpegFailureTest : public ::testing::TestWithParam<BadStream> {};

TEST_P(JpegFailureTest, GivesANullImageAndAReasonOnce) {
    const JpegPicture picture(GetParam().bytes);
    EXPECT_TRUE(picture.image().isNull()) << GetParam().what;
    EXPECT_FALSE(picture.error().isEmpty()) << GetParam().what;
    EXPECT_TRUE(picture.size().isEmpty()) << GetParam().what;
    picture.image();
    EXPECT_EQ(picture.decodeCount(), 1) << GetParam().what;
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
    const PictureResources resources(dir.path());
    for (const auto& p : pictures) {
        EXPECT_FALSE(resources.picture(p.view).isDecoded());
        EXPECT_EQ(resources.picture(p.view).size(), p.size);
        EXPECT_EQ(resources.picture(p.view).image().size(), p.size);
    }
    EXPECT_EQ(&resources.overview(), &resources.picture(View::Overview));
    EXPECT_EQ(&resources.front(), &resources.picture(View::Front));
    EXPECT_EQ(&resources.rear(), &resources.picture(View::Rear));
}

TEST(PictureResources, MissingFileDrawsNothingAndSaysWhy) {
    QTemporaryDir dir;
    const PictureResources resources(dir.path());
    EXPECT_TRUE(resources.rear().stream().isEmpty());
    EXPECT_TRUE(resources.rear().image().isNull());
    EXPECT_FALSE(resources.rear().error().isEmpty());
}

}  // namespace
}  // namespace kvarnel
