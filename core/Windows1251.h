#pragma once
// Windows-1251, the code page of the results journal, by one table on every
// system: the trainer encodes its lines with it, kvarnel-results decodes them.
#include <string>
#include <string_view>

namespace kvarnel {

// UTF-8 to Windows-1251. A character that Windows-1251 cannot hold becomes "?",
// never a look-alike, and so does each malformed byte (as nextUtf8Character
// walks the text).
std::string toWindows1251(std::string_view utf8);

// The character that a Windows-1251 byte stands for; U+FFFD, the replacement
// character, for 0x98, the one byte the code page leaves undefined.
char32_t fromWindows1251(unsigned char byte);

}  // namespace kvarnel
