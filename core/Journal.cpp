#include "Journal.h"

#include <errno.h>
#include <iconv.h>

#include <utility>

#include "InOutError.h"
#include "JournalFile.h"

namespace kvarnel {

const char* const kJournalFileName = "Тест_кварнел.txt";

FileJournal::FileJournal(std::string fileName, int lockWaitMs)
    : fileName_(std::move(fileName)), lockWaitMs_(lockWaitMs) {}

void FileJournal::append(const std::string& line) {
    appendToExistingFile(fileName_, toWindows1251(line) + "\r\n", lockWaitMs_);
}

namespace {

// Length of the UTF-8 sequence at p when it is well formed, else 1 (a stray byte).
std::size_t sequenceLength(const unsigned char* p, std::size_t left) {
    std::size_t length = 1;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) length = 2;
    else if (p[0] >= 0xE0 && p[0] <= 0xEF) length = 3;
    else if (p[0] >= 0xF0 && p[0] <= 0xF4) length = 4;
    if (length > left) return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((p[i] & 0xC0) != 0x80) return 1;
    return length;
}

class Converter {
public:
    Converter() : cd_(iconv_open("CP1251", "UTF-8")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw EInOutError(journalErrorCode(errno));
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

}  // namespace

std::string toWindows1251(const std::string& utf8) {
    Converter converter;
    std::string result;
    // One byte out per character in, so the input's size always suffices.
    std::string buffer(utf8.size() + 1, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        result.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
        if (rc != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ (not in Windows-1251, or malformed) or EINVAL (cut short at the end):
        // one character becomes "?" and the conversion goes on after it.
        const std::size_t skip = sequenceLength(reinterpret_cast<const unsigned char*>(in), inLeft);
        result += '?';
        in += skip;
        inLeft -= skip;
    }
    return result;
}

}  // namespace kvarnel
