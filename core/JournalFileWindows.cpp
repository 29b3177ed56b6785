// The journal append with the Windows file API: the share mode lets others read the
// file but keeps every other writer out while a line is written. The handle asks only
// for what an append-only permission grants (icacls (R,AD): read and append data).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <chrono>

#include "InOutError.h"
#include "JournalFile.h"

namespace kvarnel {

namespace {

[[noreturn]] void raiseSystemError(DWORD systemError) {
    throw EInOutError(journalErrorCode(static_cast<int>(systemError)));
}

[[noreturn]] void raiseLastError() { raiseSystemError(GetLastError()); }

// Closes the handle on every path; close() reports its own failure on the good path.
class OpenHandle {
public:
    explicit OpenHandle(HANDLE handle) : handle_(handle) {}
    ~OpenHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    OpenHandle(const OpenHandle&) = delete;
    OpenHandle& operator=(const OpenHandle&) = delete;
    HANDLE get() const { return handle_; }
    void close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) raiseLastError();
    }

private:
    HANDLE handle_;
};

std::wstring wideName(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) raiseSystemError(ERROR_INVALID_NAME);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
    return wide;
}

// Reading the size and the last byte, appending and flushing need these and nothing more:
// no FILE_WRITE_DATA, which a journal that students may only append to refuses them.
// FILE_APPEND_DATA is write access for the share mode, so writers still exclude each other.
constexpr DWORD kAppendAccess = FILE_READ_DATA | FILE_READ_ATTRIBUTES | FILE_APPEND_DATA | SYNCHRONIZE;

// Opens the existing file for reading and appending, sharing it for reading only; a
// sharing violation (another writer has it) is tried again until lockWaitMs is over.
HANDLE openExistingForAppending(const std::wstring& name, int lockWaitMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(lockWaitMs);
    DWORD pauseMs = 1;
    for (;;) {
        // OPEN_EXISTING: the journal is never created.
        const HANDLE handle = CreateFileW(name.c_str(), kAppendAccess, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return handle;
        const DWORD error = GetLastError();
        const Clock::time_point now = Clock::now();
        if (error != ERROR_SHARING_VIOLATION || now >= deadline) raiseSystemError(error);
        const auto leftMs = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        Sleep(std::min<DWORD>(pauseMs, static_cast<DWORD>(leftMs) + 1));
        if (pauseMs < 8) pauseMs *= 2;
    }
}

// What must precede the new line in a disk file so that it starts on a line of its own.
std::string lineBreakNeeded(HANDLE handle) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) raiseLastError();
    if (size.QuadPart == 0) return std::string();
    LARGE_INTEGER lastByte{};
    lastByte.QuadPart = size.QuadPart - 1;
    if (!SetFilePointerEx(handle, lastByte, nullptr, FILE_BEGIN)) raiseLastError();
    char last = 0;
    DWORD got = 0;
    if (!ReadFile(handle, &last, 1, &got, nullptr)) raiseLastError();
    return got == 0 ? std::string() : lineBreakAfter(last);
}

// Normally one WriteFile; a short write goes on with the rest, a write of nothing is a full disk.
void writeAll(HANDLE handle, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr)) raiseLastError();
        if (written == 0) raiseSystemError(ERROR_DISK_FULL);
        done += written;
    }
}

// Puts the written line on the device before the append reports success, so that a machine
// switched off at the wall right afterwards still has it. FILE_APPEND_DATA is enough for it.
void flushToDevice(HANDLE handle) {
    if (!FlushFileBuffers(handle)) raiseLastError();
}

}  // namespace

int journalErrorCode(int systemError) {
    // 2, 3, 4, 5 and 32 are the journal's codes already; any other is shown as "I/O error N".
    return systemError;
}

void appendToExistingFile(const std::string& fileName, const std::string& bytes, int lockWaitMs) {
    OpenHandle file(openExistingForAppending(wideName(fileName), lockWaitMs));
    // Only a disk file has a last line to end and a device to flush to (not NUL or a pipe).
    const bool disk = GetFileType(file.get()) == FILE_TYPE_DISK;
    // Checked while no other writer can have the file, so none can add a line in between.
    const std::string lineBreak = disk ? lineBreakNeeded(file.get()) : std::string();
    if (!SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_END)) raiseLastError();
    writeAll(file.get(), lineBreak + bytes);
    if (disk) flushToDevice(file.get());
    file.close();
}

}  // namespace kvarnel
