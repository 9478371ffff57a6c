// Hostile trees through the search session, the engine path the window uses:
// each listing compared, whole, with an independent one.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "find_output.h"
#include "generation_recorder.h"
#include "hostile_trees.h"
#include "reference_walk.h"
#include "search/search_session.h"
#include "temp_tree.h"
#include "unprivileged.h"

namespace zandor {
namespace {

using test::GenerationRecorder;
using test::GenerationRow;
using test::referenceWalk;
using test::sorted;
using test::sortedPaths;
using test::TempTree;

// One search to its end; the rows it listed.
std::vector<GenerationRow> search(const std::string& folder, const std::string& pattern = "",
                                  const LiveConditions& conditions = {}) {
    const LiveConditionsBoard board(conditions);
    GenerationRecorder recorder;
    SearchSession session(board, recorder, recorder);
    const auto generation = session.start(SearchRequest{folder, pattern, false});
    session.waitUntilIdle();
    const auto rows = recorder.rows(generation);
    const auto completions = recorder.completions();
    EXPECT_EQ(completions.size(), 1u);
    if (!completions.empty()) {
        EXPECT_EQ(static_cast<std::size_t>(completions[0].filesFound + completions[0].foldersFound),
                  rows.size());
    }
    return rows;
}

std::vector<std::string> sortedPathsOf(const std::vector<GenerationRow>& rows) {
    std::vector<std::string> paths;
    for (const auto& row : rows) {
        paths.push_back(row.path);
    }
    return sorted(paths);
}

// Records each row as its place in the tree, for a walk too deep to keep
// every path.
class ShapeSink : public ResultSink, public ProgressSink {
  public:
    explicit ShapeSink(const std::string& root) : shape(root) {}
    void AddResult(const FoundEntry& entry) override { shape.add(entry.path); }
    void onProgress(ProgressKind, std::string_view) override {}
    void onCompleted(const SearchCompletion&) override {}
    test::TreeShape shape;
};

TEST(HostileSession, AChainOf20000LevelsIsListedLevelByLevel) {
    TempTree tree;
    tree.deepChain("chain", 20000);
    tree.file("after/last.txt");
    ShapeSink found(tree.root());
    {
        const LiveConditionsBoard board;
        SearchSession session(board, found, found);
        session.start(SearchRequest{tree.root(), "", false});
        session.waitUntilIdle();
    }
    test::TreeShape listed(tree.root());
    std::string err;
    test::streamNulItems(
        {"find", "-P", tree.root(), "-mindepth", "1", "-print0"},
        [&](std::string_view path) { listed.add(path); }, err);
    EXPECT_EQ(found.shape.sorted(), listed.sorted());
}

TEST(HostileSession, TwoHundredThousandEntriesInOneFolder) {
    TempTree tree;
    test::makeWideFolder(tree, "wide", 200000);
    EXPECT_EQ(sortedPathsOf(search(tree.root())), sortedPaths(referenceWalk(tree.root())));
}

TEST(HostileSession, EveryByteInNamesAndEachNameFindsItself) {
    TempTree tree;
    const auto names = test::makeEveryByteNames(tree, "bytes");
    const auto reference = sortedPaths(referenceWalk(tree.root()));
    ASSERT_EQ(reference, test::findListing(tree.root()));
    EXPECT_EQ(sortedPathsOf(search(tree.root())), reference);

    // A name typed as the pattern finds the entry, whatever bytes it holds.
    const LiveConditionsBoard board;
    GenerationRecorder recorder;
    SearchSession session(board, recorder, recorder);
    std::vector<std::string> missed;
    for (const auto& name : names) {
        const auto generation = session.start(SearchRequest{tree.path("bytes"), name, false});
        session.waitUntilIdle();
        const auto paths = recorder.paths(generation);
        if (std::find(paths.begin(), paths.end(), tree.path("bytes/" + name)) == paths.end()) {
            missed.push_back(name);
        }
    }
    EXPECT_EQ(missed, std::vector<std::string>());
}

TEST(HostileSession, LinkLoopsAreFileRowsOfTheirOwnSize) {
    TempTree tree;
    test::makeLinkLoops(tree, "loops");
    const auto entries = referenceWalk(tree.root());
    std::vector<std::string> expected;
    for (const auto& entry : entries) {
        expected.push_back(entry.path + (entry.isFolder ? " folder" : " file ") +
                           (entry.isFolder ? "" : std::to_string(entry.size)));
    }
    std::vector<std::string> got;
    for (const auto& row : search(tree.root())) {
        got.push_back(row.path + (row.isFolder ? " folder" : " file ") +
                      (row.isFolder ? "" : std::to_string(row.size)));
    }
    EXPECT_EQ(sorted(got), sorted(expected));
}

TEST(HostileSession, FifoSocketAndDeviceAreEmptyFileRows) {
    TempTree tree;
    test::makeSpecialFiles(tree, "special");
    std::vector<std::string> expected;
    for (const auto& entry : referenceWalk(tree.root())) {
        expected.push_back(entry.path + (entry.isFolder ? " folder" : " file 0"));
    }
    std::vector<std::string> got;
    for (const auto& row : search(tree.root())) {
        got.push_back(row.path + (row.isFolder ? " folder" : " file " + std::to_string(row.size)));
    }
    EXPECT_EQ(sorted(got), sorted(expected));
}

TEST(HostileSession, AFolderBoundIntoItsOwnSubfolderEnds) {
    TempTree tree;
    tree.file("top/a.txt");
    tree.file("top/inner/b.txt");
    tree.folder("top/inner/loop");
    test::PrivateMounts mounts;
    if (!mounts.bind(tree.path("top"), tree.path("top/inner/loop"))) {
        GTEST_SKIP() << "no bind mount: " << mounts.whyNot();
    }
    EXPECT_EQ(sortedPathsOf(search(tree.root())), sortedPaths(referenceWalk(tree.root())));
}

TEST(HostileSession, DateTestOnTimesAtTheEndsOfThe64BitRange) {
    TempTree tree;
    tree.folder("tmpfs");
    test::PrivateMounts mounts;
    if (!mounts.tmpfs(tree.path("tmpfs"))) {
        GTEST_SKIP() << "no tmpfs of its own: " << mounts.whyNot();
    }
    for (const auto& [name, secs] :
         {std::pair<const char*, std::int64_t>{"earliest", INT64_MIN}, {"latest", INT64_MAX}}) {
        tree.file(std::string("tmpfs/") + name);
        ASSERT_TRUE(test::setExactLastWrite(tree.path(std::string("tmpfs/") + name), secs));
    }
    LiveConditions modifiedToday;
    modifiedToday.m_bDateFilter = true;
    modifiedToday.m_dateKind = DateKind::Modified;
    modifiedToday.m_days = 0;
    EXPECT_EQ(sortedPathsOf(search(tree.path("tmpfs"), "", modifiedToday)),
              std::vector<std::string>{tree.path("tmpfs/latest")});
    modifiedToday.m_daysChecked = false;
    modifiedToday.m_months = INT64_MAX;
    EXPECT_EQ(sortedPathsOf(search(tree.path("tmpfs"), "", modifiedToday)),
              sorted({tree.path("tmpfs/earliest"), tree.path("tmpfs/latest")}));
}

TEST(HostileSession, PermissionsBiteAsTheWindowMeetsThem) {
    test::PermissionTree locked;
    const std::string root = locked.tree().root();
    // The window lists every name it reads; an entry of a folder that may be
    // read but not entered has its size and times unknown. Each path comes
    // back marked + when described, - when not.
    const auto outcome = test::runUnprivileged([&root] {
        std::string out;
        for (const auto& row : search(root)) {
            out.append(row.described ? "+" : "-").append(row.path).push_back('\0');
        }
        return out;
    });
    EXPECT_EQ(outcome.exitCode, 0);
    std::vector<std::string> listed;
    std::vector<std::string> described;
    for (const auto& item : test::nulItems(outcome.output)) {
        listed.push_back(item.substr(1));
        if (item.front() == '+') {
            described.push_back(item.substr(1));
        }
    }
    const auto reference = test::referenceWalkUnprivileged(root);
    EXPECT_EQ(sorted(listed), test::sortedPaths(reference));
    EXPECT_EQ(sorted(described), test::sortedDescribedPaths(reference));
}

}  // namespace
}  // namespace zandor
