#include "platform/fs_time.h"

#include <ctime>

namespace zandor {

namespace {

constexpr std::int64_t kDay = 86400;

void appendTwoDigits(std::string& out, int value) {
    out.push_back(static_cast<char>('0' + value / 10 % 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

// Files in one tree cluster on few days, so the date text of the last day met
// is kept per thread and a time within it costs a little arithmetic instead
// of a local-time conversion. A day is kept only when its local offset is the
// same from its first to its last second, so a day with a clock change is
// always converted in full.
struct DayCache {
    std::int64_t start = 1;
    std::int64_t end = 0;
    char date[9] = {};  // "mm/dd/yy "
};

bool localTime(std::int64_t secs, std::tm& out) {
    const auto t = static_cast<std::time_t>(secs);
    return ::localtime_r(&t, &out) != nullptr;
}

void appendClock(std::string& out, int hours, int minutes, int seconds) {
    appendTwoDigits(out, hours);
    out.push_back(':');
    appendTwoDigits(out, minutes);
    out.push_back(':');
    appendTwoDigits(out, seconds);
}

void appendFull(std::string& out, const std::tm& tm) {
    appendTwoDigits(out, tm.tm_mon + 1);
    out.push_back('/');
    appendTwoDigits(out, tm.tm_mday);
    out.push_back('/');
    // In 64 bits: a file system such as tmpfs keeps any time it is given, and
    // the C library then gives years up to the largest int, 1900 too high to add.
    const std::int64_t year = static_cast<std::int64_t>(tm.tm_year) + 1900;
    appendTwoDigits(out, static_cast<int>((year % 100 + 100) % 100));
    out.push_back(' ');
    appendClock(out, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

void rememberDay(DayCache& cache, std::int64_t secs, const std::tm& tm) {
    const std::int64_t start = secs - (tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec);
    std::tm first{};
    std::tm last{};
    if (!localTime(start, first) || !localTime(start + kDay - 1, last)) {
        return;
    }
    if (first.tm_gmtoff != tm.tm_gmtoff || last.tm_gmtoff != tm.tm_gmtoff || first.tm_hour != 0 ||
        first.tm_min != 0 || first.tm_sec != 0) {
        return;
    }
    std::string date;
    appendFull(date, tm);
    date.copy(cache.date, sizeof cache.date);
    cache.start = start;
    cache.end = start + kDay;
}

}  // namespace

void appendTimeText(std::string& out, std::int64_t secs) {
    thread_local DayCache cache;
    if (secs >= cache.start && secs < cache.end) {
        const auto inDay = static_cast<int>(secs - cache.start);
        out.append(cache.date, sizeof cache.date);
        appendClock(out, inDay / 3600, inDay / 60 % 60, inDay % 60);
        return;
    }
    std::tm tm{};
    if (!localTime(secs, tm)) {
        return;
    }
    appendFull(out, tm);
    rememberDay(cache, secs, tm);
}

}  // namespace zandor
