#include "platform/fs_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "temp_tree.h"

namespace zandor {
namespace {

std::vector<std::pair<std::string, EntryKind>> entriesOf(const std::string& folder,
                                                         DirListing& listing) {
    Result<UniqueFd> opened = openFolder(folder.c_str());
    EXPECT_TRUE(opened.ok());
    const UniqueFd fd = opened.ok() ? std::move(opened.value()) : UniqueFd();
    EXPECT_TRUE(listing.read(fd.get()).ok());
    std::vector<std::pair<std::string, EntryKind>> out;
    auto cursor = listing.cursor();
    DirEntry entry{};
    while (cursor.next(entry)) {
        const bool folderKind =
            entry.kind == EntryKind::Folder ||
            (entry.kind == EntryKind::Unknown && isFolderAt(fd.get(), entry.name.data()));
        out.emplace_back(std::string(entry.name), folderKind ? EntryKind::Folder : EntryKind::File);
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(DirListing, GivesEveryEntryWithItsKind) {
    test::TempTree tree;
    tree.file("a.txt");
    tree.folder("sub");
    tree.file(".hidden");
    DirListing listing;
    const auto entries = entriesOf(tree.root(), listing);
    const std::vector<std::pair<std::string, EntryKind>> expected = {{".", EntryKind::Folder},
                                                                     {"..", EntryKind::Folder},
                                                                     {".hidden", EntryKind::File},
                                                                     {"a.txt", EntryKind::File},
                                                                     {"sub", EntryKind::Folder}};
    EXPECT_EQ(entries, expected);
}

TEST(DirListing, ReadsLargeFoldersWholeAndIsReusable) {
    test::TempTree tree;
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i) {
        names.push_back("file-with-a-longish-name-" + std::to_string(i));
        tree.file("big/" + names.back());
    }
    tree.file("small/only");
    DirListing listing;  // one listing for both: the second read replaces the first
    EXPECT_EQ(entriesOf(tree.path("big"), listing).size(), 5002u);
    const auto small = entriesOf(tree.path("small"), listing);
    ASSERT_EQ(small.size(), 3u);
    EXPECT_EQ(small[2].first, "only");
}

TEST(DirListing, OpeningFailsForMissingFilesAndLinks) {
    test::TempTree tree;
    tree.file("plain");
    tree.folder("dir");
    EXPECT_EQ(openFolder(tree.path("missing").c_str()).error().code, ENOENT);
    EXPECT_EQ(openFolder(tree.path("plain").c_str()).error().code, ENOTDIR);
    ASSERT_EQ(::symlink("dir", tree.path("link").c_str()), 0);
    const UniqueFd root = std::move(openFolder(tree.root().c_str()).value());
    EXPECT_TRUE(openSubFolder(root.get(), "dir").valid());
    EXPECT_FALSE(openSubFolder(root.get(), "link").valid());  // never followed
    EXPECT_FALSE(isFolderAt(root.get(), "link"));
}

}  // namespace
}  // namespace zandor
