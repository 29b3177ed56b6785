// The results folder's preparation at installation: which folders and journal it makes,
// which permissions it asks for, and that a failure names the folder and takes away
// what it made, never an existing journal.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/Journal.h"
#include "packaging/windows/JournalFolderSetup.h"
#include "tests/support/FakeFolderSystem.h"

namespace kvarnel {
namespace {

using Kind = FolderSystem::Kind;
const std::string J = std::string("\\") + kJournalFileName;
constexpr Kind F = Kind::Folder;

struct Case {
    const char* name;
    std::string actionData;  // "APPENDONLY|JOURNALDIR"
    std::map<std::string, Kind> existing;
    std::vector<std::string> calls = {};
    std::string failure = {};  // part of the reason; empty where it succeeds
    std::set<std::string> failing = {};
    std::string logged = {};
    bool keepsPermissions = true;
};

const std::vector<Case> kCases = {
    {"missing folders are made outermost first, then an empty journal that users may append to",
     "|C:\\Лаб\\Kvarnel\\",
     {{"C:\\", F}},
     {"createFolder C:\\Лаб", "createFolder C:\\Лаб\\Kvarnel", "createEmptyFile C:\\Лаб\\Kvarnel" + J,
      "letUsersList C:\\Лаб\\Kvarnel", "letUsersAppend C:\\Лаб\\Kvarnel" + J},
     "",
     {},
     "users may append, permissions D:(fake)"},
    {"an existing journal is kept, never made again",
     "0|D:\\Results",
     {{"D:\\", F}, {"D:\\Results", F}, {"D:\\Results" + J, Kind::File}},
     {"letUsersList D:\\Results", "letUsersAppend D:\\Results" + J},
     "",
     {},
     "kept as it is"},
    {"APPENDONLY=1 makes the journal append-only",
     "1|D:\\Results\\",
     {{"D:\\", F}, {"D:\\Results", F}},
     {"createEmptyFile D:\\Results" + J, "letUsersList D:\\Results", "makeAppendOnly D:\\Results" + J}},
    {"on a share or a volume without permissions they are left alone",
     "1|\\\\lab-server\\results\\Kvarnel",
     {{"\\\\lab-server\\results", F}},
     {"createFolder \\\\lab-server\\results\\Kvarnel",
      "createEmptyFile \\\\lab-server\\results\\Kvarnel" + J},
     "",
     {},
     "permissions left as they are",
     false},
    {"slashes and doubled backslashes name the same folders",
     "|C:/Lab//Kvarnel",
     {{"C:\\", F}, {"C:\\Lab", F}},
     {"createFolder C:\\Lab\\Kvarnel", "createEmptyFile C:\\Lab\\Kvarnel" + J,
      "letUsersList C:\\Lab\\Kvarnel", "letUsersAppend C:\\Lab\\Kvarnel" + J}},
    {"a drive's root holds the journal itself",
     "|C:\\",
     {{"C:\\", F}},
     {"createEmptyFile C:" + J, "letUsersList C:\\", "letUsersAppend C:" + J}},
    {"a drive that is not there", "|Q:\\Results", {{"C:\\", F}}, {}, "there is no drive or share Q:\\"},
    {"a folder that cannot be made: the ones made before it are taken away",
     "|C:\\New\\Bad",
     {{"C:\\", F}},
     {"createFolder C:\\New", "remove C:\\New"},
     "refused createFolder C:\\New\\Bad",
     {"createFolder C:\\New\\Bad"}},
    {"permissions that cannot be set: the new journal and folder are taken away",
     "|C:\\Lab",
     {{"C:\\", F}},
     {"createFolder C:\\Lab", "createEmptyFile C:\\Lab" + J, "letUsersList C:\\Lab", "remove C:\\Lab" + J,
      "remove C:\\Lab"},
     "refused letUsersAppend",
     {"letUsersAppend C:\\Lab" + J}},
    {"permissions that cannot be set: an existing journal stays",
     "1|C:\\Lab",
     {{"C:\\", F}, {"C:\\Lab", F}, {"C:\\Lab" + J, Kind::File}},
     {"letUsersList C:\\Lab"},
     "refused makeAppendOnly",
     {"makeAppendOnly C:\\Lab" + J}},
    {"a file where a folder must be",
     "|C:\\blocker\\Results",
     {{"C:\\", F}, {"C:\\blocker", Kind::File}},
     {},
     "C:\\blocker is a file"},
    {"a folder where the journal must be",
     "|C:\\Lab",
     {{"C:\\", F}, {"C:\\Lab", F}, {"C:\\Lab" + J, F}},
     {},
     "is a folder, not a journal"},
    {"APPENDONLY neither 1 nor 0", "yes|C:\\Lab", {{"C:\\", F}}, {}, "APPENDONLY is \"yes\""},
    {"a relative folder", "|Results", {{"C:\\", F}}, {}, "not an absolute path"},
    {"a folder relative to a drive's current one", "|C:Results", {{"C:\\", F}}, {}, "not an absolute path"},
    {"a server without a share", "|\\\\lab-server", {}, {}, "not an absolute path"},
    {"a device path", "|\\\\?\\C:\\Lab", {{"C:\\", F}}, {}, "not an absolute path"},
    {"a way up and out", "|C:\\Lab\\..\\Windows", {{"C:\\", F}, {"C:\\Lab", F}}, {}, "\"..\""},
};

TEST(JournalFolderSetup, makes_what_is_missing_or_fails_naming_the_folder) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        testing::FakeFolderSystem system;
        system.entries = c.existing;
        system.failing = c.failing;
        system.volumeKeepsPermissions = c.keepsPermissions;
        std::string log;
        JournalFolderSetup setup(system, [&log](const std::string& line) { log += line + '\n'; });
        const std::optional<std::string> failure = setup.run(c.actionData);
        EXPECT_EQ(system.calls, c.calls);
        EXPECT_NE(log.find(c.logged), std::string::npos) << log;
        if (c.failure.empty()) {
            EXPECT_FALSE(failure) << *failure;
            continue;
        }
        ASSERT_TRUE(failure);
        const std::string folder = c.actionData.substr(c.actionData.find('|') + 1);
        EXPECT_EQ(failure->rfind("The results folder " + folder + " cannot be prepared: ", 0), 0u)
            << *failure;
        EXPECT_NE(failure->find(c.failure), std::string::npos) << *failure;
        EXPECT_EQ(system.entries, c.existing) << "what it made is not all taken away";
    }
}

}  // namespace
}  // namespace kvarnel
