#include "Catalogue.h"

#include <stdexcept>

namespace kvarnel {

const Catalogue& Catalogue::standard() {
    static const Catalogue catalogue;
    return catalogue;
}

const NodeRow& Catalogue::node(NodeNumber n) const {
    if (n < 1 || n > kNodeCount) throw std::out_of_range("node number out of range");
    return kNodeRows[static_cast<std::size_t>(n - 1)];
}

std::vector<const HotspotRow*> Catalogue::hotspotsOf(NodeNumber n) const {
    node(n);
    std::vector<const HotspotRow*> result;
    for (const auto& row : kHotspotRows)
        if (row.node == n) result.push_back(&row);
    return result;
}

std::vector<const MarkerRow*> Catalogue::markersOf(NodeNumber n) const {
    node(n);
    std::vector<const MarkerRow*> result;
    for (std::string_view markerName : kNodeMarkerRows[static_cast<std::size_t>(n - 1)].markers)
        if (!markerName.empty()) result.push_back(marker(markerName));
    return result;
}

const PanelRow& Catalogue::panel(NodeNumber n) const {
    node(n);
    return kPanelRows[static_cast<std::size_t>(n - 1)];
}

const HotspotRow* Catalogue::hotspot(std::string_view name) const {
    for (const auto& row : kHotspotRows)
        if (row.name == name) return &row;
    return nullptr;
}

const MarkerRow* Catalogue::marker(std::string_view name) const {
    for (const auto& row : kMarkerRows)
        if (row.name == name) return &row;
    return nullptr;
}

std::optional<NodeNumber> Catalogue::nodeOfHotspot(std::string_view name) const {
    if (const HotspotRow* row = hotspot(name)) return row->node;
    return std::nullopt;
}

std::vector<std::string> Catalogue::questions() const {
    std::vector<std::string> result;
    result.reserve(kNodeCount);
    for (const auto& row : kNodeRows) result.emplace_back(row.question);
    return result;
}

}  // namespace kvarnel
