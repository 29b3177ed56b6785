#pragma once
// Row types of the built-in catalogue tables (see CatalogueData.cpp).
#include <array>
#include <string_view>

namespace kvarnel {

using NodeNumber = int;
constexpr int kNodeCount = 39;
constexpr int kHotspotCount = 50;
constexpr int kMarkerCount = 54;
constexpr int kMaxMarkersPerNode = 5;

// The picture shown while a node is held in study mode.
enum class View { Overview, Front, Rear };
enum class Outline { Red, Blue };

struct NodeRow {
    NodeNumber number;
    std::string_view name;      // hint of the node's hotspots (trailing blanks kept)
    std::string_view question;  // compared byte for byte by the answer check
    View view;
};

struct HotspotRow {
    std::string_view name;  // ShapeV<n> or ShapeV<n>_<k>
    NodeNumber node;
    int left, top;  // client coordinates of the 15 x 15 box
    std::string_view hint;
};

struct MarkerRow {
    std::string_view name;  // ShapeM<n> or ShapeM<n>_<k>
    int left, top, width, height;
    Outline outline;
    std::array<NodeNumber, 2> shownFor;  // 0 where fewer than two nodes show it
};

struct NodeMarkersRow {
    NodeNumber node;
    std::array<std::string_view, kMaxMarkersPerNode> markers;  // empty names pad the row
};

struct PanelRow {
    NodeNumber node;
    std::string_view name;  // MemoV<n>
    int left, top, width, height;
    int fontHeight;  // character height in pixels
};

extern const std::array<NodeRow, kNodeCount> kNodeRows;
extern const std::array<HotspotRow, kHotspotCount> kHotspotRows;
extern const std::array<MarkerRow, kMarkerCount> kMarkerRows;
extern const std::array<NodeMarkersRow, kNodeCount> kNodeMarkerRows;
extern const std::array<PanelRow, kNodeCount> kPanelRows;
extern const std::array<std::string_view, kHotspotCount + kMarkerCount> kShapeStacking;

}  // namespace kvarnel
