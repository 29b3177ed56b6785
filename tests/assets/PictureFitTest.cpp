// The pictures fit the catalogue's fixed coordinates: every hotspot's centre lies
// on a red leader dot of the overview, and every marker's box in the picture of
// its node's view is well filled by the drawing of the part.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "AssetFiles.h"
#include "PictureTable.h"
#include "RgbImage.h"
#include "RowPrinters.h"
#include "core/Catalogue.h"

using namespace kvarnel;

namespace {

constexpr int kHotspotCentre = 7;             // centre of the 15 x 15 hotspot box
constexpr int kDrawnBelow = 230;              // a pixel with any channel below this is drawn, not paper
constexpr int kMinDrawnFifths = 1;            // at least a fifth of a marker's box is drawn
constexpr int kDoubledGap = 96;               // a layout pixel and its 2 x 2 device pixels differ clearly
constexpr int kDoubledDifferingPerMille = 5;  // measured: 1.2 to 2.0

struct Decoded {
    std::optional<RgbImage> image;
    std::string error;
};

// Decoded once per picture for the whole test program.
const Decoded& decoded(View view) {
    static std::map<View, Decoded> cache;
    auto it = cache.find(view);
    if (it == cache.end()) {
        Decoded d;
        const std::string file = "pictures/" + std::string(pictureOf(view).name) + ".jpg";
        if (const auto bytes = AssetFiles::read(file, &d.error)) {
            d.image = RgbImage::decodeJpeg(*bytes, &d.error);
            if (!d.image) d.error = file + ": " + d.error;
        }
        it = cache.emplace(view, std::move(d)).first;
    }
    return it->second;
}

View viewOfMarker(const MarkerRow& m) { return Catalogue::standard().view(m.shownFor[0]); }

std::string paramName(std::string_view s) { return std::string(s); }

}  // namespace

class HotspotOnDot : public ::testing::TestWithParam<HotspotRow> {};

TEST_P(HotspotOnDot, CentrePixelIsTheLeaderDotsRed) {
    const HotspotRow& h = GetParam();
    const Decoded& pic = decoded(View::Overview);
    ASSERT_TRUE(pic.image) << pic.error;
    const PictureRow& row = pictureOf(View::Overview);
    const int x = h.left + kHotspotCentre - row.placeX, y = h.top + kHotspotCentre - row.placeY;
    ASSERT_TRUE(x >= 0 && y >= 0 && x < pic.image->width() && y < pic.image->height())
        << h.name << " centre (" << x << ", " << y << ") lies outside the overview";
    const Rgb c = pic.image->at(x, y);
    EXPECT_TRUE(c.r > 200 && c.g < 70 && c.b < 70)
        << h.name << " centre at overview pixel (" << x << ", " << y << ") is RGB(" << c.r << ", " << c.g
        << ", " << c.b << "), not the red of a leader dot";
}

INSTANTIATE_TEST_SUITE_P(AllHotspots, HotspotOnDot, ::testing::ValuesIn(Catalogue::standard().hotspots()),
                         [](const auto& info) { return paramName(info.param.name); });

class MarkerAroundPart : public ::testing::TestWithParam<MarkerRow> {};

TEST_P(MarkerAroundPart, BoxInItsViewIsWellFilledByTheDrawing) {
    const MarkerRow& m = GetParam();
    const View view = viewOfMarker(m);
    if (m.shownFor[1] != 0) {
        ASSERT_EQ(Catalogue::standard().view(m.shownFor[1]), view) << m.name << " is shown over two pictures";
    }
    const Decoded& pic = decoded(view);
    ASSERT_TRUE(pic.image) << pic.error;
    const PictureRow& row = pictureOf(view);
    const int x0 = std::max(0, m.left - row.placeX), y0 = std::max(0, m.top - row.placeY);
    const int x1 = std::min(pic.image->width(), m.left + m.width - row.placeX);
    const int y1 = std::min(pic.image->height(), m.top + m.height - row.placeY);
    ASSERT_TRUE(x1 > x0 && y1 > y0) << m.name << " does not overlap the " << row.name << " picture";

    long drawn = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb c = pic.image->at(x, y);
            if (std::min({c.r, c.g, c.b}) < kDrawnBelow) ++drawn;
        }
    const long area = static_cast<long>(x1 - x0) * (y1 - y0);
    EXPECT_GE(drawn * 5, area * kMinDrawnFifths)
        << m.name << " over the " << row.name << " picture, pixels (" << x0 << ", " << y0 << ") to ("
        << x1 - 1 << ", " << y1 - 1 << "): only " << drawn << " of " << area << " pixels are drawn";
}

INSTANTIATE_TEST_SUITE_P(AllMarkers, MarkerAroundPart, ::testing::ValuesIn(Catalogue::standard().markers()),
                         [](const auto& info) { return paramName(info.param.name); });

// The double-size rendering for hi-DPI screens shows the same drawing: each
// layout pixel matches the mean of its 2 x 2 device pixels, apart from the
// edges that the two renderings anti-alias differently. A drawing changed and
// rendered at one size only fails here.
class DoubledPicture : public ::testing::TestWithParam<PictureRow> {};

TEST_P(DoubledPicture, ShowsTheSameDrawingAsThePictureAtLayoutSize) {
    const PictureRow& row = GetParam();
    const Decoded& layout = decoded(row.view);
    ASSERT_TRUE(layout.image) << layout.error;
    std::string error;
    const std::string file = "pictures/" + std::string(row.name) + "@2x.jpg";
    const auto bytes = AssetFiles::read(file, &error);
    ASSERT_TRUE(bytes) << error;
    const auto fine = RgbImage::decodeJpeg(*bytes, &error);
    ASSERT_TRUE(fine) << file << ": " << error;
    ASSERT_EQ(fine->width(), 2 * layout.image->width()) << file;
    ASSERT_EQ(fine->height(), 2 * layout.image->height()) << file;
    long differing = 0;
    for (int y = 0; y < layout.image->height(); ++y)
        for (int x = 0; x < layout.image->width(); ++x) {
            const Rgb a = fine->at(2 * x, 2 * y), b = fine->at(2 * x + 1, 2 * y);
            const Rgb c = fine->at(2 * x, 2 * y + 1), d = fine->at(2 * x + 1, 2 * y + 1);
            const Rgb mean{(a.r + b.r + c.r + d.r) / 4, (a.g + b.g + c.g + d.g) / 4,
                           (a.b + b.b + c.b + d.b) / 4};
            const Rgb here = layout.image->at(x, y);
            const int gap =
                std::max({std::abs(mean.r - here.r), std::abs(mean.g - here.g), std::abs(mean.b - here.b)});
            if (gap > kDoubledGap) ++differing;
        }
    const long total = static_cast<long>(layout.image->width()) * layout.image->height();
    EXPECT_LE(differing * 1000, total * kDoubledDifferingPerMille)
        << file << ": " << differing << " of " << total << " pixels differ by more than " << kDoubledGap;
}

INSTANTIATE_TEST_SUITE_P(Pictures, DoubledPicture, ::testing::ValuesIn(kPictureRows),
                         [](const auto& info) { return std::string(info.param.name); });
