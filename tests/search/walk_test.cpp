// The walk on real temporary trees: which entries are listed, in what order,
// with what titles, and how Stop, live changes and vanishing folders act.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "recording_sinks.h"
#include "search/search_request.h"
#include "search/search_thread.h"
#include "temp_tree.h"

namespace zandor {
namespace {

using test::RecordingProgress;
using test::RecordingResults;
using test::TempTree;

// Every case runs with the walk alone and with helpers reading ahead: what
// is found, its order, titles and counts must not depend on which.
class WalkTest : public testing::TestWithParam<unsigned> {
  protected:
    SearchCompletion search(const std::string& folder, const std::string& name = "",
                            bool caseSensitive = false) {
        request(folder, name, caseSensitive);
        return SearchThreadProc(criteria, board, results, progress, 7);
    }
    // Fills the criteria as a search started from a request would be.
    void request(const std::string& folder, const std::string& name = "",
                 bool caseSensitive = false) {
        SearchRequest{folder, name, caseSensitive, GetParam()}.fillCriteria(criteria);
    }
    void publish(const std::function<void(LiveConditions&)>& change) {
        LiveConditions next = *board.current();
        change(next);
        board.publish(next);
    }
    std::vector<std::string> under(std::vector<std::string> relative) const {
        for (auto& path : relative) {
            path = tree.path(path);
        }
        std::sort(relative.begin(), relative.end());
        return relative;
    }

    TempTree tree;
    SearchCriteria criteria;
    LiveConditionsBoard board;
    RecordingResults results;
    RecordingProgress progress;
};

TEST_P(WalkTest, ListsEveryEntryWithAFolderBeforeWhatItHolds) {
    tree.file("a/one.txt", 3);
    tree.file("a/b/two.h");
    tree.file("a/b/c/three");
    tree.file("top.md", 1024);
    tree.folder("empty");
    const auto completion = search(tree.root());

    EXPECT_EQ(results.sortedPaths(), under({"a", "a/b", "a/b/c", "a/b/c/three", "a/b/two.h",
                                            "a/one.txt", "empty", "top.md"}));
    // Depth first, at once: each folder's row comes before its contents, and
    // its contents follow it without another branch between.
    const auto order = results.paths();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string folder = order[i].substr(0, order[i].rfind('/'));
        if (folder == tree.root()) {
            continue;
        }
        const auto parent = std::find(order.begin(), order.end(), folder);
        ASSERT_NE(parent, order.end());
        EXPECT_LT(parent - order.begin(), static_cast<long>(i)) << order[i];
        for (auto between = parent + 1; between != order.begin() + static_cast<long>(i);
             ++between) {
            EXPECT_TRUE(between->starts_with(folder + "/")) << *between << " inside " << folder;
        }
    }
    EXPECT_EQ(completion.filesFound, 4);
    EXPECT_EQ(completion.foldersFound, 4);
    EXPECT_EQ(completion.title(), "Search Completed - Found 4 files and 4 folders ");
    EXPECT_TRUE(completion.lookIn.ok());
    ASSERT_EQ(progress.completions().size(), 1u);
    EXPECT_EQ(progress.completions()[0].generation, 7u);
}

TEST_P(WalkTest, RowsCarryTypeSizeAndTimes) {
    tree.file("f.bin", 5ULL << 30);  // sparse: 5 GiB without the disk space
    tree.setLastWrite("f.bin", 1'600'000'000);
    tree.folder("sub");
    search(tree.root());
    auto rows = results.rows();
    std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.path < b.path; });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "f.bin");
    EXPECT_EQ(rows[0].type, "File");
    EXPECT_EQ(rows[0].size, 5ULL << 30);
    EXPECT_EQ(rows[0].lastWrite, 1'600'000'000);
    EXPECT_NE(rows[0].created, 0);
    EXPECT_EQ(rows[1].type, "File Folder");
    EXPECT_EQ(rows[1].path, tree.path("sub"));
}

