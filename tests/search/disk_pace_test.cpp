// The verdict that wakes more helpers: a window of timed folders in which the
// helper was blocked (neither running nor waiting for a processor) for more
// than three quarters of the time.
#include "search/disk_pace.h"

#include <gtest/gtest.h>
#include <time.h>

#include <atomic>
#include <thread>
#include <vector>

namespace zandor {
namespace {

using std::chrono::microseconds;

ThreadTimes spent(int runningUs, int queuedUs, int elapsedUs) {
    return {microseconds(runningUs), microseconds(queuedUs), microseconds(elapsedUs)};
}

TEST(DiskPace, AVerdictOnEachWholeWindowOfTimedFolders) {
    DiskPace pace;
    // Blocked from the first folder, but only a whole window tells.
    for (unsigned i = 1; i < DiskPace::kWindow; ++i) {
        EXPECT_FALSE(pace.waitsOnDisk(spent(10, 0, 1000)));
    }
    EXPECT_TRUE(pace.waitsOnDisk(spent(10, 0, 1000)));
    // Folders from the page cache on a busy processor: waiting for it is not
    // waiting on the disk; nor is one slow folder in a window.
    for (unsigned i = 1; i < DiskPace::kWindow; ++i) {
        EXPECT_FALSE(pace.waitsOnDisk(spent(10, 90, 100)));
    }
    EXPECT_FALSE(pace.waitsOnDisk(spent(10, 0, 2000)));
}

TEST(DiskPace, TheBoundIsThreeQuartersOfTheWindowBlocked) {
    DiskPace above;
    DiskPace at;
    bool aboveWaits = false;
    bool atWaits = false;
    for (unsigned i = 0; i < DiskPace::kWindow; ++i) {
        aboveWaits = above.waitsOnDisk(spent(14, 10, 100));
        atWaits = at.waitsOnDisk(spent(15, 10, 100));
    }
    EXPECT_TRUE(aboveWaits);
    EXPECT_FALSE(atWaits);
}

TEST(DiskPace, TimesTheFirstWindowWholeThenOneInSo) {
    DiskPace pace;
    unsigned timed = 0;
    for (unsigned i = 0; i < 4 * DiskPace::kTimeEvery; ++i) {
        const bool timesThis = pace.timesNext();
        EXPECT_EQ(timesThis, i < DiskPace::kWindow || i % DiskPace::kTimeEvery == 0) << i;
        timed += timesThis ? 1 : 0;
    }
    EXPECT_EQ(timed, DiskPace::kWindow + 3);
}

TEST(ThreadClock, SleepIsBlockedAndBusyWorkIsNot) {
    const ThreadClock clock;
    const ThreadTimes start = clock.now();
    timespec nap{0, 20'000'000};
    ::nanosleep(&nap, nullptr);
    const ThreadTimes slept = clock.now() - start;
    EXPECT_GE(slept.elapsed, std::chrono::milliseconds(20));
    EXPECT_GT(slept.blocked() * 4, slept.elapsed * 3);

    // Busy on a crowded processor: every thread here is running or waiting to.
    std::atomic<bool> done{false};
    std::vector<std::thread> crowd;
    for (unsigned i = 0; i < 2 * std::max(1U, std::thread::hardware_concurrency()); ++i) {
        crowd.emplace_back([&done] {
            while (!done.load()) {
            }
        });
    }
    const ThreadTimes busyStart = clock.now();
    while (clock.now().elapsed - busyStart.elapsed < std::chrono::milliseconds(50)) {
    }
    const ThreadTimes busy = clock.now() - busyStart;
    done = true;
    for (std::thread& t : crowd) {
        t.join();
    }
    EXPECT_LT(busy.blocked() * 4, busy.elapsed * 3);
}

}  // namespace
}  // namespace zandor
