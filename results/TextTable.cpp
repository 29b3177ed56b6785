#include "TextTable.h"

#include <algorithm>
#include <utility>

namespace kvarnel {

namespace {

// Columns the UTF-8 text takes in a terminal, counted as characters: the
// letters, digits and signs of a journal take one column each.
std::size_t displayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
    return width;
}

}  // namespace

TextTable::TextTable(std::vector<bool> rightAligned)
    : rightAligned_(std::move(rightAligned)), widths_(rightAligned_.size(), 0) {}

void TextTable::fit(const std::vector<std::string_view>& row) {
    for (std::size_t c = 0; c < widths_.size() && c < row.size(); ++c)
        widths_[c] = std::max(widths_[c], std::min(displayWidth(row[c]), kMaxColumnWidth));
}

std::size_t TextTable::rowWidth() const {
    std::size_t width = 1;
    for (const std::size_t w : widths_) width += w + 2;
    return width;
}

void TextTable::append(const std::vector<std::string_view>& row, std::string& out) const {
    const std::size_t rowStart = out.size();
    for (std::size_t c = 0; c < widths_.size(); ++c) {
        const std::string_view cell = c < row.size() ? row[c] : std::string_view();
        const std::size_t width = displayWidth(cell);
        const std::size_t pad = width < widths_[c] ? widths_[c] - width : 0;
        if (c > 0) out += "  ";
        if (rightAligned_[c]) out.append(pad, ' ');
        out += cell;
        if (!rightAligned_[c] && c + 1 < widths_.size()) out.append(pad, ' ');
    }
    // Blank last cells would otherwise leave the padding before them.
    const std::size_t end = out.find_last_not_of(' ');
    out.resize(end == std::string::npos || end < rowStart ? rowStart : end + 1);
    out += '\n';
}

}  // namespace kvarnel
