// The headers of the three committed pictures, read marker by marker: exact size,
// baseline frame, 8 bits, three components sampled 2x2 / 1x1 / 1x1, JFIF 1.01 at
// 96 dots per inch. The first tests check the reader itself on made-up streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AssetFiles.h"
#include "JpegHeader.h"
#include "PictureTable.h"
#include "RowPrinters.h"

using namespace kvarnel;

namespace {

std::string segment(int marker, const std::string& body) {
    const std::size_t length = body.size() + 2;
    return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xFF)} +
           body;
}

std::string jfif(int major, int minor, int units, int density) {
    return segment(
        0xE0, std::string("JFIF\0", 5) +
                  std::string{static_cast<char>(major), static_cast<char>(minor), static_cast<char>(units),
                              static_cast<char>(density >> 8), static_cast<char>(density & 0xFF),
                              static_cast<char>(density >> 8), static_cast<char>(density & 0xFF), 0, 0});
}

std::string frame(int marker, int width, int height) {
    return segment(marker, std::string{8, static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
                                       static_cast<char>(width >> 8), static_cast<char>(width & 0xFF), 3, 1,
                                       0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
}

const std::string kSoi = "\xFF\xD8";
const std::string kScan = segment(0xDA, std::string{3, 1, 0, 2, 0x11, 3, 0x11, 0, 63, 0});

}  // namespace

TEST(JpegHeaderReader, ReadsFrameAndJfifFieldsOfABaselineStream) {
    const std::string stream = kSoi + jfif(1, 1, 1, 96) + segment(0xDB, std::string(65, '\1')) +
                               frame(0xC0, 1005, 523) + kScan + "\x12\x34\xFF\xD9";
    std::string error;
    const auto h = JpegHeader::parse(stream, &error);
    ASSERT_TRUE(h) << error;
    EXPECT_EQ(h->frameMarker, 0xC0);
    EXPECT_EQ(h->frameCount, 1);
    EXPECT_EQ(h->width, 1005);
    EXPECT_EQ(h->height, 523);
    EXPECT_EQ(h->precision, 8);
    ASSERT_EQ(h->components.size(), 3u);
    EXPECT_EQ(h->components[0].horizontal, 2);
    EXPECT_EQ(h->components[0].vertical, 2);
    EXPECT_EQ(h->components[2].horizontal, 1);
    EXPECT_TRUE(h->jfifFirst);
    EXPECT_EQ(h->jfifMajor, 1);
    EXPECT_EQ(h->jfifMinor, 1);
    EXPECT_EQ(h->densityUnits, 1);
    EXPECT_EQ(h->xDensity, 96);
}

TEST(JpegHeaderReader, TellsProgressiveFramesAndLateJfifApart) {
    const auto progressive = JpegHeader::parse(kSoi + jfif(1, 2, 0, 72) + frame(0xC2, 10, 20) + kScan);
    ASSERT_TRUE(progressive);
    EXPECT_EQ(progressive->frameMarker, 0xC2);
    EXPECT_EQ(progressive->jfifMinor, 2);
    // A JFIF segment that does not follow SOI directly does not count.
    const auto late =
        JpegHeader::parse(kSoi + segment(0xE1, "Exif") + jfif(1, 1, 1, 96) + frame(0xC0, 10, 20) + kScan);
    ASSERT_TRUE(late);
    EXPECT_FALSE(late->jfifFirst);
}

TEST(JpegHeaderReader, SkipsFillBytesBeforeAMarker) {
    const auto h = JpegHeader::parse(kSoi + jfif(1, 1, 1, 96) + "\xFF\xFF" + frame(0xC0, 7, 9) + kScan);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->width, 7);
}

TEST(JpegHeaderReader, RejectsBrokenStreams) {
    EXPECT_FALSE(JpegHeader::parse("GIF89a"));
    EXPECT_FALSE(JpegHeader::parse(kSoi + jfif(1, 1, 1, 96)));                  // ends before a scan
    EXPECT_FALSE(JpegHeader::parse(kSoi + jfif(1, 1, 1, 96) + kScan));          // scan without frame
    EXPECT_FALSE(JpegHeader::parse((kSoi + frame(0xC0, 7, 9)).substr(0, 12)));  // cut inside a segment
    EXPECT_FALSE(JpegHeader::parse(kSoi + jfif(1, 1, 1, 96) + "\xFF\xD9"));     // EOI first
}

// Each picture at the layout's size and at each larger scale of the sizes table
// (for hi-DPI screens): scale times the width, the height and the density.
struct ScaledPicture {
    PictureRow row;
    int scale;
};

void PrintTo(const ScaledPicture& p, std::ostream* os) { *os << p.row.name << " x" << p.scale; }

std::vector<ScaledPicture> scaledPictures() {
    std::vector<ScaledPicture> all;
    for (int scale : kPictureScales)
        for (const PictureRow& row : kPictureRows) all.push_back({row, scale});
    return all;
}

class PictureHeader : public ::testing::TestWithParam<ScaledPicture> {};

TEST_P(PictureHeader, IsExactlyTheStreamThatTheWindowExpects) {
    const PictureRow& row = GetParam().row;
    const int scale = GetParam().scale;
    const std::string file =
        "pictures/" + std::string(row.name) + (scale == 1 ? "" : "@" + std::to_string(scale) + "x") + ".jpg";
    std::string error;
    const auto bytes = AssetFiles::read(file, &error);
    ASSERT_TRUE(bytes) << error;
    const auto h = JpegHeader::parse(*bytes, &error);
    ASSERT_TRUE(h) << file << ": " << error;

    EXPECT_EQ(h->width, row.width * scale) << file;
    EXPECT_EQ(h->height, row.height * scale) << file;
    EXPECT_EQ(h->frameCount, 1) << file;
    EXPECT_EQ(h->frameMarker, 0xC0) << file << ": not a baseline (SOF0) frame";
    EXPECT_EQ(h->precision, 8) << file;
    ASSERT_EQ(h->components.size(), 3u) << file;
    EXPECT_EQ(h->components[0].horizontal, 2) << file << ": luminance";
    EXPECT_EQ(h->components[0].vertical, 2) << file << ": luminance";
    for (std::size_t c = 1; c < 3; ++c) {
        EXPECT_EQ(h->components[c].horizontal, 1) << file << ": chrominance " << c;
        EXPECT_EQ(h->components[c].vertical, 1) << file << ": chrominance " << c;
    }
    EXPECT_TRUE(h->jfifFirst) << file << ": no JFIF segment right after SOI";
    EXPECT_EQ(h->jfifMajor, 1) << file;
    EXPECT_EQ(h->jfifMinor, 1) << file;
    EXPECT_EQ(h->densityUnits, 1) << file << ": density not in dots per inch";
    EXPECT_EQ(h->xDensity, 96 * scale) << file;
    EXPECT_EQ(h->yDensity, 96 * scale) << file;
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureHeader, ::testing::ValuesIn(scaledPictures()),
                         [](const auto& info) {
                             const int scale = info.param.scale;
                             return std::string(info.param.row.name) +
                                    (scale == 1 ? "" : "_" + std::to_string(scale) + "x");
                         });
