#pragma once
// Aligned columns of UTF-8 cells, two spaces apart. Laid out in two passes
// over the same rows, so that a table of 100 000 records is not copied:
// first every row is fitted, then every row is appended.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvarnel {

class TextTable {
public:
    // A column is never padded wider than this: one very long cell (a 100 KB
    // surname) is printed whole but does not push every other row aside.
    static constexpr std::size_t kMaxColumnWidth = 40;

    explicit TextTable(std::vector<bool> rightAligned);
    // Widens the columns to take the row. Missing cells are empty, extra ones dropped.
    void fit(const std::vector<std::string_view>& row);
    // The row padded to the fitted widths, ending in "\n", without trailing spaces.
    void append(const std::vector<std::string_view>& row, std::string& out) const;
    // Bytes of padding and separators one row takes at most.
    std::size_t rowWidth() const;

private:
    std::vector<bool> rightAligned_;
    std::vector<std::size_t> widths_;
};

}  // namespace kvarnel
