#include "platform/fs_rename.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

#include "temp_tree.h"

namespace zandor {
namespace {

using test::exists;

std::uint64_t sizeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

TEST(ContainingFolder, TextBeforeTheLastSeparator) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/ann/notes.txt", "/home/ann"},
        {"/home/ann/", "/home/ann"},
        {"/bin", "/"},
        {"/", ""},
        {"relative/name", "relative"},
        {"name", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : cases) {
        EXPECT_EQ(containingFolder(path), folder) << path;
    }
}

TEST(RenameInFolder, GivesFilesAndFoldersTheirNewName) {
    test::TempTree tree;
    tree.file("old.txt", 10);
    tree.folder("dir/inner");
    EXPECT_TRUE(renameInFolder(tree.root(), "old.txt", "new.txt").ok());
    EXPECT_TRUE(renameInFolder(tree.root(), "dir", "renamed dir").ok());
    EXPECT_FALSE(exists(tree.path("old.txt")));
    EXPECT_EQ(sizeOf(tree.path("new.txt")), 10u);
    EXPECT_TRUE(exists(tree.path("renamed dir/inner")));
}

TEST(RenameInFolder, NeverReplacesAnExistingItem) {
    test::TempTree tree;
    tree.file("a", 1);
    tree.file("b", 2);
    tree.folder("c");
    EXPECT_EQ(renameInFolder(tree.root(), "a", "b").error().code, EEXIST);
    EXPECT_EQ(renameInFolder(tree.root(), "a", "c").error().code, EEXIST);
    EXPECT_EQ(sizeOf(tree.path("a")), 1u);
    EXPECT_EQ(sizeOf(tree.path("b")), 2u);
    EXPECT_TRUE(exists(tree.path("c")));
}

TEST(RenameInFolder, RefusesNamesThatLeaveTheFolderOrNameNoItem) {
    test::TempTree tree;
    tree.file("a", 1);
    tree.folder("sub");
    for (const std::string name : {"", ".", "..", "sub/a", "../a", "/tmp/a"}) {
        EXPECT_EQ(renameInFolder(tree.root(), "a", name).error().code, EINVAL) << name;
    }
    EXPECT_TRUE(exists(tree.path("a")));
    EXPECT_FALSE(exists(tree.path("sub/a")));
}

TEST(RenameInFolder, NamesAreRawBytes) {
    test::TempTree tree;
    const std::string latin1 = "caf\xe9";  // not valid UTF-8
    tree.file(latin1, 3);
    EXPECT_TRUE(renameInFolder(tree.root(), latin1, "cafe").ok());
    EXPECT_EQ(sizeOf(tree.path("cafe")), 3u);
    EXPECT_TRUE(renameInFolder(tree.root(), "cafe", "\xff\xfe").ok());
    EXPECT_EQ(sizeOf(tree.path("\xff\xfe")), 3u);
}

TEST(RenameInFolder, AMissingItemOrFolderFails) {
    test::TempTree tree;
    EXPECT_EQ(renameInFolder(tree.root(), "absent", "other").error().code, ENOENT);
    EXPECT_EQ(renameInFolder(tree.path("no-folder"), "a", "b").error().code, ENOENT);
}

}  // namespace
}  // namespace zandor
