#include "AssetFiles.h"

#include <fstream>
#include <iterator>

#ifndef KVARNEL_ASSETS_DIR
#error "KVARNEL_ASSETS_DIR must name the source tree's assets directory"
#endif

namespace kvarnel {

std::string AssetFiles::path(std::string_view relative) {
    return std::string(KVARNEL_ASSETS_DIR) + "/" + std::string(relative);
}

std::optional<std::string> AssetFiles::read(std::string_view relative, std::string* error) {
    const std::string full = path(relative);
    std::ifstream in(full, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot open " + full;
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        if (error) *error = "cannot read " + full;
        return std::nullopt;
    }
    return bytes;
}

}  // namespace kvarnel
