// The read-ahead on its own, as the walk drives it: folders prepared by
// helpers that start few and are all woken halfway come to the walk whole,
// each once, and go back to the helpers to be freed. Run under
// ThreadSanitizer with the walk's tests.
#include "search/read_ahead.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <set>
#include <string>

#include "platform/fs_dir.h"
#include "temp_tree.h"

namespace zandor {
namespace {

TEST(WalkReadAhead, HelpersWokenHalfwayPrepareEveryFolderOnce) {
    test::TempTree tree;
    std::set<std::string> expected;
    for (int a = 0; a < 12; ++a) {
        for (int b = 0; b < 8; ++b) {
            const std::string folder = "d" + std::to_string(a) + "/e" + std::to_string(b);
            tree.file(folder + "/f.txt", 5);
            expected.insert("d" + std::to_string(a));
            expected.insert(folder);
            expected.insert(folder + "/f.txt");
        }
    }
    NamePattern split;
    splitNamePattern("", split);
    const NamePattern pattern = matchingPattern(split);
    const LiveConditionsBoard live;
    const std::atomic<bool> stop{false};
    Result<UniqueFd> opened = openFolder(tree.root().c_str());
    ASSERT_TRUE(opened.ok());
    ReadAhead ahead(UniqueFd(::dup(opened.value().get())), HelperCount{1, 4}, pattern, live, true,
                    stop);
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

}  // namespace
}  // namespace zandor
