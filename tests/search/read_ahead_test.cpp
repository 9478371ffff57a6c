// The read-ahead on its own, as the walk drives it: folders prepared by
// helpers that start few and are all woken halfway come to the walk whole,
// each once, and go back to the helpers to be freed; a walk that waits for a
// helper's folder prepares queued ones meanwhile; helpers run at the walk's
// priority; Stop ends their waits. Run under ThreadSanitizer with the walk's tests.
#include "search/read_ahead.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "platform/fs_dir.h"
#include "temp_tree.h"

namespace zandor {
namespace {

// Twelve folders of eight folders of a 5-byte file; the paths made.
std::set<std::string> makeTree(const test::TempTree& tree) {
    std::set<std::string> made;
    for (int a = 0; a < 12; ++a) {
        for (int b = 0; b < 8; ++b) {
            const std::string folder = "d" + std::to_string(a) + "/e" + std::to_string(b);
            tree.file(folder + "/f.txt", 5);
            made.insert("d" + std::to_string(a));
            made.insert(folder);
            made.insert(folder + "/f.txt");
        }
    }
    return made;
}

NamePattern everyName() {
    NamePattern split;
    splitNamePattern("", split);
    return matchingPattern(split);
}

// The threads of this process, by id.
std::set<pid_t> threadsOfThisProcess() {
    std::set<pid_t> threads;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        threads.insert(static_cast<pid_t>(std::stol(task.path().filename().string())));
    }
    return threads;
}

class WalkReadAhead : public ::testing::Test {
  protected:
    test::TempTree tree;
    const NamePattern pattern = everyName();
    const LiveConditionsBoard live;
    const std::atomic<bool> stop{false};
};

TEST_F(WalkReadAhead, HelpersWokenHalfwayPrepareEveryFolderOnce) {
    const std::set<std::string> expected = makeTree(tree);
    Result<UniqueFd> opened = openFolder(tree.root().c_str());
    ASSERT_TRUE(opened.ok());
    ReadAhead ahead(UniqueFd(::dup(opened.value().get())), HelperCount{1, 4},
                    EntryRules(pattern, true), live, stop);
    std::multiset<std::string> seen;
    const std::function<void(const std::shared_ptr<FolderNode>&, const std::string&)> visit =
        [&](const std::shared_ptr<FolderNode>& node, const std::string& path) {
            for (std::size_t i = 0; i < node->entries.size(); ++i) {
                AheadEntry& entry = node->entries[i];
                const std::string entryPath =
                    path.empty() ? std::string(entry.name) : path + "/" + std::string(entry.name);
                seen.insert(entryPath);
                if (entry.kind != EntryKind::Folder) {
                    // Described by a helper, or left for the walk to describe.
                    EXPECT_TRUE(!entry.described || entry.info.size == 5U) << entryPath;
                    continue;
                }
                if (seen.size() == expected.size() / 2) {
                    ahead.growToMost();
                }
                std::shared_ptr<FolderNode> child =
                    entry.child ? std::move(entry.child)
                                : subFolderNode(node, entry, static_cast<std::uint32_t>(i));
                ahead.ready(child, node->fd.get(), node->id.dev);
                ASSERT_FALSE(child->error) << entryPath;
                EXPECT_EQ(child->relativePath(), entryPath);
                visit(child, entryPath);
                ahead.retire(std::move(child));
            }
        };
    const std::shared_ptr<FolderNode> root = ahead.prepareRoot(std::move(opened.value()));
    ASSERT_FALSE(root->error);
    visit(root, "");
    EXPECT_EQ(seen, std::multiset<std::string>(expected.begin(), expected.end()));
}

TEST_F(WalkReadAhead, AWalkWaitingForAHelpersFolderPreparesQueuedOnes) {
    makeTree(tree);
    Result<UniqueFd> opened = openFolder(tree.root().c_str());
    ASSERT_TRUE(opened.ok());
    // One helper that never starts: the queue is the walk's alone, so what
    // it prepares does not depend on how fast a helper would have been.
    ReadAhead ahead(UniqueFd(::dup(opened.value().get())), HelperCount{0, 1},
                    EntryRules(pattern, true), live, stop);
    const std::shared_ptr<FolderNode> root = ahead.prepareRoot(std::move(opened.value()));
    ASSERT_FALSE(root->error);
    ASSERT_FALSE(root->entries.empty());
    // A folder that a slow helper holds: it is published only once the walk
    // has prepared a queued folder (or after 30 s, and the test fails).
    const std::shared_ptr<FolderNode> held = subFolderNode(root, root->entries[0], 0);
    ASSERT_TRUE(held->claim());
    std::thread slowHelper([&] {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (ahead.preparedByWalk() == 0 && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::yield();
        }
        prepareFolder(held, openFolder((tree.root() + "/" + held->relativePath()).c_str()),
                      root->id.dev, std::nullopt, nullptr, stop);
        held->publish();
    });
    ahead.ready(held, root->fd.get(), root->id.dev);
    slowHelper.join();
    EXPECT_GT(ahead.preparedByWalk(), 0U);
    ASSERT_FALSE(held->error);
    EXPECT_EQ(held->entries.size(), 8U);
}

TEST_F(WalkReadAhead, HelpersRunAtThePriorityOfTheThreadThatMadeThem) {
    makeTree(tree);
    std::thread walk([&] {
        const auto self = static_cast<id_t>(::gettid());
        errno = 0;
        const int nice = std::min(19, ::getpriority(PRIO_PROCESS, self) + 3);
        ASSERT_EQ(errno, 0);
        ASSERT_EQ(::setpriority(PRIO_PROCESS, self, nice), 0);
        const std::set<pid_t> before = threadsOfThisProcess();
        Result<UniqueFd> opened = openFolder(tree.root().c_str());
        ASSERT_TRUE(opened.ok());
        ReadAhead ahead(UniqueFd(::dup(opened.value().get())), ReadAhead::fixedHelpers(2),
                        EntryRules(pattern, true), live, stop);
        std::set<pid_t> helpers;
        for (const pid_t thread : threadsOfThisProcess()) {
            if (before.count(thread) == 0) {
                helpers.insert(thread);
            }
        }
        ASSERT_EQ(helpers.size(), 2U);
        // Work for them: a helper that set a priority of its own would have
        // done so before it prepared the folders it took.
        const std::shared_ptr<FolderNode> root = ahead.prepareRoot(std::move(opened.value()));
        for (const AheadEntry& entry : root->entries) {
            ASSERT_TRUE(entry.child);
            entry.child->waitReady();
        }
        for (const pid_t helper : helpers) {
            errno = 0;
            const int helperNice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(helper));
            ASSERT_EQ(errno, 0);
            EXPECT_EQ(helperNice, nice);
        }
    });
    walk.join();
}

