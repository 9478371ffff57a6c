#include "time_reference.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace zandor::test {

std::string referenceTimeText(std::int64_t secs) {
    const auto t = static_cast<std::time_t>(secs);
    std::tm tm{};
    if (::localtime_r(&t, &tm) == nullptr) {
        return "(no local time)";
    }
    char text[64];
    // Two-digit years are the text's own choice.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-y2k"
    std::strftime(text, sizeof text, "%m/%d/%y %H:%M:%S", &tm);
#pragma GCC diagnostic pop
    return text;
}

std::int64_t createdSecs(const std::string& path) {
    struct statx stx {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME, &stx) !=
        0) {
        ADD_FAILURE() << "statx " << path << ": " << std::strerror(errno);
        return 0;
    }
    const bool hasBirth = (stx.stx_mask & STATX_BTIME) != 0 && stx.stx_btime.tv_sec != 0;
    return hasBirth ? stx.stx_btime.tv_sec : stx.stx_mtime.tv_sec;
}

ScopedTimeZone::ScopedTimeZone(const char* zone) {
    if (const char* saved = std::getenv("TZ")) {
        m_saved = saved;
    }
    ::setenv("TZ", zone, 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    if (m_saved) {
        ::setenv("TZ", m_saved->c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
}

}  // namespace zandor::test
