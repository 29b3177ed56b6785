#pragma once
// Lower-casing the letters that the program's texts can hold: ASCII, Latin-1
// and Cyrillic (every Cyrillic letter of Windows-1251).
#include <string>
#include <string_view>

namespace kvarnel {

// The UTF-8 text with every such letter lower-cased; other characters, and
// bytes that are not UTF-8, stay as they are.
std::string lowerCased(std::string_view utf8);

}  // namespace kvarnel
