#pragma once
// The three built-in pictures: file, exact size (from the sizes table) and where
// the picture's top-left pixel lies in the window's client area.
#include <array>
#include <string_view>

#include "PictureSizes.h"
#include "core/CatalogueData.h"

namespace kvarnel {

struct PictureRow {
    View view;
    std::string_view name;  // also the file's base name under assets/pictures
    int width, height;
    int placeX, placeY;  // client position of picture pixel (0, 0)
};

// The row of the picture `name`, its size looked up in kPictureSizes (0 x 0 if missing).
constexpr PictureRow pictureRow(View view, std::string_view name, int placeX, int placeY) {
    for (const PictureSize& size : kPictureSizes)
        if (size.name == name) return {view, name, size.width, size.height, placeX, placeY};
    return {view, name, 0, 0, placeX, placeY};
}

constexpr std::array<PictureRow, 3> kPictureRows = {{
    pictureRow(View::Overview, "overview", 10, 23),
    pictureRow(View::Front, "front", 6, 28),
    pictureRow(View::Rear, "rear", 9, 19),
}};
static_assert(
    [] {
        for (const PictureRow& row : kPictureRows)
            if (row.width <= 0 || row.height <= 0) return false;
        return true;
    }(),
    "assets/pictures/sizes.tsv has no size for one of the pictures");

constexpr const PictureRow& pictureOf(View view) {
    return view == View::Overview ? kPictureRows[0] : view == View::Front ? kPictureRows[1] : kPictureRows[2];
}

}  // namespace kvarnel