TEST_P(WalkTest, ModeATitlesEveryFolderMetAndAnEmptyTreeNone) {
    tree.folder("x/y");
    tree.file("x/file");
    search(tree.root(), "nomatch");
    EXPECT_TRUE(results.rows().empty());
    auto titles = progress.titles();
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{
                          "Vantrel Utility - Searching [ " + tree.path("x") + " ]",
                          "Vantrel Utility - Searching [ " + tree.path("x/y") + " ]"}));
    const auto completion = progress.completions().at(0);
    EXPECT_TRUE(completion.nothingFound());

    TempTree empty;
    RecordingProgress quiet;
    RecordingResults none;
    request(empty.root(), "nomatch");
    SearchThreadProc(criteria, board, none, quiet);
    EXPECT_TRUE(quiet.titles().empty());
    EXPECT_TRUE(none.rows().empty());
}

TEST_P(WalkTest, ModeBListsNoFoldersAndTitlesOnlySubFoldersEntered) {
    tree.file("big.dat", 20 * 1024);
    tree.file("small.dat", 10);
    tree.file("s/inner.dat", 30 * 1024);
    tree.folder("s/t");
    publish([](LiveConditions& live) {
        live.m_bSizeFilter = true;
        live.m_nSizeRelation = SizeRelation::AtLeast;
        live.m_sizeKB = 10;
    });
    search(tree.root());
    EXPECT_EQ(results.sortedPaths(), under({"big.dat", "s/inner.dat"}));
    auto titles = progress.titles();
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{"Searching  -  " + tree.path("s"),
                                                "Searching  -  " + tree.path("s/t")}));

    RecordingProgress flat;
    RecordingResults flatResults;
    publish([](LiveConditions& live) { live.m_bIncludeSubDirs = false; });
    SearchThreadProc(criteria, board, flatResults, flat);
    EXPECT_EQ(flatResults.sortedPaths(), under({"big.dat"}));
    EXPECT_TRUE(flat.titles().empty());
}

TEST_P(WalkTest, WithoutSubFoldersOnlyTheLookInEntriesAreExamined) {
    tree.file("a.txt");
    tree.file("d/b.txt");
    publish([](LiveConditions& live) { live.m_bIncludeSubDirs = false; });
    search(tree.root());
    EXPECT_EQ(results.sortedPaths(), under({"a.txt", "d"}));
}

TEST_P(WalkTest, NameTestsIgnoreCaseUnlessCaseSensitive) {
    tree.file("Report.TXT");
    tree.file("report.txt");
    tree.file("reports/inner.doc");
    tree.file("notes.txt");
    search(tree.root(), "REPORT");
    EXPECT_EQ(results.sortedPaths(), under({"Report.TXT", "report.txt", "reports"}));

    RecordingResults exact;
    request(tree.root(), "Report.TXT", true);
    SearchThreadProc(criteria, board, exact, progress);
    EXPECT_EQ(exact.sortedPaths(), under({"Report.TXT"}));
}

TEST_P(WalkTest, NameTestsFoldEveryLetterOfUtf8Names) {
    tree.file("\xc3\x84rger.txt");                   // Ärger.txt
    tree.file("\xc3\xa9t\xc3\xa9.txt");              // été.txt
    tree.file("\xc3\x89T\xc3\x89-Fotos/plage.jpg");  // ÉTÉ-Fotos
    tree.file("\xc4\xb0zmir.txt");                   // İzmir: no simple fold
    tree.file("bad\xc4\xff.txt");                    // not UTF-8
    search(tree.root(), "\xc3\xa4rger");             // ärger
    EXPECT_EQ(results.sortedPaths(), under({"\xc3\x84rger.txt"}));

    RecordingResults summer;
    request(tree.root(), "\xc3\x89T\xc3\x89");  // ÉTÉ
    SearchThreadProc(criteria, board, summer, progress);
    EXPECT_EQ(summer.sortedPaths(), under({"\xc3\x89T\xc3\x89-Fotos", "\xc3\xa9t\xc3\xa9.txt"}));

    RecordingResults dotted;
    request(tree.root(), "izmir");
    SearchThreadProc(criteria, board, dotted, progress);
    EXPECT_TRUE(dotted.rows().empty());

    RecordingResults bytes;
    request(tree.root(), "BAD\xc4\xff");
    SearchThreadProc(criteria, board, bytes, progress);
    EXPECT_EQ(bytes.sortedPaths(), under({"bad\xc4\xff.txt"}));
}

