#pragma once
// A node's description text as stored: assets/descriptions/nodeNN.txt, UTF-8,
// one panel line per file line, every line ended by LF, no CR and no BOM.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/CatalogueData.h"

namespace kvarnel {

class DescriptionFile {
public:
    static std::string relativePath(NodeNumber node);  // "descriptions/node07.txt"
    // The lines of a stored text; nullopt with a reason in *error when the file
    // breaks the stored form (CR, BOM, missing last LF, empty line).
    static std::optional<std::vector<std::string>> splitLines(std::string_view text,
                                                              std::string* error = nullptr);
    static std::optional<std::vector<std::string>> load(NodeNumber node, std::string* error = nullptr);
};

}  // namespace kvarnel
