#pragma once
// The operating-system side of the journal append, one implementation per
// platform (JournalFilePosix.cpp, JournalFileWindows.cpp).
#include <string>

namespace kvarnel {

// Appends bytes (already Windows-1251, ending with CR LF) to the existing file, named
// in UTF-8:
// never creates it; holds a write lock against other writers, waiting up to
// lockWaitMs for it; writes a CR LF first when the file's last line lacks one;
// flushes what it wrote to the device before it returns; always closes the file.
// Needs no more than an append-only file allows (read, append). Throws EInOutError
// with the mapped system code.
void appendToExistingFile(const std::string& fileName, const std::string& bytes, int lockWaitMs);

// What must precede a new line in a file whose last byte is lastByte, so that
// the line starts on a line of its own: nothing, LF (a CR left without it) or
// CR LF. Shared by both platform layers, which only read that byte.
std::string lineBreakAfter(char lastByte);

// The journal's error code for a system error number (errno on POSIX, mapped onto
// the Windows codes; GetLastError() on Windows, kept as it is).
int journalErrorCode(int systemError);

}  // namespace kvarnel