TEST_P(WalkTest, TypeAndDateConditions) {
    tree.file("a.bmp");
    tree.file("my.file.bmp");
    tree.file("bmp");
    tree.file("old.bmp");
    tree.setLastWrite("old.bmp", std::time(nullptr) - 3 * 86400 - 60);
    publish([](LiveConditions& live) {
        live.m_bTypeFilter = true;
        live.m_strTypeExt = "bmp";
    });
    search(tree.root());
    EXPECT_EQ(results.sortedPaths(), under({"a.bmp", "old.bmp"}));

    RecordingResults recent;
    publish([](LiveConditions& live) {
        live.m_bDateFilter = true;
        live.m_dateKind = DateKind::Modified;
        live.m_days = 2;
    });
    SearchThreadProc(criteria, board, recent, progress);
    EXPECT_EQ(recent.sortedPaths(), under({"a.bmp"}));

    RecordingResults noType;
    publish([](LiveConditions& live) {
        live.m_bDateFilter = false;
        live.m_strTypeExt.clear();
    });
    SearchThreadProc(criteria, board, noType, progress);
    EXPECT_TRUE(noType.rows().empty());
}

TEST_P(WalkTest, LinksAreListedAsFilesAndNeverFollowed) {
    tree.file("real/inside.txt");
    ASSERT_EQ(::symlink(tree.path("real").c_str(), tree.path("link").c_str()), 0);
    ASSERT_EQ(::symlink(tree.root().c_str(), tree.path("real/up").c_str()), 0);
    search(tree.root());
    EXPECT_EQ(results.sortedPaths(), under({"link", "real", "real/inside.txt", "real/up"}));
    for (const auto& row : results.rows()) {
        EXPECT_EQ(row.type, row.name == "real" ? "File Folder" : "File") << row.path;
    }
}

TEST_P(WalkTest, NamesAreFoundAsRawBytes) {
    tree.file("new\nline.txt");
    tree.file("bad\xff\xfe.txt");
    search(tree.root(), "*.txt");
    EXPECT_EQ(results.sortedPaths(), under({"bad\xff\xfe.txt", "new\nline.txt"}));
}

TEST_P(WalkTest, AFolderThatCannotBeReadEndsWithCountsOfZero) {
    tree.file("plain");
    const auto missing = search(tree.path("missing"));
    EXPECT_EQ(missing.lookIn.error().code, ENOENT);
    EXPECT_TRUE(missing.nothingFound());
    const auto notFolder = search(tree.path("plain"));
    EXPECT_EQ(notFolder.lookIn.error().code, ENOTDIR);
    EXPECT_TRUE(results.rows().empty());
}

TEST_P(WalkTest, AFolderThatVanishesIsPassedOver) {
    tree.file("a/x");
    tree.file("b/y");
    tree.file("c/z");
    progress.onTitle = [&](const std::string& title) {
        if (title.ends_with("/b ]")) {
            test::removeTree(tree.path("b"));
        }
    };
    const auto completion = search(tree.root());
    if (GetParam() == 1) {
        EXPECT_EQ(results.sortedPaths(), under({"a", "a/x", "c", "c/z"}));
        EXPECT_EQ(completion.foldersFound, 2);
        return;
    }
    // Helpers may have read b, or part of it, before it went: whatever of it
    // was read is listed once, and the rest of the walk is whole.
    std::vector<std::string> rest;
    for (const std::string& path : results.sortedPaths()) {
        if (path != tree.path("b") && path != tree.path("b/y")) {
            rest.push_back(path);
        }
    }
    EXPECT_EQ(rest, under({"a", "a/x", "c", "c/z"}));
    const auto listed = results.paths();
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()).size(), listed.size());
}

