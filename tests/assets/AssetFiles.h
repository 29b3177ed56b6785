#pragma once
// Access to the committed asset files of the source tree (assets/...).
#include <optional>
#include <string>
#include <string_view>

namespace kvarnel {

class AssetFiles {
public:
    // Absolute path of a file given relative to the assets directory.
    static std::string path(std::string_view relative);
    // The whole file as bytes; nullopt (and a reason in *error) when it cannot be read.
    static std::optional<std::string> read(std::string_view relative, std::string* error = nullptr);
};

}  // namespace kvarnel
