// Hostile trees through zandor-find: each listing is compared, whole, with an
// independent one (find -P, or the plain reference walk of tests/support).
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "find_output.h"
#include "hostile_trees.h"
#include "reference_walk.h"
#include "run_process.h"
#include "temp_tree.h"
#include "unprivileged.h"

namespace zandor {
namespace {

using test::findListing;
using test::nulItems;
using test::pathsOf;
using test::ProcessResult;
using test::referenceWalk;
using test::sorted;
using test::sortedDescribedPaths;
using test::sortedPaths;
using test::TempTree;
using ::testing::HasSubstr;
using Args = std::vector<std::string>;

ProcessResult runFind(const Args& args) {
    Args argv = {test::zandorFindPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::runProcess(argv);
}

std::string completionLine(std::size_t files, std::size_t folders) {
    return "Search Completed - Found " + std::to_string(files) + " files and " +
           std::to_string(folders) + " folders \n";
}

// The search listed exactly what the reference lists, in null format and
// (for entries it can describe) in tsv and json, bytes and all.
void expectSameListing(const std::string& root, const std::vector<std::string>& expected) {
    const ProcessResult null = runFind({"--format", "null", root});
    EXPECT_EQ(null.exitCode, 0) << null.err;
    EXPECT_EQ(sorted(nulItems(null.out)), expected);
    const ProcessResult tsv = runFind({root});
    EXPECT_EQ(tsv.exitCode, 0) << tsv.err;
    EXPECT_EQ(sorted(pathsOf(test::tsvRows(tsv.out))), expected);
    const ProcessResult json = runFind({"--format", "json", root});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(sorted(pathsOf(test::jsonRows(json.out))), expected);
}

TEST(HostileCli, AChainOf20000LevelsIsListedLevelByLevel) {
    TempTree tree;
    tree.deepChain("chain", 20000);
    tree.file("after/last.txt");
    test::TreeShape found(tree.root());
    std::string err;
    const int status = test::streamNulItems(
        {test::zandorFindPath(), "--format", "null", tree.root()},
        [&](std::string_view path) { found.add(path); }, err);
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(err, completionLine(1, 20002));
    test::TreeShape listed(tree.root());
    std::string findErr;
    test::streamNulItems(
        {"find", "-P", tree.root(), "-mindepth", "1", "-print0"},
        [&](std::string_view path) { listed.add(path); }, findErr);
    EXPECT_EQ(found.sorted(), listed.sorted());
}

class HostileWideFolder : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tree = new TempTree;
        test::makeWideFolder(*tree, "wide", 200000);
        tree->file("wide/sub/inner.txt");
    }
    static void TearDownTestSuite() {
        delete tree;
        tree = nullptr;
    }
    static TempTree* tree;
};

TempTree* HostileWideFolder::tree = nullptr;

TEST_F(HostileWideFolder, TwoHundredThousandEntriesAreListedOnce) {
    const auto reference = sortedPaths(referenceWalk(tree->root()));
    ASSERT_EQ(reference, findListing(tree->root()));
    expectSameListing(tree->root(), reference);
}

TEST_F(HostileWideFolder, APatternSelectsTheSameEntriesAsTheirNames) {
    // "entry-00001*" names the 10 entries 0000100-0000109 and no other.
    const ProcessResult result = runFind({"--format", "null", "-n", "entry-000010*", tree->root()});
    EXPECT_EQ(result.exitCode, 0);
    std::vector<std::string> expected;
    for (int i = 100; i < 110; ++i) {
        expected.push_back(tree->path("wide/entry-0000" + std::to_string(i) + ".dat"));
    }
    EXPECT_EQ(sorted(nulItems(result.out)), expected);
}

TEST(HostileCli, EveryByteInNamesComesBackExactly) {
    TempTree tree;
    const auto names = test::makeEveryByteNames(tree, "bytes");
    const auto reference = sortedPaths(referenceWalk(tree.root()));
    ASSERT_EQ(reference, findListing(tree.root()));
    ASSERT_EQ(reference.size(), names.size() + 2);  // the folder and the file inside the odd one
    expectSameListing(tree.root(), reference);
}

TEST(HostileCli, LinkLoopsAreListedAsFilesAndNeverFollowed) {
    TempTree tree;
    test::makeLinkLoops(tree, "loops");
    const auto entries = referenceWalk(tree.root());
    ASSERT_EQ(sortedPaths(entries), findListing(tree.root()));
    expectSameListing(tree.root(), sortedPaths(entries));

    // Each link is a file row of its own size (the length of its target).
    std::vector<std::string> expected;
    std::vector<std::string> got;
    for (const auto& entry : entries) {
        if (!entry.isFolder) {
            expected.push_back(entry.path + " File " + std::to_string(entry.size / 1024 + 1) +
                               " KB");
        }
    }
    for (const auto& row : test::tsvRows(runFind({tree.root()}).out)) {
        if (row.type != "File Folder") {
            got.push_back(row.path + " " + row.type + " " + row.sizeText);
        }
    }
    EXPECT_EQ(sorted(got), sorted(expected));

    // The count below the loops ends, and counts each link once as a file.
    std::uint64_t bytes = 0;
    std::size_t files = 0;
    for (const auto& entry : entries) {
        if (!entry.isFolder) {
            ++files;
            bytes += entry.size;
        }
    }
    const ProcessResult report = runFind({"--properties", tree.path("loops")});
    EXPECT_EQ(report.exitCode, 0);
    EXPECT_THAT(report.out, HasSubstr("\nSize : \t\t" + std::to_string(bytes / 1024 + 1) + " KB"));
    EXPECT_THAT(report.out,
                HasSubstr("\nContains : \t" + std::to_string(files) + " Files   :   1 Folders"));
}

TEST(HostileCli, FifoSocketAndDeviceAreFilesThatAreNeverOpened) {
    TempTree tree;
    test::makeSpecialFiles(tree, "special");
    tree.file("special/empty.txt");
    tree.file("special/one.txt", 1);
    const auto reference = sortedPaths(referenceWalk(tree.root()));
    ASSERT_EQ(reference, findListing(tree.root()));
    expectSameListing(tree.root(), reference);

    // Empty for the size test: "equal 0" finds them with the empty file.
    const ProcessResult empty = runFind({"--format", "null", "--size", "equal:0", tree.root()});
    std::vector<std::string> expected = {tree.path("special/empty.txt"), tree.path("special/fifo"),
                                         tree.path("special/socket")};
    if (test::runningAsRoot()) {
        expected.push_back(tree.path("special/null-device"));
    }
    EXPECT_EQ(sorted(nulItems(empty.out)), sorted(expected));

    // The report of the FIFO itself describes it without opening it.
    const ProcessResult report = runFind({"--properties", tree.path("special/fifo")});
    EXPECT_EQ(report.exitCode, 0);
    EXPECT_EQ(report.out, "Type : \t\tFile\nLocation : \t" + tree.path("special/fifo") +
                              "\nSize : \t\t0 KB\nContains : \t1 Files   :   0 Folders\n");
}

TEST(HostileCli, SparseFilesOfGibibytesAndTebibytesKeepAll64Bits) {
    TempTree tree;
    tree.file("five-gib.bin", 5ULL << 30);
    struct Big {
        std::string name;
        std::uint64_t bytes;
    };
    std::vector<Big> files = {{"five-gib.bin", 5ULL << 30}};
    // 4 TiB + 1 byte: its size in KB no longer fits 32 bits. A file system
    // that cannot hold a file so large is passed over for this one.
    const std::uint64_t huge = (4ULL << 40) + 1;
    try {
        tree.file("four-tib.bin", huge);
        files.push_back({"four-tib.bin", huge});
    } catch (const std::exception&) {
        std::fprintf(stderr, "a 4 TiB sparse file cannot be made here; checked 5 GiB only\n");
    }
    const auto rows = test::jsonRows(runFind({"--format", "json", tree.root()}).out);
    std::vector<std::string> got;
    std::vector<std::string> expected;
    for (const auto& row : rows) {
        got.push_back(row.name + " " + row.sizeBytes + " " + row.sizeText);
    }
    for (const auto& file : files) {
        expected.push_back(file.name + " " + std::to_string(file.bytes) + " " +
                           std::to_string(file.bytes / 1024 + 1) + " KB");
    }
    EXPECT_EQ(sorted(got), sorted(expected));

    const ProcessResult at = runFind({"--format", "null", "--size", "equal:5242881", tree.root()});
    EXPECT_EQ(nulItems(at.out), std::vector<std::string>{tree.path("five-gib.bin")});
    if (files.size() == 2) {
        const ProcessResult above =
            runFind({"--format", "null", "--size", "at-least:4294967296", tree.root()});
        EXPECT_EQ(nulItems(above.out), std::vector<std::string>{tree.path("four-tib.bin")});
    }
}

TEST(HostileCli, AFolderBoundIntoItsOwnSubfolderEnds) {
    TempTree tree;
    tree.file("top/a.txt");
    tree.file("top/inner/b.txt");
    tree.folder("top/inner/loop");
    test::PrivateMounts mounts;
    if (!mounts.bind(tree.path("top"), tree.path("top/inner/loop"))) {
        GTEST_SKIP() << "no bind mount: " << mounts.whyNot();
    }
    // The bound folder is listed where it is met, and not entered: it is the
    // same folder as one on the path down to it. find(1) leaves it out.
    const auto reference = sortedPaths(referenceWalk(tree.root()));
    auto fromFind = findListing(tree.root());
    fromFind.push_back(tree.path("top/inner/loop"));
    ASSERT_EQ(reference, sorted(fromFind));
    expectSameListing(tree.root(), reference);

    const ProcessResult report = runFind({"--properties", tree.path("top")});
    EXPECT_EQ(report.exitCode, 0);
    EXPECT_THAT(report.out, HasSubstr("\nContains : \t2 Files   :   2 Folders"));
}

TEST(HostileCli, TimesAtTheEndsOfThe64BitRange) {
    TempTree tree;
    tree.folder("tmpfs");
    test::PrivateMounts mounts;
    if (!mounts.tmpfs(tree.path("tmpfs"))) {
        GTEST_SKIP() << "no tmpfs of its own: " << mounts.whyNot();
    }
    const struct {
        const char* name;
        std::int64_t secs;
    } times[] = {
        {"earliest", INT64_MIN},
        {"latest", INT64_MAX},
        {"last-year-the-library-gives", 67768036191676799},
        {"first-year-the-library-gives", -67768040609740800},
    };
    for (const auto& time : times) {
        tree.file(std::string("tmpfs/") + time.name);
        ASSERT_TRUE(
            test::setExactLastWrite(tree.path(std::string("tmpfs/") + time.name), time.secs));
    }
    ::setenv("TZ", "UTC", 1);
    const auto rows = test::jsonRows(runFind({"--format", "json", tree.path("tmpfs")}).out);
    ::unsetenv("TZ");
    std::vector<std::string> got;
    for (const auto& row : rows) {
        got.push_back(row.name + " [" + row.lastWrite + "]");
    }
    // Times the C library cannot convert show no text; the others show the
    // year's last two digits, also for years beyond any int.
    EXPECT_EQ(sorted(got),
              sorted({"earliest []", "latest []", "last-year-the-library-gives [12/31/47 23:59:59]",
                      "first-year-the-library-gives [01/01/52 00:00:00]"}));
    // In the future, the age is below a day; in the far past, far above.
    const ProcessResult recent =
        runFind({"--format", "null", "--modified", "1", tree.path("tmpfs")});
    EXPECT_EQ(sorted(nulItems(recent.out)),
              sorted({tree.path("tmpfs/latest"), tree.path("tmpfs/last-year-the-library-gives")}));
}

// Permissions as a user without privileges meets them: what can be listed is
// listed, what cannot be read is passed over in silence.
class HostilePermissions : public ::testing::Test {
  protected:
    test::PermissionTree locked;
    const TempTree& tree = locked.tree();
};

TEST_F(HostilePermissions, WhatCanBeListedIsListedAndTheRestPassedOver) {
    const test::UnprivilegedProgram find(test::zandorFindPath());
    const auto reference = test::referenceWalkUnprivileged(tree.root());
    // The null format needs no description, so it lists every name read.
    const ProcessResult null = find.run({"--format", "null", tree.root()});
    EXPECT_EQ(null.exitCode, 0);
    EXPECT_EQ(sorted(nulItems(null.out)), sortedPaths(reference));
    EXPECT_EQ(null.err.rfind("Search Completed", 0), 0u) << "no other message: " << null.err;
    // Rows with sizes and times list the same names: those in a folder that
    // may be read but not entered show no size and no times.
    const ProcessResult tsv = find.run({tree.root()});
    EXPECT_EQ(tsv.exitCode, 0);
    const auto rows = test::tsvRows(tsv.out);
    EXPECT_EQ(sorted(pathsOf(rows)), sortedPaths(reference));
    std::vector<std::string> withTimes;
    for (const auto& row : rows) {
        EXPECT_EQ(row.created.empty(), row.lastWrite.empty()) << row.path;
        if (!row.lastWrite.empty()) {
            withTimes.push_back(row.path);
        }
    }
    EXPECT_EQ(sorted(withTimes), sortedDescribedPaths(reference));
    // find(1), run the same way, reads the same names.
    const test::UnprivilegedProgram findTool("/usr/bin/find");
    const ProcessResult listed = findTool.run({"-P", tree.root(), "-mindepth", "1", "-print0"});
    EXPECT_EQ(sorted(nulItems(listed.out)), sortedPaths(reference));
}

TEST_F(HostilePermissions, ALookInFolderThatCannotBeReadIsAnError) {
    const test::UnprivilegedProgram find(test::zandorFindPath());
    for (const char* folder : {"locked", "pass-through"}) {
        SCOPED_TRACE(folder);
        const ProcessResult result = find.run({tree.path(folder)});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_THAT(result.err, HasSubstr("cannot read '" + tree.path(folder) + "'"));
    }
}

}  // namespace
}  // namespace zandor
