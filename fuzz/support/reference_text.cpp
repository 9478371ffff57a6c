#include "reference_text.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace zandor::fuzz {

std::string referenceTimeText(std::int64_t secs) {
    const auto t = static_cast<std::time_t>(secs);
    std::tm tm{};
    if (::localtime_r(&t, &tm) == nullptr) {
        return {};
    }
    const std::int64_t year = static_cast<std::int64_t>(tm.tm_year) + 1900;
    const long long twoDigits = ((year % 100) + 100) % 100;
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02lld %02d:%02d:%02d", tm.tm_mon + 1, tm.tm_mday,
                  twoDigits, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

std::string referenceSizeText(std::uint64_t bytes) {
    // Blocks started: the full ones, plus one for any rest or for the first
    // byte of an exact multiple (1024 bytes start a second block).
    const std::uint64_t blocks = bytes == 0 ? 0 : (bytes >> 10) + 1;
    return std::to_string(blocks) + " KB";
}

void useTestTimeZone() {
    ::setenv("TZ", "America/Santiago", 1);
    ::tzset();
}

}  // namespace zandor::fuzz
