// Windows-1251 through iconv.
#include <errno.h>
#include <iconv.h>

#include "InOutError.h"
#include "Journal.h"
#include "JournalFile.h"
#include "Utf8Sequence.h"

namespace kvarnel {

namespace {

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
        const std::size_t skip = nextUtf8Character(reinterpret_cast<const unsigned char*>(in), inLeft).length;
        result += '?';
        in += skip;
        inLeft -= skip;
    }
    return result;
}

}  // namespace kvarnel
