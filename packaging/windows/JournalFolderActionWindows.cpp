// The package's custom action, an entry of a DLL that travels in the package's Binary
// table: run deferred, as the system account, early in the installation (before any
// file is copied), it prepares the results folder. Its lines go into the installer's
// log; a failure also reaches the user as the installer's error and fails the
// installation (1603).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// clang-format off: the installer's headers need windows.h first
#include <msi.h>
#include <msiquery.h>
// clang-format on

#include <exception>
#include <optional>
#include <string>

#include "JournalFolderSetup.h"
#include "WindowsFolderSystem.h"
#include "WindowsText.h"

namespace {

class Record {
public:
    explicit Record(const std::string& text) : handle_(MsiCreateRecord(1)) {
        // Field 0 is a template the installer formats; the text goes in field 1 as it is.
        MsiRecordSetStringW(handle_, 0, L"[1]");
        MsiRecordSetStringW(handle_, 1, kvarnel::toWide(text).c_str());
    }
    ~Record() { MsiCloseHandle(handle_); }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    MSIHANDLE get() const { return handle_; }

private:
    MSIHANDLE handle_;
};

void report(MSIHANDLE install, INSTALLMESSAGE kind, const std::string& text) {
    const Record record("Kvarnel: " + text);
    MsiProcessMessage(install, kind, record.get());
}

// A deferred action sees only CustomActionData, which the package sets to
// "[APPENDONLY]|[JOURNALDIR]".
std::string actionData(MSIHANDLE install) {
    DWORD length = 0;
    wchar_t none[1] = L"";
    MsiGetPropertyW(install, L"CustomActionData", none, &length);
    std::wstring value(length + 1, L'\0');
    length += 1;
    if (MsiGetPropertyW(install, L"CustomActionData", value.data(), &length) != ERROR_SUCCESS)
        return std::string();
    value.resize(length);
    return kvarnel::toUtf8(value);
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall PrepareJournalFolder(MSIHANDLE install) {
    try {
        kvarnel::WindowsFolderSystem system;
        kvarnel::JournalFolderSetup setup(
            system, [install](const std::string& line) { report(install, INSTALLMESSAGE_INFO, line); });
        const std::optional<std::string> failure = setup.run(actionData(install));
        if (!failure) return ERROR_SUCCESS;
        report(install, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), *failure);
    } catch (const std::exception& error) {
        report(install, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR),
               error.what());
    }
    return ERROR_INSTALL_FAILURE;
}
