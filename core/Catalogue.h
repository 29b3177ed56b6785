#pragma once
// Read-only lookups over the built-in node catalogue.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CatalogueData.h"

namespace kvarnel {

class Catalogue {
public:
    // The catalogue compiled into the program; built once, never changed.
    static const Catalogue& standard();

    const NodeRow& node(NodeNumber n) const;  // throws std::out_of_range outside 1..39
    std::string_view name(NodeNumber n) const { return node(n).name; }
    std::string_view question(NodeNumber n) const { return node(n).question; }
    View view(NodeNumber n) const { return node(n).view; }
    std::vector<const HotspotRow*> hotspotsOf(NodeNumber n) const;
    std::vector<const MarkerRow*> markersOf(NodeNumber n) const;  // in the order they are shown
    const PanelRow& panel(NodeNumber n) const;

    const HotspotRow* hotspot(std::string_view name) const;  // nullptr when unknown
    const MarkerRow* marker(std::string_view name) const;
    std::optional<NodeNumber> nodeOfHotspot(std::string_view name) const;

    // The whole hotspot group in group order: by node, further hotspots after the first.
    const std::array<HotspotRow, kHotspotCount>& hotspots() const { return kHotspotRows; }
    const std::array<MarkerRow, kMarkerCount>& markers() const { return kMarkerRows; }
    const std::array<PanelRow, kNodeCount>& panels() const { return kPanelRows; }
    // The 104 hotspots and markers from bottom to top.
    const std::array<std::string_view, kHotspotCount + kMarkerCount>& stacking() const {
        return kShapeStacking;
    }
    // Question texts of nodes 1..39 (index 0 is node 1).
    std::vector<std::string> questions() const;

private:
    Catalogue() = default;
};

}  // namespace kvarnel
