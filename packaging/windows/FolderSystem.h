#pragma once
// What preparing the results folder needs from the operating system: the Win32 file
// and security calls in WindowsFolderSystem, a fake in the tests. Paths are UTF-8
// Windows paths without a trailing backslash. Each step that fails throws
// std::runtime_error with a message that names the path and gives the system's reason.
#include <string>

namespace kvarnel {

class FolderSystem {
public:
    enum class Kind { Missing, Folder, File };

    virtual ~FolderSystem() = default;
    virtual Kind kindOf(const std::string& path) = 0;
    // Creates one folder; its parent exists.
    virtual void createFolder(const std::string& path) = 0;
    // Creates an empty file where none exists; fails, and opens nothing, where one does.
    virtual void createEmptyFile(const std::string& path) = 0;
    // Removes a file or an empty folder that this installation made; never fails.
    virtual void remove(const std::string& path) noexcept = 0;
    // Whether the folder lies on a local volume that keeps per-file permissions (NTFS, ReFS).
    virtual bool keepsPermissions(const std::string& folder) = 0;
    // Lets every user list and traverse the folder, adding to what it already grants.
    virtual void letUsersList(const std::string& folder) = 0;
    // Lets every user read and append to the file, adding to what it already grants;
    // leaves it as it is where users may already do both.
    virtual void letUsersAppend(const std::string& file) = 0;
    // Replaces the file's permissions, inherited ones included: users read and append
    // data only, administrators and the system everything.
    virtual void makeAppendOnly(const std::string& file) = 0;
    // The permissions as the system writes them down (SDDL), for the installer's log.
    virtual std::string permissions(const std::string& path) = 0;
};

}  // namespace kvarnel
