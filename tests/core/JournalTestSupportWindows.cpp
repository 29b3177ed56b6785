#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "JournalTestSupport.h"

namespace kvarnel::journal_test {

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = static_cast<int>(utf8.size());
    std::wstring result(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(), static_cast<int>(result.size()));
    return result;
}

// Command-line quoting as the C run-time splits it back into arguments.
std::wstring quoted(const std::wstring& argument) {
    std::wstring result = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        result += c;
    }
    result.append(backslashes * 2, L'\\');
    return result + L"\"";
}

}  // namespace

// Tried on a file of its own: Windows refuses an administrator too, but wine running as
// root writes through the attribute, which it keeps as the Unix permission bits.
bool readOnlyStopsThisProcess() {
    const wchar_t* const probe = L"read-only-probe";
    const HANDLE created =
        CreateFileW(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
    if (created == INVALID_HANDLE_VALUE) return true;
    CloseHandle(created);
    const HANDLE opened =
        CreateFileW(probe, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool stopped = opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED;
    if (opened != INVALID_HANDLE_VALUE) CloseHandle(opened);
    SetFileAttributesW(probe, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(probe);
    return stopped;
}

int flushErrorOfThisProcess() {
    const wchar_t* const probe = L"flush-probe";
    const HANDLE file =
        CreateFileW(probe, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    DWORD written = 0;
    const bool wrote = WriteFile(file, "x", 1, &written, nullptr) && written == 1;
    const int error = wrote && !FlushFileBuffers(file) ? static_cast<int>(GetLastError()) : 0;
    CloseHandle(file);
    DeleteFileW(probe);
    return error;
}

// The system's handle table, counted for this process: wine's GetProcessHandleCount
// always answers 0.
int handlesInTheSystemTable() {
    struct Entry {
        USHORT process;
        USHORT backTrace;
        UCHAR type;
        UCHAR flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004L);
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) return -1;
    std::vector<char> buffer(1 << 20);
    LONG status;
    ULONG needed = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                           &needed)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    const auto self = static_cast<USHORT>(GetCurrentProcessId());
    int count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        if (table->entries[i].process == self) ++count;
    return count;
}

int openHandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return static_cast<int>(count);
    return handlesInTheSystemTable();
}

WriteHolder::WriteHolder(const std::string& utf8Name) {
    // As the program opens it: read and append data (no write data), shared for reading
    // only. Appending is write access for the share mode, so every other writer gets a
    // sharing violation. (Wine does not check NTFS permissions, so whether a journal that
    // grants students only (R,AD) opens for them cannot be tried here, only the sharing.)
    constexpr DWORD kAppendAccess = FILE_READ_DATA | FILE_READ_ATTRIBUTES | FILE_APPEND_DATA | SYNCHRONIZE;
    const HANDLE handle = CreateFileW(wide(utf8Name).c_str(), kAppendAccess, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    holding_ = handle != INVALID_HANDLE_VALUE;
    if (holding_)
        handle_ = reinterpret_cast<std::intptr_t>(handle);
    else
        error_ = static_cast<int>(GetLastError());
}

WriteHolder::~WriteHolder() {
    if (holding_) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments) {
    wchar_t self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    if (length == 0 || length >= std::size(self)) return;
    std::wstring commandLine = quoted(self);
    for (const std::string& argument : arguments) commandLine += L" " + quoted(wide(argument));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return;
    CloseHandle(info.hThread);
    process_ = reinterpret_cast<std::intptr_t>(info.hProcess);
}

ChildProcess::~ChildProcess() { wait(); }

int ChildProcess::wait() {
    if (process_ == -1) return exitCode_;
    const HANDLE process = reinterpret_cast<HANDLE>(process_);
    DWORD code = 0;
    if (WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code))
        exitCode_ = static_cast<int>(code);
    CloseHandle(process);
    process_ = -1;
    return exitCode_;
}

}  // namespace kvarnel::journal_test
