#include "ResultRecord.h"

#include <ctime>

#include "PlatformClock.h"

namespace kvarnel {

namespace {

std::string formatNow(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!toLocalTime(now, local)) return std::string();
    char buffer[64];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}

}  // namespace

std::string DefaultDateTimeTexts::timeText() { return formatNow("%H:%M:%S"); }
std::string DefaultDateTimeTexts::dateText() { return formatNow("%d.%m.%Y"); }

std::string sanitizeField(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127) c = ' ';
    }
    return result;
}

std::string buildResultRecord(DateTimeTexts& clock, const std::string& group, const std::string& surname) {
    // The time is taken before the date, as the registration always did.
    const std::string time = clock.timeText();
    const std::string date = clock.dateText();
    const std::string separator = kFieldSeparator;
    return sanitizeField(date) + separator + sanitizeField(time) + separator + sanitizeField(group) +
           separator + sanitizeField(surname);
}

}  // namespace kvarnel
