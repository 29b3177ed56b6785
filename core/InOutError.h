#pragma once
// The journal's I/O failure: an error code and its fixed English message.
#include <stdexcept>
#include <string>

namespace kvarnel {

class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int code);
    int code() const { return code_; }
    // 2 "File not found", 3 "Invalid filename", 4 "Too many open files",
    // 5 "File access denied", 100 "Read beyond end of file", 101 "Disk full",
    // 106 "Invalid numeric input", any other "I/O error <code>".
    static std::string messageFor(int code);

private:
    int code_;
};

// The error box's text: a "." is appended when the message is not empty and
// its last character's code is above that of ".".
std::string withFullStop(const std::string& message);

}  // namespace kvarnel
