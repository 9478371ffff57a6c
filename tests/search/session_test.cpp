// The worker's lifecycle: start, stop, one walk at a time, and live changes
// from another thread. These run under ThreadSanitizer too.
#include "search/search_session.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <future>
#include <latch>
#include <memory>
#include <thread>

#include "recording_sinks.h"
#include "temp_tree.h"

namespace zandor {
namespace {

using test::RecordingProgress;
using test::RecordingResults;
using test::TempTree;

class SessionTest : public testing::Test {
  protected:
    SearchRequest request(const std::string& name = "") const {
        return SearchRequest{tree.root(), name, false};
    }

    // A future that becomes ready when the walk writes its first title.
    std::future<void> signalFirstTitle() {
        auto promise = std::make_shared<std::promise<void>>();
        auto signalled = std::make_shared<std::atomic<bool>>(false);
        progress.onTitle = [promise, signalled](const std::string&) {
            if (!signalled->exchange(true)) {
                promise->set_value();
            }
        };
        return promise->get_future();
    }

    TempTree tree;
    LiveConditionsBoard board;
    RecordingResults results;
    RecordingProgress progress;
};

TEST_F(SessionTest, RunsASearchOnTheWorkerAndCompletes) {
    tree.file("a/b.txt");
    tree.file("c.h");
    SearchSession session(board, results, progress);
    const auto generation = session.start(request("*.txt"));
    session.waitUntilIdle();
    EXPECT_FALSE(session.busy());
    EXPECT_EQ(results.paths(), std::vector<std::string>{tree.path("a/b.txt")});
    const auto completions = progress.completions();
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0].generation, generation);
    EXPECT_EQ(completions[0].filesFound, 1);
    EXPECT_FALSE(completions[0].stopped);
}

TEST_F(SessionTest, TheWalkRunsBelowTheThreadThatStartedIt) {
    tree.file("a/b.txt");
    std::atomic<int> walkNice{-100};
    progress.onTitle = [&](const std::string&) {
        errno = 0;
        walkNice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    };
    SearchSession session(board, results, progress);
    session.start(request());
    session.waitUntilIdle();
    errno = 0;
    const int callerNice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    // Already as low as a thread goes, it can only stay there.
    EXPECT_EQ(walkNice.load(), std::min(19, callerNice + 5));
}

TEST_F(SessionTest, StopEndsTheWalkWithTheCountsReached) {
    tree.deepChain("chain", 3000);
    auto firstTitle = signalFirstTitle();
    SearchSession session(board, results, progress);
    session.start(request());
    firstTitle.wait();
    session.stop();
    session.waitUntilIdle();
    const auto completion = progress.completions().at(0);
    EXPECT_TRUE(completion.stopped);
    EXPECT_EQ(static_cast<std::size_t>(completion.foldersFound), results.rows().size());
    EXPECT_LT(completion.foldersFound, 3001);
}

TEST_F(SessionTest, SearchDuringAnUnwindingWalkStartsWhenItEnds) {
    tree.deepChain("chain", 50);
    std::latch started(1);
    std::latch release(1);
    std::atomic<bool> held{false};
    progress.onTitle = [&](const std::string&) {
        if (!held.exchange(true)) {
            started.count_down();
            release.wait();  // the first walk stays inside its first entry
        }
    };
    SearchSession session(board, results, progress);
    const auto first = session.start(request());
    started.wait();
    session.stop();
    const auto second = session.start(request());  // must not wait for the first walk
    EXPECT_TRUE(session.busy());
    release.count_down();
    session.waitUntilIdle();

    const auto completions = progress.completions();
    ASSERT_EQ(completions.size(), 2u);
    EXPECT_EQ(completions[0].generation, first);
    EXPECT_TRUE(completions[0].stopped);
    EXPECT_EQ(completions[0].foldersFound, 1);
    EXPECT_EQ(completions[1].generation, second);
    EXPECT_FALSE(completions[1].stopped);
    EXPECT_EQ(completions[1].foldersFound, 51);
    EXPECT_EQ(results.generations(), (std::vector<std::uint64_t>{first, second}));
    EXPECT_EQ(results.rows().size(), 52u);
}

