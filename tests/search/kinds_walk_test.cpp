// The walk with a kind as its type condition, against a MIME database made
// for this executable: its XDG folders are set before anything reads the
// process's database, and no test here uses another.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recording_sinks.h"
#include "search/file_types.h"
#include "search/mime_globs.h"
#include "search/search_request.h"
#include "search/search_thread.h"
#include "temp_tree.h"

namespace zandor {
namespace {

using test::RecordingProgress;
using test::RecordingResults;
using test::TempTree;

// The data folders: home's globs2 gives *.tune to music and takes *.png from
// pictures to videos; the system's is a usual one.
class KindsDatabase : public testing::Environment {
  public:
    void SetUp() override {
        m_folders.writeFile("home/mime/globs2",
                            "80:video/x-moving:*.png\n50:audio/x-tune:*.tune\n");
        m_folders.writeFile("system/mime/globs2", R"(50:image/png:*.png
50:image/jpeg:*.jpg
50:application/pdf:*.pdf
50:text/plain:*.txt
50:application/gzip:*.gz
50:application/x-compressed-tar:*.tar.gz
50:image/svg+xml-compressed:*.svg.gz
)");
        ::setenv("XDG_DATA_HOME", m_folders.path("home").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", m_folders.path("system").c_str(), 1);
    }

  private:
    TempTree m_folders;
};

[[maybe_unused]] testing::Environment* const kDatabase =
    testing::AddGlobalTestEnvironment(new KindsDatabase);

class KindsWalkTest : public testing::TestWithParam<unsigned> {
  protected:
    // The paths below the tree that a search with the type condition finds.
    std::vector<std::string> found(const std::string& type) {
        LiveConditions live;
        live.m_bTypeFilter = true;
        live.m_strTypeExt = type;
        board.publish(live);
        RecordingResults results;
        RecordingProgress progress;
        SearchRequest{tree.root(), "", false, GetParam()}.fillCriteria(criteria);
        SearchThreadProc(criteria, board, results, progress);
        return results.sortedPathsBelow(tree.root());
    }

    TempTree tree;
    SearchCriteria criteria;
    LiveConditionsBoard board;
};

TEST_P(KindsWalkTest, EachKindListsTheFilesItsMimeTypesName) {
    ASSERT_FALSE(processMimeGlobs().builtIn());
    for (const char* file : {"a.jpg", "B.JPG", "c.png", "d.tune", "e.pdf", "f.txt", "g.tar.gz",
                             "h.gz", "i.svg.gz", "noext", "sub/j.jpg", "sub/k.pdf", "x.jpg/l.gz"}) {
        tree.file(file);
    }
    using Paths = std::vector<std::string>;
    // Folders are never listed while a type condition is on, but entered.
    EXPECT_EQ(found("pictures"), (Paths{"B.JPG", "a.jpg", "i.svg.gz", "sub/j.jpg"}));
    EXPECT_EQ(found("videos"), (Paths{"c.png"}));
    EXPECT_EQ(found("music"), (Paths{"d.tune"}));
    EXPECT_EQ(found("documents"), (Paths{"e.pdf", "sub/k.pdf"}));
    EXPECT_EQ(found("archives"), (Paths{"g.tar.gz", "h.gz", "x.jpg/l.gz"}));
    // The extensions keep their meaning beside the kinds.
    EXPECT_EQ(found("jpg"), (Paths{"B.JPG", "a.jpg", "sub/j.jpg"}));
    EXPECT_EQ(found("gz"), (Paths{"h.gz", "x.jpg/l.gz"}));
}

INSTANTIATE_TEST_SUITE_P(Threads, KindsWalkTest, testing::Values(1U, 3U),
                         [](const testing::TestParamInfo<unsigned>& param) {
                             return param.param == 1 ? std::string("Alone")
                                                     : std::string("ReadAhead");
                         });

}  // namespace
}  // namespace zandor