// Stop ends every wait of a helper at once: the waits have no timeout, so a
// helper that Stop did not wake would keep the read-ahead from ending, and
// the test would hang until ctest's timeout fails it.
TEST_F(WalkReadAhead, StopEndsTheWaitsOfHelpersAsleep) {
    tree.folder("empty");
    // ThreadSanitizer starts a thread of its own with the process's first
    // other thread: made here, it is among the threads counted before.
    std::thread([] {}).join();
    for (const HelperCount helpers : {HelperCount{0, 3}, HelperCount{2, 2}, HelperCount{1, 3}}) {
        const std::set<pid_t> before = threadsOfThisProcess();
        Result<UniqueFd> opened = openFolder((tree.root() + "/empty").c_str());
        ASSERT_TRUE(opened.ok());
        auto ahead = std::make_unique<ReadAhead>(UniqueFd(::dup(opened.value().get())), helpers,
                                                 EntryRules(pattern, true), live, stop);
        ahead->prepareRoot(std::move(opened.value()));  // nothing below it: no work
        const std::size_t all = helpers.atMost;
        while (ahead->helpersAsleep() < all) {
            std::this_thread::yield();
        }
        EXPECT_EQ(threadsOfThisProcess().size(), before.size() + all);
        ahead.reset();  // returns only once every helper has ended
        // The kernel lists an ended thread until it has reaped it, which may
        // be a moment after the join returned: wait for that, not longer.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (threadsOfThisProcess() != before && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        EXPECT_EQ(threadsOfThisProcess(), before) << helpers.atStart << " of " << all << " awake";
    }
}

TEST(WalkReadAheadLimit, PreparedFoldersWaitingFollowTheOpenFileLimit) {
    // The common desktop limit keeps the whole read-ahead, even with the most helpers.
    EXPECT_EQ(ReadAhead::waitingFoldersFor(1024, 16), ReadAhead::kMaxWaitingFolders);
    const std::size_t few = ReadAhead::waitingFoldersFor(400, 16);
    EXPECT_GT(few, 0U);
    EXPECT_LT(few, ReadAhead::kMaxWaitingFolders);
    // Too few for the walk's own folders and helpers: the walk runs alone.
    EXPECT_EQ(ReadAhead::waitingFoldersFor(200, 16), 0U);
    EXPECT_EQ(ReadAhead::waitingFoldersFor(0, 1), 0U);
}

}  // namespace
}  // namespace zandor
