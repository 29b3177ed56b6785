#include "ApplicationTitle.h"

#include "core/LetterCase.h"
#include "core/Utf8Sequence.h"

namespace kvarnel {

std::string applicationTitleFrom(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos) name.erase(dot);
    if (name.empty()) return name;
    const std::size_t first =
        nextUtf8Character(reinterpret_cast<const unsigned char*>(name.data()), name.size()).length;
    return name.substr(0, first) + lowerCased(std::string_view(name).substr(first));
}

}  // namespace kvarnel
