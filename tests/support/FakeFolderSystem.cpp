#include "FakeFolderSystem.h"

#include <stdexcept>

namespace kvarnel::testing {

void FakeFolderSystem::call(const std::string& what, const std::string& path) {
    if (failing.count(what + ' ' + path) != 0) throw std::runtime_error("refused " + what + ' ' + path);
    calls.push_back(what + ' ' + path);
}

FolderSystem::Kind FakeFolderSystem::kindOf(const std::string& path) {
    const auto entry = entries.find(path);
    return entry == entries.end() ? Kind::Missing : entry->second;
}

void FakeFolderSystem::createFolder(const std::string& path) {
    call("createFolder", path);
    entries[path] = Kind::Folder;
}

void FakeFolderSystem::createEmptyFile(const std::string& path) {
    if (kindOf(path) != Kind::Missing) throw std::runtime_error("exists: " + path);
    call("createEmptyFile", path);
    entries[path] = Kind::File;
}

void FakeFolderSystem::remove(const std::string& path) noexcept {
    calls.push_back("remove " + path);
    entries.erase(path);
}

bool FakeFolderSystem::keepsPermissions(const std::string&) { return volumeKeepsPermissions; }
void FakeFolderSystem::letUsersList(const std::string& folder) { call("letUsersList", folder); }
void FakeFolderSystem::letUsersAppend(const std::string& file) { call("letUsersAppend", file); }
void FakeFolderSystem::makeAppendOnly(const std::string& file) { call("makeAppendOnly", file); }
std::string FakeFolderSystem::permissions(const std::string&) { return "D:(fake)"; }

}  // namespace kvarnel::testing
