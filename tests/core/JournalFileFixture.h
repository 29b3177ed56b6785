#pragma once
// Shared by the journal tests: each test runs in a fresh temporary directory as its
// current directory, where the journal is made, read back and held by helper processes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "JournalTestSupport.h"
#include "core/InOutError.h"
#include "core/Journal.h"

namespace kvarnel::journal_test {

namespace fs = std::filesystem;

const std::string kExampleLine = "07.12.2026 / 14:13:51 / 41-ТЭ / Петров / good";
// The same line as Windows-1251 bytes, spelled out so the check does not rely on the converter.
const std::string kExampleBytes = "07.12.2026 / 14:13:51 / 41-\xD2\xDD / \xCF\xE5\xF2\xF0\xEE\xE2 / good\r\n";

// The first argument that makes the test program a helper process instead of a test run.
constexpr const char* kHelperFlag = "--journal-helper";

// Runs the helper mode named in argv[2]; the exit code is the helper's result.
int runHelper(int argc, char** argv);

// The code an append ends with: 0 when it succeeded.
inline int appendCode(Journal& journal, const std::string& line) {
    try {
        journal.append(line);
        return 0;
    } catch (const EInOutError& e) {
        return e.code();
    }
}

// A helper process that holds the journal open for writing until released, or for
// holdMs from the moment it reports that it holds it.
class JournalHolder {
public:
    explicit JournalHolder(int holdMs = -1);
    ~JournalHolder() { release(); }
    bool holding() const { return state_ == "held"; }
    // What the helper reported: "held", or why it does not hold the journal.
    const std::string& state() const { return state_; }
    void release();

private:
    std::unique_ptr<ChildProcess> child_;
    std::string state_ = "no report from the helper";
};

class JournalFileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static fs::path journalPath() { return fs::u8path(kJournalFileName); }
    static void createJournal(const std::string& bytes, const fs::path& path = journalPath()) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string journalBytes(const fs::path& path = journalPath()) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool journalExists() { return fs::exists(fs::symlink_status(journalPath())); }
    // Two helper processes append linesEach lines each at the same moment; checks that the
    // journal (empty before) then holds all of them, whole and each writer's in order.
    static void appendFromTwoProcessesAtOnce(int linesEach);
    static void makeReadOnly(const fs::path& path) {
        fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    fs::path dir_;
    fs::path previous_;
};

}  // namespace kvarnel::journal_test
