// The program icon: a 32 x 32, 16-colour image; a red square inside a white
// margin of 2 pixels, with white letters above a white underline. The PNGs of
// the desktop entry are the same image enlarged.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <algorithm>

#include "AssetFiles.h"
#include "IcoImage.h"

using namespace kvarnel;

namespace {

constexpr int kSize = 32;
constexpr int kMargin = 2;
const Rgb kWhite{255, 255, 255};
const Rgb kRed{255, 0, 0};

bool inMargin(int x, int y) {
    return x < kMargin || y < kMargin || x >= kSize - kMargin || y >= kSize - kMargin;
}

class Icon : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        const auto bytes = AssetFiles::read("icon/kvarnel.ico", &error);
        ASSERT_TRUE(bytes) << error;
        auto read = IcoImage::read32(*bytes, &error);
        ASSERT_TRUE(read) << error;
        ico = std::move(*read);
    }
    IcoImage ico;
};

// Length of the longest run of white pixels in row y of the red square.
int longestWhiteRun(const RgbImage& image, int y) {
    int best = 0, run = 0;
    for (int x = kMargin; x < kSize - kMargin; ++x) {
        run = image.at(x, y) == kWhite ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

}  // namespace

TEST_F(Icon, IsA16ColourBitmapOf32By32) {
    EXPECT_EQ(ico.bitCount, 4);
    EXPECT_EQ(ico.colourCount, 16);
    EXPECT_EQ(ico.image.width(), kSize);
    EXPECT_EQ(ico.image.height(), kSize);
}

TEST_F(Icon, HasAWhiteMarginOfTwoPixelsAroundARedSquare) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Rgb c = ico.image.at(x, y);
            if (inMargin(x, y)) {
                EXPECT_EQ(c, kWhite) << "margin pixel (" << x << ", " << y << ")";
            } else {
                EXPECT_TRUE(c == kRed || c == kWhite)
                    << "pixel (" << x << ", " << y << ") is neither red nor white";
            }
        }
    // The square's own edge is red all round, so the margin is exactly 2 pixels.
    for (int i = kMargin; i < kSize - kMargin; ++i) {
        EXPECT_EQ(ico.image.at(i, kMargin), kRed) << "top edge " << i;
        EXPECT_EQ(ico.image.at(i, kSize - kMargin - 1), kRed) << "bottom edge " << i;
        EXPECT_EQ(ico.image.at(kMargin, i), kRed) << "left edge " << i;
        EXPECT_EQ(ico.image.at(kSize - kMargin - 1, i), kRed) << "right edge " << i;
    }
}

TEST_F(Icon, CarriesWhiteLettersAboveAWhiteUnderline) {
    int underline = -1;
    for (int y = kSize - kMargin - 1; y >= kMargin && underline < 0; --y)
        if (longestWhiteRun(ico.image, y) >= 16) underline = y;
    ASSERT_GE(underline, 0) << "no white underline of at least 16 pixels";
    // Rows of letters above the underline, with a red gap between them and it.
    int letterRows = 0, gapRows = 0;
    int y = underline - 1;
    while (y >= kMargin && longestWhiteRun(ico.image, y) >= 16) --y;  // a thick underline
    while (y >= kMargin && longestWhiteRun(ico.image, y) == 0) {
        ++gapRows;
        --y;
    }
    for (; y >= kMargin; --y)
        if (longestWhiteRun(ico.image, y) > 0) ++letterRows;
    EXPECT_GE(gapRows, 1) << "the letters touch the underline";
    EXPECT_GE(letterRows, 10) << "too few rows of white letters above the underline";
}

class IconPng : public Icon, public ::testing::WithParamInterface<int> {};

TEST_P(IconPng, IsTheIconEnlarged) {
    const int n = GetParam();
    const QString file =
        QString::fromStdString(AssetFiles::path("icon/kvarnel-" + std::to_string(n) + ".png"));
    const QImage png(file);
    ASSERT_FALSE(png.isNull()) << file.toStdString() << " cannot be read";
    ASSERT_EQ(png.width(), n);
    ASSERT_EQ(png.height(), n);
    int wrong = 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const QRgb p = png.pixel(x, y);
            const Rgb expected = ico.image.at(x * kSize / n, y * kSize / n);
            if (qRed(p) != expected.r || qGreen(p) != expected.g || qBlue(p) != expected.b ||
                qAlpha(p) != 255)
                ++wrong;
        }
    EXPECT_EQ(wrong, 0) << file.toStdString() << " differs from the icon in " << wrong << " pixels";
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconPng, ::testing::Values(32, 64, 128, 256));
