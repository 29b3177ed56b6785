#pragma once
// A journal that keeps its lines in memory and records every append; while
// failCode is not 0 it throws EInOutError(failCode) instead of writing
// (2: the missing journal file).
#include <string>
#include <vector>

#include "core/InOutError.h"
#include "core/Journal.h"

namespace kvarnel::testing {

class FakeJournal : public Journal {
public:
    void append(const std::string& line) override {
        attempts.push_back(line);
        if (failCode != 0) throw EInOutError(failCode);
        lines.push_back(line);
    }
    std::vector<std::string> attempts;
    std::vector<std::string> lines;
    int failCode = 0;
};

}  // namespace kvarnel::testing
