#include "InOutError.h"

namespace kvarnel {

namespace {

struct MessageRow {
    int code;
    const char* message;
};

constexpr MessageRow kMessages[] = {
    {2, "File not found"},          {3, "Invalid filename"},          {4, "Too many open files"},
    {5, "File access denied"},      {100, "Read beyond end of file"}, {101, "Disk full"},
    {106, "Invalid numeric input"},
};

}  // namespace

EInOutError::EInOutError(int code) : std::runtime_error(messageFor(code)), code_(code) {}

std::string EInOutError::messageFor(int code) {
    for (const MessageRow& row : kMessages)
        if (row.code == code) return row.message;
    return "I/O error " + std::to_string(code);
}

std::string withFullStop(const std::string& message) {
    if (message.empty()) return message;
    // Compared as a byte code, so the last byte of a multi-byte character counts as above ".".
    if (static_cast<unsigned char>(message.back()) > 0x2E) return message + ".";
    return message;
}

}  // namespace kvarnel
