// Storms on the search session: hundreds of searches started, stopped and
// replaced, from one thread and from two, and sessions destroyed mid-walk.
// Each is bounded by its number of cycles; these also run under
// ThreadSanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <set>
#include <thread>

#include "generation_recorder.h"
#include "reference_walk.h"
#include "search/search_session.h"
#include "temp_tree.h"

namespace zandor {
namespace {

using test::GenerationRecorder;
using test::TempTree;

// 40 folders of 50 files: long enough a walk to be stopped part-way.
void makeForest(const TempTree& tree) {
    for (int folder = 0; folder < 40; ++folder) {
        for (int file = 0; file < 50; ++file) {
            tree.file("f" + std::to_string(folder) + "/n" + std::to_string(file) + ".txt");
        }
    }
}

std::vector<std::string> sorted(std::vector<std::string> items) {
    std::sort(items.begin(), items.end());
    return items;
}

// What every storm must leave: each walk that began completed once, in the
// order they began, with counts equal to its rows; no walk listed a path
// twice or a path that is not in the tree.
void expectEveryWalkAccountedFor(const GenerationRecorder& recorder,
                                 const std::vector<std::string>& reference) {
    const auto started = recorder.started();
    std::vector<std::uint64_t> completed;
    for (const auto& completion : recorder.completions()) {
        completed.push_back(completion.generation);
        const auto paths = sorted(recorder.paths(completion.generation));
        EXPECT_EQ(static_cast<std::size_t>(completion.filesFound + completion.foldersFound),
                  paths.size());
        EXPECT_EQ(std::adjacent_find(paths.begin(), paths.end()), paths.end())
            << "a path listed twice by search " << completion.generation;
        EXPECT_TRUE(std::includes(reference.begin(), reference.end(), paths.begin(), paths.end()))
            << "search " << completion.generation << " listed what is not in the tree";
    }
    EXPECT_EQ(completed, started);
    EXPECT_TRUE(std::is_sorted(started.begin(), started.end()));
}

TEST(SessionStorm, StartStopStartHundredsOfTimesEndsWithTheLastSearchWhole) {
    TempTree tree;
    makeForest(tree);
    const auto reference = test::sortedPaths(test::referenceWalk(tree.root()));
    const LiveConditionsBoard board;
    GenerationRecorder recorder;
    SearchSession session(board, recorder, recorder);
    const SearchRequest request{tree.root(), "", false};
    for (int cycle = 0; cycle < 300; ++cycle) {
        session.start(request);
        session.stop();
        if (cycle % 10 == 0) {
            session.waitUntilIdle();  // now and then the queue runs dry
        }
    }
    const auto last = session.start(request);
    session.waitUntilIdle();
    expectEveryWalkAccountedFor(recorder, reference);
    const auto completions = recorder.completions();
    ASSERT_FALSE(completions.empty());
    EXPECT_EQ(completions.back().generation, last);
    EXPECT_FALSE(completions.back().stopped);
    EXPECT_EQ(sorted(recorder.paths(last)), reference);
}

TEST(SessionStorm, StopFromAnotherThreadWhileSearchesStart) {
    TempTree tree;
    makeForest(tree);
    const auto reference = test::sortedPaths(test::referenceWalk(tree.root()));
    const LiveConditionsBoard board;
    GenerationRecorder recorder;
    SearchSession session(board, recorder, recorder);
    const SearchRequest request{tree.root(), "n1", false};
    std::atomic<bool> starting{true};
    std::thread stopper([&] {
        while (starting.load()) {
            session.stop();
            std::this_thread::yield();
        }
    });
    for (int cycle = 0; cycle < 200; ++cycle) {
        session.start(request);
    }
    starting = false;
    stopper.join();
    session.waitUntilIdle();
    const auto last = session.start(request);
    session.waitUntilIdle();
    expectEveryWalkAccountedFor(recorder, reference);
    // "n1" lists the files whose name before its dot holds n1 (n1.txt,
    // n10.txt to n19.txt), in every folder; no folder name starts with it.
    std::vector<std::string> expected;
    for (const auto& path : reference) {
        const std::string name = path.substr(path.rfind('/') + 1);
        const std::size_t dot = name.find('.');
        if (dot != std::string::npos && name.substr(0, dot).find("n1") != std::string::npos) {
            expected.push_back(path);
        }
    }
    ASSERT_EQ(expected.size(), 40u * 11u);
    EXPECT_EQ(sorted(recorder.paths(last)), expected);
}

TEST(SessionStorm, SessionsDestroyedMidWalkStopAndWait) {
    TempTree tree;
    makeForest(tree);
    const auto reference = test::sortedPaths(test::referenceWalk(tree.root()));
    for (int cycle = 0; cycle < 100; ++cycle) {
        const LiveConditionsBoard board;
        GenerationRecorder recorder;
        {
            SearchSession session(board, recorder, recorder);
            session.start(SearchRequest{tree.root(), "", false});
            if (cycle % 2 == 1) {
                session.start(SearchRequest{tree.root(), "", false});  // one replaced, one running
            }
        }
        // The destructor has stopped and waited: nothing more can arrive.
        expectEveryWalkAccountedFor(recorder, reference);
        EXPECT_EQ(recorder.completions().size(), recorder.started().size());
    }
}

}  // namespace
}  // namespace zandor
