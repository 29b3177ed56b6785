#pragma once
// UTF-8 and the UTF-16 of the Windows API, for the installer's custom action.
#include <string>

namespace kvarnel {

std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);
// The system's text for an error code, as "The system cannot find the path specified (error 3)".
std::string systemErrorText(unsigned long code);

}  // namespace kvarnel
