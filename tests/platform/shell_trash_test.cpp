// Moving items to the freedesktop Trash, read back as a trash client reads
// it and restored: names with every kind of awkward byte, links (never their
// targets), folders, two items of one name, and a second file system.
#include "platform/shell_trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "temp_tree.h"
#include "trash_reader.h"

namespace zandor {
namespace {

struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    mode_t type = 0;
    bool operator==(const Identity&) const = default;
};

Identity identityOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return {};
    }
    return {st.st_dev, st.st_ino, st.st_mode & S_IFMT};
}

std::string linkTarget(const std::string& path) {
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    return length < 0 ? std::string() : target.substr(0, static_cast<std::size_t>(length));
}

std::vector<std::string> originalPaths(const std::vector<test::TrashedItem>& items) {
    std::vector<std::string> paths;
    for (const auto& item : items) {
        paths.push_back(item.originalPath);
    }
    return paths;
}

// The names that trash clients got wrong before, as the walk would list them.
const std::vector<std::string> kAwkwardNames = {
    "-leading-dash", "b\xe9.txt", "nl\nname.txt", "pct%41.txt", "with spaces.txt",
};

// Makes the awkward names, two links that lead nowhere, a link to a folder
// (which stays) and a folder with contents below folder; returns the paths to
// trash, sorted.
std::vector<std::string> makeItems(const std::string& folder) {
    auto make = [&](const std::string& relative) {
        test::TempTree::fileAt(folder + "/" + relative, 3);
    };
    std::vector<std::string> paths;
    for (const std::string& name : kAwkwardNames) {
        make(name);
        paths.push_back(folder + "/" + name);
    }
    make("kept/inner.txt");
    make("full/a.txt");
    make("full/sub/b.txt");
    EXPECT_EQ(::symlink("nowhere", (folder + "/dangling").c_str()), 0);
    EXPECT_EQ(::symlink("loop", (folder + "/loop").c_str()), 0);
    EXPECT_EQ(::symlink("kept", (folder + "/to-kept").c_str()), 0);
    for (const char* name : {"dangling", "full", "loop", "to-kept"}) {
        paths.push_back(folder + "/" + name);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

class TrashTest : public ::testing::Test {
  protected:
    // One home for the whole run: GIO reads HOME and XDG_DATA_HOME once.
    static void SetUpTestSuite() {
        s_home = std::make_unique<test::TempTree>();
        s_home->folder("data");
        ::setenv("HOME", s_home->root().c_str(), 1);
        ::setenv("XDG_DATA_HOME", s_home->path("data").c_str(), 1);
    }
    static void TearDownTestSuite() { s_home.reset(); }

    static std::string homeTrash() { return s_home->path("data/Trash"); }

    // Trashes every path, reads the trash back, checks each item is there
    // with its exact path and is the very same item, then restores them all.
    static void roundTrip(const std::vector<std::string>& paths, const std::string& trashFolder,
                          const std::string& topdir) {
        std::map<std::string, Identity> before;
        for (const std::string& path : paths) {
            before[path] = identityOf(path);
            const Result<void> trashed = moveToTrash(path);
            EXPECT_TRUE(trashed.ok()) << path << ": " << trashed.error().message;
            EXPECT_EQ(identityOf(path), Identity{}) << path;
        }
        const std::vector<test::TrashedItem> items = test::readTrash(trashFolder, topdir);
        EXPECT_EQ(originalPaths(items), paths);
        for (const auto& item : items) {
            EXPECT_EQ(identityOf(item.storedPath), before[item.originalPath]) << item.originalPath;
            EXPECT_TRUE(test::restoreFromTrash(item)) << item.originalPath;
            EXPECT_EQ(identityOf(item.originalPath), before[item.originalPath])
                << item.originalPath;
        }
        EXPECT_TRUE(test::readTrash(trashFolder, topdir).empty());
    }

    static std::unique_ptr<test::TempTree> s_home;
};

std::unique_ptr<test::TempTree> TrashTest::s_home;

TEST_F(TrashTest, EveryKindOfItemComesBackFromTheHomeTrashExactly) {
    test::TempTree tree;
    const std::vector<std::string> paths = makeItems(tree.root());
    roundTrip(paths, homeTrash(), "");
    // Links were trashed as links: their targets stayed where they were.
    EXPECT_EQ(linkTarget(tree.path("to-kept")), "kept");
    EXPECT_EQ(linkTarget(tree.path("loop")), "loop");
    EXPECT_NE(identityOf(tree.path("kept/inner.txt")), Identity{});
    EXPECT_NE(identityOf(tree.path("full/sub/b.txt")), Identity{});
}

TEST_F(TrashTest, PathLinesArePercentEncodedAndAbsoluteInTheHomeTrash) {
    test::TempTree tree;
    for (const std::string& name : kAwkwardNames) {
        test::TempTree::fileAt(tree.path(name), 0);
        ASSERT_TRUE(moveToTrash(tree.path(name)).ok());
    }
    std::vector<std::string> lines;
    const auto items = test::readTrash(homeTrash(), "");
    for (const auto& item : items) {
        const std::size_t at = item.infoText.find("\nPath=");
        lines.push_back(item.infoText.substr(at + 1, item.infoText.find('\n', at + 1) - at - 1));
        test::restoreFromTrash(item);
    }
    const std::string root = "Path=" + tree.root();
    EXPECT_EQ(lines, (std::vector<std::string>{root + "/-leading-dash", root + "/b%E9.txt",
                                               root + "/nl%0Aname.txt", root + "/pct%2541.txt",
                                               root + "/with%20spaces.txt"}));
}

TEST_F(TrashTest, TwoItemsOfOneNameAreBothKept) {
    test::TempTree tree;
    test::TempTree::fileAt(tree.path("one/same"), 1);
    test::TempTree::fileAt(tree.path("two/same"), 2);
    roundTrip({tree.path("one/same"), tree.path("two/same")}, homeTrash(), "");
    struct stat one {};
    struct stat two {};
    ASSERT_EQ(::lstat(tree.path("one/same").c_str(), &one), 0);
    ASSERT_EQ(::lstat(tree.path("two/same").c_str(), &two), 0);
    EXPECT_EQ(one.st_size, 1);
    EXPECT_EQ(two.st_size, 2);
}

TEST_F(TrashTest, ItemsOnAnotherFileSystemGoToItsTopFolderTrash) {
    test::SecondFileSystem disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.skipReason();
    }
    const std::vector<std::string> paths = makeItems(disk.root() + "/below");
    const std::string trash = disk.root() + "/.Trash-" + std::to_string(::getuid());
    roundTrip(paths, trash, disk.root());
    // Nothing of it went to the home trash, and the paths there are relative.
    EXPECT_TRUE(test::readTrash(homeTrash(), "").empty());
    test::TempTree::fileAt(disk.root() + "/b\xe9.txt", 0);
    ASSERT_TRUE(moveToTrash(disk.root() + "/b\xe9.txt").ok());
    const auto items = test::readTrash(trash, disk.root());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_NE(items[0].infoText.find("\nPath=b%E9.txt\n"), std::string::npos) << items[0].infoText;
}

TEST_F(TrashTest, AVanishedItemAndOneThatCannotBeTrashedSayWhy) {
    test::TempTree tree;
    const Result<void> vanished = moveToTrash(tree.path("absent"));
    ASSERT_FALSE(vanished.ok());
    EXPECT_EQ(vanished.error().code, ENOENT);
    // The kernel's own files have no trash; the reason is GIO's, without the path.
    const Result<void> refused = moveToTrash("/proc/version");
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().code, ENOENT);
    EXPECT_FALSE(refused.error().message.empty());
    EXPECT_EQ(refused.error().message.find("/proc/version"), std::string::npos)
        << refused.error().message;
    EXPECT_NE(identityOf("/proc/version"), Identity{});
}

}  // namespace
}  // namespace zandor
