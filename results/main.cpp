// kvarnel-results: the teachers' companion to the trainer's results journal.
#include <cstdio>

#include "ResultsCommand.h"
#include "ResultsPlatform.h"

int main(int argc, char** argv) {
    kvarnel::prepareStandardStreams();
    const kvarnel::CommandResult result =
        kvarnel::runResultsCommand(kvarnel::commandLineArguments(argc, argv));
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return std::fflush(stdout) == 0 ? result.exitCode : kvarnel::kUsageOrFileError;
}
