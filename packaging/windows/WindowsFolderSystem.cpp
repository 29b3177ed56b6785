#include "WindowsFolderSystem.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// clang-format off: the security headers need windows.h first
#include <aclapi.h>
#include <sddl.h>
// clang-format on

#include <cstdio>
#include <stdexcept>

#include "WindowsText.h"

namespace kvarnel {

namespace {

// What the trainer opens the journal with (read data and attributes, append data,
// synchronise), and what listing a folder takes.
constexpr DWORD kAppendRights = FILE_READ_DATA | FILE_READ_ATTRIBUTES | FILE_APPEND_DATA | SYNCHRONIZE;
constexpr DWORD kListRights = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

[[noreturn]] void fail(const std::string& what, DWORD code) {
    throw std::runtime_error(what + ": " + systemErrorText(code));
}

// Memory that the security API allocates with LocalAlloc.
class LocalMemory {
public:
    LocalMemory() = default;
    ~LocalMemory() {
        if (memory_ != nullptr) LocalFree(memory_);
    }
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;
    // Where the API stores the memory it allocates.
    template <typename T>
    T** receive() {
        return reinterpret_cast<T**>(&memory_);
    }
    template <typename T>
    T* as() const {
        return static_cast<T*>(memory_);
    }

private:
    HLOCAL memory_ = nullptr;
};

class WellKnownSid {
public:
    explicit WellKnownSid(WELL_KNOWN_SID_TYPE type) {
        DWORD size = sizeof(sid_);
        if (!CreateWellKnownSid(type, nullptr, sid_, &size))
            fail("cannot make a well-known SID", GetLastError());
    }
    PSID get() { return sid_; }

private:
    alignas(SID) BYTE sid_[SECURITY_MAX_SID_SIZE];
};

// The file's DACL (nullptr: no DACL, everyone may do everything), alive with `holder`.
PACL daclOf(std::wstring& path, LocalMemory& holder) {
    PACL dacl = nullptr;
    const DWORD error = GetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                              nullptr, &dacl, nullptr, holder.receive<void>());
    if (error != ERROR_SUCCESS) fail("cannot read the permissions of " + toUtf8(path), error);
    return dacl;
}

// The rights that the DACL grants to every user of the machine: allowed to Everyone,
// Authenticated Users, Users or Interactive, less what it denies to any of them.
DWORD everyUserRights(PACL dacl) {
    if (dacl == nullptr) return FILE_ALL_ACCESS;
    WellKnownSid everyUser[] = {WellKnownSid(WinWorldSid), WellKnownSid(WinAuthenticatedUserSid),
                                WellKnownSid(WinBuiltinUsersSid), WellKnownSid(WinInteractiveSid)};
    GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
    DWORD allowed = 0;
    DWORD denied = 0;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) continue;
        const auto* header = static_cast<ACE_HEADER*>(ace);
        if ((header->AceFlags & INHERIT_ONLY_ACE) != 0) continue;
        // Allowed and denied ACEs share one layout: header, mask, SID.
        auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        bool forEveryUser = false;
        for (WellKnownSid& sid : everyUser)
            forEveryUser = forEveryUser || EqualSid(&entry->SidStart, sid.get());
        if (!forEveryUser) continue;
        DWORD mask = entry->Mask;
        MapGenericMask(&mask, &mapping);
        if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) allowed |= mask;
        if (header->AceType == ACCESS_DENIED_ACE_TYPE) denied |= mask;
    }
    return allowed & ~denied;
}

// Adds an entry that grants Users the rights on this object only, keeping the others.
void grantUsers(std::wstring& path, PACL dacl, DWORD rights) {
    WellKnownSid users(WinBuiltinUsersSid);
    EXPLICIT_ACCESS_W access = {};
    access.grfAccessPermissions = rights;
    access.grfAccessMode = GRANT_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPWSTR>(users.get());
    LocalMemory merged;
    DWORD error = SetEntriesInAclW(1, &access, dacl, merged.receive<ACL>());
    if (error == ERROR_SUCCESS) {
        error = SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                      nullptr, merged.as<ACL>(), nullptr);
    }
    if (error != ERROR_SUCCESS) fail("cannot change the permissions of " + toUtf8(path), error);
}

void ensureUsers(const std::string& utf8Path, DWORD needed, DWORD granted) {
    std::wstring path = toWide(utf8Path);
    LocalMemory holder;
    PACL dacl = daclOf(path, holder);
    if ((everyUserRights(dacl) & needed) != needed) grantUsers(path, dacl, granted);
}

}  // namespace

FolderSystem::Kind WindowsFolderSystem::kindOf(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::Folder : Kind::File;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Kind::Missing;
    fail("cannot look at " + path, error);
}

void WindowsFolderSystem::createFolder(const std::string& path) {
    if (!CreateDirectoryW(toWide(path).c_str(), nullptr))
        fail("cannot create the folder " + path, GetLastError());
}

void WindowsFolderSystem::createEmptyFile(const std::string& path) {
    // CREATE_NEW: a file that exists by now is never opened, let alone truncated.
    const HANDLE file = CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot create " + path, GetLastError());
    CloseHandle(file);
}

void WindowsFolderSystem::remove(const std::string& path) noexcept {
    const std::wstring wide = toWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveDirectoryW(wide.c_str());
    } else {
        DeleteFileW(wide.c_str());
    }
}

bool WindowsFolderSystem::keepsPermissions(const std::string& folder) {
    if (folder.rfind("\\\\", 0) == 0) return false;  // a share: its server's administrator sets them
    const std::wstring wide = toWide(folder);
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(wide.c_str(), volume, MAX_PATH))
        fail("cannot find the volume of " + folder, GetLastError());
    if (GetDriveTypeW(volume) == DRIVE_REMOTE) return false;
    DWORD flags = 0;
    if (!GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        fail("cannot read the volume of " + folder, GetLastError());
    }
    return (flags & FILE_PERSISTENT_ACLS) != 0;
}

void WindowsFolderSystem::letUsersList(const std::string& folder) {
    ensureUsers(folder, kListRights, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE);
}

void WindowsFolderSystem::letUsersAppend(const std::string& file) {
    ensureUsers(file, kAppendRights, FILE_GENERIC_READ | FILE_GENERIC_WRITE);
}

void WindowsFolderSystem::makeAppendOnly(const std::string& file) {
    // Protected (P): nothing inherited from the folder. System and administrators: full
    // control (FA); Users: FILE_GENERIC_READ | FILE_APPEND_DATA, icacls' (R,AD).
    char users[16];
    std::snprintf(users, sizeof users, "0x%lx",
                  static_cast<unsigned long>(FILE_GENERIC_READ | FILE_APPEND_DATA));
    const std::wstring sddl = toWide(std::string("D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;") + users + ";;;BU)");
    LocalMemory descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              descriptor.receive<void>(), nullptr)) {
        fail("cannot make the append-only permissions", GetLastError());
    }
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor.as<void>(), &present, &dacl, &defaulted);
    std::wstring path = toWide(file);
    const DWORD error = SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT,
                                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                              nullptr, nullptr, dacl, nullptr);
    if (error != ERROR_SUCCESS) fail("cannot change the permissions of " + file, error);
}

std::string WindowsFolderSystem::permissions(const std::string& path) {
    std::wstring wide = toWide(path);
    LocalMemory descriptor;
    daclOf(wide, descriptor);
    LocalMemory text;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.as<void>(), SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION,
                                                              text.receive<wchar_t>(), nullptr)) {
        fail("cannot write down the permissions of " + path, GetLastError());
    }
    return toUtf8(text.as<wchar_t>());
}

}  // namespace kvarnel
