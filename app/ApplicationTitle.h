#pragma once
// The application title: the caption of the error boxes and message dialogs,
// derived once from the executable's file name.
#include <string>

namespace kvarnel {

// Drops the directory ('/' or '\\'), cuts at the first '.', and lower-cases every
// character after the first (ASCII, Latin-1 and Cyrillic letters of UTF-8 text);
// the first character keeps its case. "C:\\BIN\\MYAPP.V2.EXE" gives "Myapp".
std::string applicationTitleFrom(const std::string& executablePath);

}  // namespace kvarnel