TEST_F(SessionTest, StopWhileIdleDoesNotStopTheNextSearch) {
    tree.file("x/y");
    SearchSession session(board, results, progress);
    session.stop();
    session.start(request());
    session.waitUntilIdle();
    EXPECT_FALSE(progress.completions().at(0).stopped);
    EXPECT_EQ(results.sortedPaths(), (std::vector<std::string>{tree.path("x"), tree.path("x/y")}));
}

TEST_F(SessionTest, LiveChangesFromAnotherThreadAreRaceFree) {
    for (int i = 0; i < 200; ++i) {
        tree.file("f" + std::to_string(i) + ".dat", static_cast<std::uint64_t>(i) * 100);
    }
    tree.deepChain("chain", 200);
    SearchSession session(board, results, progress);
    session.start(request());
    for (int i = 0; session.busy() && i < 100000; ++i) {
        LiveConditions next;
        next.m_bSizeFilter = i % 2 == 0;
        next.m_sizeKB = i % 7;
        next.m_bTypeFilter = i % 3 == 0;
        next.m_strTypeExt = i % 2 == 0 ? "dat" : "h";
        board.publish(next);
    }
    session.waitUntilIdle();
    const auto completion = progress.completions().at(0);
    EXPECT_EQ(static_cast<std::size_t>(completion.filesFound + completion.foldersFound),
              results.rows().size());
}

TEST_F(SessionTest, DestroyingTheSessionStopsAndWaitsForTheWalk) {
    tree.deepChain("chain", 5000);
    auto firstTitle = signalFirstTitle();
    {
        SearchSession session(board, results, progress);
        session.start(request());
        firstTitle.wait();
    }
    // The worker has ended: its completion arrived before the session went.
    ASSERT_EQ(progress.completions().size(), 1u);
    EXPECT_TRUE(progress.completions()[0].stopped);
}

// The one way a request becomes criteria: the look-in folder, the name text
// split into its parts, the letter case and the threads; the counters and the
// stop flag are the walk's and stay as they are.
TEST(SessionRequest, FillsTheCriteriaAWalkReads) {
    SearchCriteria criteria;
    criteria.m_nFilesFound = 3;
    const SearchRequest request{"/look/in", "Rep*.ht*", true, 4};
    request.fillCriteria(criteria);
    EXPECT_EQ(criteria.m_strLookIn, "/look/in");
    EXPECT_EQ(criteria.m_strNamePattern, "Rep*.ht*");
    EXPECT_TRUE(criteria.m_bCaseSensitive);
    EXPECT_EQ(criteria.m_threads, 4U);
    EXPECT_EQ(criteria.m_strBasePart, "Rep*");
    EXPECT_EQ(criteria.m_strExtPart, "ht");
    EXPECT_TRUE(criteria.m_bHasDot);
    EXPECT_TRUE(criteria.m_bBaseWildcard);
    EXPECT_TRUE(criteria.m_bExtWildcard);
    EXPECT_FALSE(criteria.m_bExtStarFirst);
    EXPECT_EQ(criteria.m_nFilesFound, 3);
    EXPECT_FALSE(criteria.m_bStop);

    // A second request replaces every part of the first, flags included.
    SearchRequest{"/other", "plain", false, 0}.fillCriteria(criteria);
    EXPECT_EQ(criteria.m_strLookIn, "/other");
    EXPECT_EQ(criteria.m_strBasePart, "plain");
    EXPECT_FALSE(criteria.m_bHasDot);
    EXPECT_FALSE(criteria.m_bBaseWildcard);
    EXPECT_FALSE(criteria.m_bExtWildcard);
    EXPECT_FALSE(criteria.m_bCaseSensitive);
    EXPECT_EQ(criteria.m_threads, 0U);
}

}  // namespace
}  // namespace zandor
