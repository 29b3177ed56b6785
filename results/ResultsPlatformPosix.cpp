#include <cstdio>

#include "ResultsPlatform.h"

namespace kvarnel {

std::FILE* openForReading(const std::string& utf8Name) { return std::fopen(utf8Name.c_str(), "rb"); }

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void prepareStandardStreams() {}

}  // namespace kvarnel
