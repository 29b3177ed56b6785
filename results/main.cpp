// kvarnel-results: the teachers' companion to the trainer's results journal.
#include <cstdio>
#include <exception>

#include "ResultsCommand.h"
#include "ResultsPlatform.h"

int main(int argc, char** argv) {
    kvarnel::prepareStandardStreams();
    try {
        const kvarnel::CommandResult result =
            kvarnel::runResultsCommand(kvarnel::commandLineArguments(argc, argv));
        std::fwrite(result.out.data(), 1, result.out.size(), stdout);
        std::fwrite(result.err.data(), 1, result.err.size(), stderr);
        return std::fflush(stdout) == 0 ? result.exitCode : kvarnel::kUsageOrFileError;
    } catch (const std::exception& error) {  // out of memory on a huge input
        std::fprintf(stderr, "kvarnel-results: %s\n", error.what());
        return kvarnel::kUsageOrFileError;
    }
}
