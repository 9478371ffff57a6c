#include "platform/fs_count.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <string>
#include <vector>

#include "platform/fs_entry_info.h"
#include "temp_tree.h"

namespace zandor {
namespace {

std::string currentDirectory() {
    std::vector<char> buffer(PATH_MAX + 1);
    return ::getcwd(buffer.data(), buffer.size()) != nullptr ? std::string(buffer.data())
                                                             : std::string();
}

TEST(CountFolderContents, AFolderCountsItselfAndEverythingBelow) {
    test::TempTree tree;
    tree.file("top/a.txt", 100);
    tree.file("top/sub/b.txt", 2000);
    tree.file("top/sub/deeper/.hidden", 5ULL << 30);
    tree.folder("top/empty");
    EXPECT_EQ(CountFolderContents(tree.path("top")),
              (ContentCount{4, 3, 100 + 2000 + (5ULL << 30)}));
}

TEST(CountFolderContents, AFileOrAnEmptyFolderOrNothing) {
    test::TempTree tree;
    tree.file("f", 1024);
    tree.folder("empty");
    EXPECT_EQ(CountFolderContents(tree.path("f")), (ContentCount{0, 1, 1024}));
    EXPECT_EQ(CountFolderContents(tree.path("empty")), (ContentCount{1, 0, 0}));
    EXPECT_EQ(CountFolderContents(tree.path("absent")), (ContentCount{}));
}

TEST(CountFolderContents, LinksAreFilesOfTheirOwnSizeAndNeverFollowed) {
    test::TempTree tree;
    tree.file("top/data", 10);
    const std::string target = tree.root();  // a loop back to the top
    ASSERT_EQ(::symlink(target.c_str(), tree.path("top/loop").c_str()), 0);
    ASSERT_EQ(::symlink(target.c_str(), tree.path("link-to-top").c_str()), 0);
    EXPECT_EQ(CountFolderContents(tree.path("top")),
              (ContentCount{1, 2, 10 + static_cast<std::uint64_t>(target.size())}));
    EXPECT_EQ(CountFolderContents(tree.path("link-to-top")),
              (ContentCount{0, 1, static_cast<std::uint64_t>(target.size())}));
}

TEST(CountFolderContents, ATreeDeeperThanTheOpenFolderLimitIsCountedWhole) {
    test::TempTree tree;
    tree.folder("deep");
    tree.deepChain("deep", 300);
    // Some of these are met only after the chain is left again.
    for (int i = 0; i < 20; ++i) {
        tree.file("deep/after" + std::to_string(i), 7);
    }
    EXPECT_EQ(CountFolderContents(tree.path("deep")), (ContentCount{301, 20, 140}));
}

TEST(CountFolderContents, LeavesTheCurrentDirectory) {
    test::TempTree tree;
    tree.folder("top/sub");
    const std::string before = currentDirectory();
    CountFolderContents(tree.path("top"));
    EXPECT_EQ(currentDirectory(), before);
}

TEST(CountFolderContents, StopsWhenCancelledAndReportsProgress) {
    test::TempTree tree;
    for (int i = 0; i < 5000; ++i) {
        tree.file("top/f" + std::to_string(i));
    }
    std::vector<ContentCount> reports;
    const ContentCount all = CountFolderContents(
        tree.path("top"), nullptr, [&](const ContentCount& sofar) { reports.push_back(sofar); });
    EXPECT_EQ(all, (ContentCount{1, 5000, 0}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports.front().folders, 1u);
    EXPECT_LT(reports.front().files, 5000u);

    std::atomic<bool> cancel{false};
    const ContentCount cancelled =
        CountFolderContents(tree.path("top"), &cancel, [&](const ContentCount&) { cancel = true; });
    EXPECT_LT(cancelled.files, 5000u);
}

// The type comes from the item itself: a folder whatever its permissions, a
// link (to a folder too) a file, as the list shows them.
TEST(IsFolderItself, FoldersWhateverTheirRightsAndNeverLinks) {
    test::TempTree tree;
    tree.folder("dir");
    tree.folder("shut");
    tree.file("file");
    ASSERT_EQ(::symlink(tree.path("dir").c_str(), tree.path("to-dir").c_str()), 0);
    ASSERT_EQ(::chmod(tree.path("shut").c_str(), 0), 0);
    EXPECT_TRUE(isFolderItself(tree.path("dir")));
    EXPECT_TRUE(isFolderItself(tree.path("shut")));
    EXPECT_FALSE(isFolderItself(tree.path("to-dir")));
    EXPECT_FALSE(isFolderItself(tree.path("file")));
    EXPECT_FALSE(isFolderItself(tree.path("absent")));
    ::chmod(tree.path("shut").c_str(), 0700);
}

TEST(EntryExists, OnlyAnItemThatIsGoneDoesNot) {
    test::TempTree tree;
    tree.file("file");
    ASSERT_EQ(::symlink("nowhere", tree.path("dangling").c_str()), 0);
    EXPECT_TRUE(entryExists(tree.path("file")));
    EXPECT_TRUE(entryExists(tree.path("dangling")));
    EXPECT_FALSE(entryExists(tree.path("absent")));
    EXPECT_FALSE(entryExists(tree.path("file/below")));
}

}  // namespace
}  // namespace zandor
