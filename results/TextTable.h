#pragma once
// Rows of UTF-8 cells printed in aligned columns, two spaces apart.
#include <cstddef>
#include <string>
#include <vector>

namespace kvarnel {

class TextTable {
public:
    // A column is never padded wider than this: one very long cell (a 100 KB
    // surname) is printed whole but does not push every other row aside.
    static constexpr std::size_t kMaxColumnWidth = 40;

    explicit TextTable(std::vector<bool> rightAligned);
    void addRow(std::vector<std::string> cells);
    // Rows end in "\n"; the last column is not padded.
    std::string render() const;

private:
    std::vector<bool> rightAligned_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace kvarnel
