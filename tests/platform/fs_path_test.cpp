// Where a path lies against a set of items: what a rename or a trash of a
// folder carries with it.
#include "platform/fs_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zandor {
namespace {

TEST(IsBelowAny, OnlyWholeFoldersAboveThePathHoldIt) {
    const PathSet items{"/a/dir", "rel", "/x/"};
    const std::vector<std::pair<std::string, bool>> cases = {
        {"/a/dir/f", true},    {"/a/dir/sub/g", true},
        {"/a/dir", false},     {"/a/dirt.txt", false},
        {"/a/di", false},      {"/a", false},
        {"rel/f", true},       {"relative/f", false},
        {"/b/a/dir/f", false}, {"/x/y", false /* "/x/" is not a folder's path */},
    };
    for (const auto& [path, below] : cases) {
        EXPECT_EQ(isBelowAny(path, items), below) << path;
        EXPECT_EQ(isAtOrBelowAny(path, items), below || items.contains(path)) << path;
    }
}

TEST(IsBelowAny, TheRootHoldsEveryAbsolutePath) {
    const PathSet root{"/"};
    EXPECT_TRUE(isBelowAny("/bin", root));
    EXPECT_TRUE(isBelowAny("/usr/share/doc", root));
    EXPECT_FALSE(isBelowAny("/", root));
    EXPECT_FALSE(isBelowAny("bin", root));
    EXPECT_FALSE(isBelowAny("", root));
}

}  // namespace
}  // namespace zandor