TEST_P(WalkTest, AChainDeeperThanAnyPathLimitIsWalkedToTheEnd) {
    constexpr int kDepth = 20000;
    tree.deepChain("chain", kDepth);
    tree.file("after/last.txt");
    const auto completion = search(tree.root());
    EXPECT_EQ(completion.foldersFound, kDepth + 2);  // "chain", its levels, and "after"
    EXPECT_EQ(completion.filesFound, 1);
    const auto paths = results.paths();
    std::string deepest = tree.path("chain");
    for (int level = 0; level < kDepth; ++level) {
        deepest += "/d";
    }
    EXPECT_NE(std::find(paths.begin(), paths.end(), deepest), paths.end());
    EXPECT_NE(std::find(paths.begin(), paths.end(), tree.path("after/last.txt")), paths.end());
}

TEST_P(WalkTest, StopIsFeltWithinOneEntryAndTheCountsStopThere) {
    tree.deepChain("chain", 500);
    int titles = 0;
    progress.onTitle = [&](const std::string&) {
        if (++titles == 100) {
            criteria.m_bStop = true;
        }
    };
    const auto completion = search(tree.root());
    // The folder whose title set Stop is finished (its row is added); nothing after it.
    EXPECT_EQ(progress.titles().size(), 100u);
    EXPECT_EQ(results.rows().size(), 100u);
    EXPECT_EQ(completion.foldersFound, 100);
    EXPECT_TRUE(completion.stopped);
    EXPECT_FALSE(criteria.m_bStop);  // cleared at completion
}

TEST_P(WalkTest, ALiveChangeAppliesFromTheNextEntry) {
    tree.deepChain("chain", 10);
    int titles = 0;
    progress.onTitle = [&](const std::string&) {
        if (++titles == 4) {  // the fourth folder, "chain/d/d/d"
            publish([](LiveConditions& live) { live.m_bIncludeSubDirs = false; });
        }
    };
    search(tree.root());
    // The fourth folder was examined with sub-folders on and is entered; the
    // fifth is examined with them off: listed, not entered.
    EXPECT_EQ(results.sortedPaths(),
              under({"chain", "chain/d", "chain/d/d", "chain/d/d/d", "chain/d/d/d/d"}));
}

// A process that may open few files (a low soft limit of open descriptors)
// still finds every entry: the helpers hold fewer prepared folders open, or
// none, rather than take the descriptors the walk needs.
TEST_P(WalkTest, FewOpenFilesAllowedStillFindEverything) {
    std::vector<std::string> expected;
    for (int a = 0; a < 30; ++a) {
        for (int b = 0; b < 20; ++b) {
            const std::string folder = "d" + std::to_string(a) + "/e" + std::to_string(b);
            tree.file(folder + "/f");
            expected.push_back(folder);
            expected.push_back(folder + "/f");
        }
        expected.push_back("d" + std::to_string(a));
    }
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    for (const rlim_t limit : {rlim_t{160}, rlim_t{300}, rlim_t{500}}) {
        if (limit > before.rlim_max) {
            continue;
        }
        results.clear();
        rlimit few = before;
        few.rlim_cur = limit;
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
        const SearchCompletion done = search(tree.root());
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &before), 0);
        EXPECT_EQ(results.sortedPaths(), under(expected)) << "limit " << limit;
        EXPECT_EQ(done.filesFound, 600) << "limit " << limit;
    }
}

INSTANTIATE_TEST_SUITE_P(Threads, WalkTest, testing::Values(1U, 4U),
                         [](const testing::TestParamInfo<unsigned>& param) {
                             return param.param == 1 ? std::string("Alone")
                                                     : std::string("ReadAhead");
                         });

}  // namespace
}  // namespace zandor
