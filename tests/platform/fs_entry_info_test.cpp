#include "platform/fs_entry_info.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fs_path.h"
#include "temp_tree.h"

namespace zandor {
namespace {

TEST(EntryInfo, SizeAndTimesOnSixtyFourBits) {
    test::TempTree tree;
    tree.file("huge", 5ULL << 30);
    tree.setLastWrite("huge", 1'000'000'000);
    const auto info = statEntryAt(AT_FDCWD, tree.path("huge").c_str());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->size, 5ULL << 30);
    EXPECT_EQ(info->lastWrite, 1'000'000'000);
    EXPECT_FALSE(info->isFolder);
    // Creation is the birth time where one is recorded (the file was just
    // made), else the last-write time.
    EXPECT_TRUE(info->created == 1'000'000'000 || info->created > 1'700'000'000);
}

TEST(EntryInfo, LinksAreDescribedNotFollowed) {
    test::TempTree tree;
    tree.folder("dir");
    ASSERT_EQ(::symlink("dir", tree.path("link").c_str()), 0);
    const auto info = statEntryAt(AT_FDCWD, tree.path("link").c_str());
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->isLink);
    EXPECT_FALSE(info->isFolder);
    EXPECT_EQ(info->size, 3u);  // the length of the link text "dir"
}

TEST(EntryInfo, AVanishedEntryIsNotDescribed) {
    test::TempTree tree;
    errno = 0;
    EXPECT_FALSE(statEntryAt(AT_FDCWD, tree.path("gone").c_str()));
    EXPECT_EQ(errno, ENOENT);
}

TEST(PathJoin, OneSlashNeverDoubled) {
    EXPECT_EQ(joinPath("/", "etc"), "/etc");
    EXPECT_EQ(joinPath("/home/u", "a.txt"), "/home/u/a.txt");
    EXPECT_EQ(joinPath("/home/u/", "a.txt"), "/home/u/a.txt");
    EXPECT_EQ(joinPath(".", "x"), "./x");
    const std::string longFolder(10000, 'f');
    EXPECT_EQ(joinPath(longFolder, "n").size(), 10002u);
}

}  // namespace
}  // namespace zandor
