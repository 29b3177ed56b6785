#pragma once
// The operating-system side of the results command, one implementation per
// platform (ResultsPlatformPosix.cpp, ResultsPlatformWindows.cpp).
#include <cstdio>
#include <string>
#include <vector>

namespace kvarnel {

// Opens the file for reading only, in binary mode, taking no lock, so the
// trainer can go on appending while a teacher reads; nullptr with errno set
// when it cannot be opened.
std::FILE* openForReading(const std::string& utf8Name);

// The command line as UTF-8, without the program name.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Standard output and error take UTF-8 bytes unchanged (no newline translation).
void prepareStandardStreams();

}  // namespace kvarnel
