#pragma once
// The program takes no command line, but answers the two questions a packaged
// program is asked, --help and --version, before anything of Qt is made: so
// without a display and without a window. Every other argument is ignored.
#include <optional>
#include <string>

namespace kvarnel {

// The text to print for the first --help or --version after the program's
// name; nothing when the program is to start as usual.
std::optional<std::string> commandLineAnswer(int argc, const char* const* argv);

}  // namespace kvarnel
