#pragma once
// The three built-in pictures: file, exact size and where the picture's top-left
// pixel lies in the window's client area.
#include <array>
#include <string_view>

#include "core/CatalogueData.h"

namespace kvarnel {

struct PictureRow {
    View view;
    std::string_view name;  // also the file's base name under assets/pictures
    int width, height;
    int placeX, placeY;  // client position of picture pixel (0, 0)
};

constexpr std::array<PictureRow, 3> kPictureRows = {{
    {View::Overview, "overview", 1005, 523, 10, 23},
    {View::Front, "front", 1006, 523, 6, 28},
    {View::Rear, "rear", 1006, 524, 9, 19},
}};

constexpr const PictureRow& pictureOf(View view) {
    return view == View::Overview ? kPictureRows[0] : view == View::Front ? kPictureRows[1] : kPictureRows[2];
}

}  // namespace kvarnel
