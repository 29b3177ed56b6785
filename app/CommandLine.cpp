#include "CommandLine.h"

#include <cstring>

namespace kvarnel {

namespace {

const char* const kUsage =
    "Usage: kvarnel [--help | --version]\n"
    "A trainer on the design of a three-cylinder condensing steam turbine with\n"
    "reheat. Its window shows the turbine with hotspots on 39 parts. In study mode\n"
    "it names each part and shows it in a close-up; a test asks for the 39 parts in\n"
    "random order, 30 seconds for each answer, and gives a grade.\n"
    "\n"
    "Each graded or abandoned test is appended to the results journal\n"
    "\"Тест_кварнел.txt\" in the directory the program is started from. The program\n"
    "never creates it: create it there first (touch Тест_кварнел.txt).\n"
    "kvarnel-results reads the journals.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "Other arguments are ignored. More in the manual: man kvarnel\n";

}  // namespace

std::optional<std::string> commandLineAnswer(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) return kUsage;
        if (std::strcmp(argv[i], "--version") == 0) return std::string("kvarnel ") + KVARNEL_VERSION + "\n";
    }
    return std::nullopt;
}

}  // namespace kvarnel
