#pragma once
// How GoogleTest names a table row in its messages (instead of dumping its bytes).
#include <ostream>

#include "PictureTable.h"
#include "core/CatalogueData.h"

namespace kvarnel {

inline void PrintTo(const PictureRow& row, std::ostream* os) { *os << row.name; }
inline void PrintTo(const HotspotRow& row, std::ostream* os) {
    *os << row.name << " (" << row.left << ", " << row.top << ")";
}
inline void PrintTo(const MarkerRow& row, std::ostream* os) {
    *os << row.name << " (" << row.left << ", " << row.top << ", " << row.width << " x " << row.height << ")";
}
inline void PrintTo(const PanelRow& row, std::ostream* os) { *os << row.name; }

}  // namespace kvarnel
