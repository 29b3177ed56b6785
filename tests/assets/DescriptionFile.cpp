#include "DescriptionFile.h"

#include <cstdio>

#include "AssetFiles.h"

namespace kvarnel {

std::string DescriptionFile::relativePath(NodeNumber node) {
    char name[32];
    std::snprintf(name, sizeof name, "descriptions/node%02d.txt", node);
    return name;
}

std::optional<std::vector<std::string>> DescriptionFile::splitLines(std::string_view text,
                                                                    std::string* error) {
    auto fail = [&](const char* why) -> std::optional<std::vector<std::string>> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (text.substr(0, 3) == "\xEF\xBB\xBF") return fail("starts with a byte order mark");
    if (text.find('\r') != std::string_view::npos) return fail("contains CR");
    if (text.empty() || text.back() != '\n') return fail("last line is not ended by LF");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == start) return fail("contains an empty line");
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::optional<std::vector<std::string>> DescriptionFile::load(NodeNumber node, std::string* error) {
    const auto text = AssetFiles::read(relativePath(node), error);
    if (!text) return std::nullopt;
    return splitLines(*text, error);
}

}  // namespace kvarnel
