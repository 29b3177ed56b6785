#include "TextTable.h"

#include <algorithm>
#include <utility>

#include "Windows1251.h"

namespace kvarnel {

TextTable::TextTable(std::vector<bool> rightAligned) : rightAligned_(std::move(rightAligned)) {}

void TextTable::addRow(std::vector<std::string> cells) {
    cells.resize(rightAligned_.size());
    rows_.push_back(std::move(cells));
}

std::string TextTable::render() const {
    const std::size_t columns = rightAligned_.size();
    std::vector<std::size_t> widths(columns, 0);
    for (const auto& row : rows_)
        for (std::size_t c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], std::min(displayWidth(row[c]), kMaxColumnWidth));
    std::string out;
    for (const auto& row : rows_) {
        std::string line;
        for (std::size_t c = 0; c < columns; ++c) {
            const bool last = c + 1 == columns;
            const std::size_t width = displayWidth(row[c]);
            const std::size_t pad = width < widths[c] ? widths[c] - width : 0;
            if (c > 0) line += "  ";
            if (rightAligned_[c]) line.append(pad, ' ');
            line += row[c];
            if (!rightAligned_[c] && !last) line.append(pad, ' ');
        }
        // A blank last cell would otherwise leave the padding of the one before.
        line.erase(line.find_last_not_of(' ') + 1);
        (out += line) += '\n';
    }
    return out;
}

}  // namespace kvarnel
