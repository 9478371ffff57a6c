#include "search/disk_pace.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <ctime>

namespace zandor {

namespace {

std::chrono::nanoseconds clockNow(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// The second number of /proc/thread-self/schedstat: nanoseconds spent ready
// to run but waiting for a processor. Its first number, the time run, can lag
// by up to a tick for a running thread; the processor-time clock does not.
std::chrono::nanoseconds queuedTime(int schedstat) {
    char text[96];
    const ssize_t got = schedstat < 0 ? -1 : ::pread(schedstat, text, sizeof text - 1, 0);
    if (got <= 0) {
        return {};
    }
    const char* end = text + got;
    std::uint64_t run = 0;
    std::uint64_t wait = 0;
    auto parsed = std::from_chars(text, end, run);
    if (parsed.ec != std::errc() || parsed.ptr == end) {
        return {};
    }
    parsed = std::from_chars(parsed.ptr + 1, end, wait);
    return parsed.ec == std::errc() ? std::chrono::nanoseconds(wait) : std::chrono::nanoseconds{};
}

}  // namespace

ThreadClock::ThreadClock()
    : m_schedstat(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC)) {}

ThreadTimes ThreadClock::now() const {
    return {clockNow(CLOCK_THREAD_CPUTIME_ID), queuedTime(m_schedstat.get()),
            clockNow(CLOCK_MONOTONIC)};
}

bool DiskPace::waitsOnDisk(const ThreadTimes& spent) {
    m_window.running += spent.running;
    m_window.queued += spent.queued;
    m_window.elapsed += spent.elapsed;
    if (++m_timed < kWindow) {
        return false;
    }
    const bool waits = m_window.blocked() * 4 > m_window.elapsed * 3;
    m_timed = 0;
    m_window = ThreadTimes{};
    return waits;
}

}  // namespace zandor
