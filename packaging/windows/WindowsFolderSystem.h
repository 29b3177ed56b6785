#pragma once
// The results folder's steps with the Win32 file and security API.
#include "FolderSystem.h"

namespace kvarnel {

class WindowsFolderSystem : public FolderSystem {
public:
    Kind kindOf(const std::string& path) override;
    void createFolder(const std::string& path) override;
    void createEmptyFile(const std::string& path) override;
    void remove(const std::string& path) noexcept override;
    bool keepsPermissions(const std::string& folder) override;
    void letUsersList(const std::string& folder) override;
    void letUsersAppend(const std::string& file) override;
    void makeAppendOnly(const std::string& file) override;
    std::string permissions(const std::string& path) override;
};

}  // namespace kvarnel
