#pragma once
// A FolderSystem over paths kept in memory: records each call that changes something
// ("createFolder C:\a"), and throws for the calls listed in `failing`.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "packaging/windows/FolderSystem.h"

namespace kvarnel::testing {

class FakeFolderSystem : public FolderSystem {
public:
    std::map<std::string, Kind> entries;
    std::set<std::string> failing;
    bool volumeKeepsPermissions = true;
    std::vector<std::string> calls;

    Kind kindOf(const std::string& path) override;
    void createFolder(const std::string& path) override;
    void createEmptyFile(const std::string& path) override;
    void remove(const std::string& path) noexcept override;
    bool keepsPermissions(const std::string& folder) override;
    void letUsersList(const std::string& folder) override;
    void letUsersAppend(const std::string& file) override;
    void makeAppendOnly(const std::string& file) override;
    std::string permissions(const std::string& path) override;

private:
    void call(const std::string& what, const std::string& path);
};

}  // namespace kvarnel::testing
