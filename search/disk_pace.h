// DiskPace: tells a helper that waits on the disk from one that only shares
// a busy processor, from how it spends the time it takes to prepare folders:
// running, waiting for a processor, or blocked. Folders read from the page
// cache leave a helper hardly ever blocked, however busy the processor (on a
// busy one a helper, at the walk's own priority, waits for a processor
// often, and that time counts as queued, not blocked); folders read from a
// disk leave it blocked most of the time. Only then
// are more reads in flight worth more threads.
#pragma once

#include <chrono>

#include "platform/fs_fd.h"

namespace zandor {

struct ThreadTimes {
    std::chrono::nanoseconds running{};  // on a processor
    std::chrono::nanoseconds queued{};   // ready, waiting for a processor
    std::chrono::nanoseconds elapsed{};  // on the clock

    ThreadTimes operator-(const ThreadTimes& earlier) const {
        return {running - earlier.running, queued - earlier.queued, elapsed - earlier.elapsed};
    }
    // Neither running nor waiting to: asleep on the disk (or on a lock).
    std::chrono::nanoseconds blocked() const { return elapsed - running - queued; }
};

// The times of the thread that made it; use it on that thread only. Where the
// kernel does not tell the time spent waiting for a processor, that time
// counts as blocked.
class ThreadClock {
  public:
    ThreadClock();
    ThreadTimes now() const;

  private:
    UniqueFd m_schedstat;
};

class DiskPace {
  public:
    // The first window's folders are all timed, so that a disk slow from the
    // start is known after kWindow folders; after that one folder in
    // kTimeEvery, which keeps the clock reads (four system calls) off nearly
    // every folder of a warm walk and still finds a disk that turns slow
    // within a few hundred folders.
    static constexpr unsigned kTimeEvery = 32;
    static constexpr unsigned kWindow = 8;

    // True for the folders to time.
    bool timesNext() {
        const unsigned prepared = m_prepared++;
        return prepared < kWindow || prepared % kTimeEvery == 0;
    }

    // Adds one timed folder; true when the window it completes shows the
    // helper blocked for more than three quarters of the time it took.
    bool waitsOnDisk(const ThreadTimes& spent);

  private:
    unsigned m_prepared = 0;
    unsigned m_timed = 0;
    ThreadTimes m_window;
};

}  // namespace zandor
