// The containing text, the leave-out patterns and staying on one disk, in
// real walks of a tree of awkward files, with the walk alone and with four
// threads: which files are found, which are passed over, which are counted
// as unreadable, and that no entry can hold the walk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "../hostile/hostile_trees.h"
#include "platform/fs_fd.h"
#include "recording_sinks.h"
#include "search/contents_reader.h"
#include "search/search_request.h"
#include "search/search_thread.h"
#include "temp_tree.h"
#include "unprivileged.h"

namespace zandor {
namespace {

using test::RecordingProgress;
using test::RecordingResults;
using test::TempTree;

void write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

// UTF-16 with its byte-order mark, from ASCII text.
std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

// needle where the contents test must find it, and places it must not.
void makeAwkwardTree(const TempTree& tree) {
    tree.folder("seams");
    // A match straddling each boundary a reader might cut at.
    for (const std::size_t boundary : {4096UL, 65536UL, 262144UL, 1048576UL}) {
        write(tree.path("seams/at-" + std::to_string(boundary)),
              std::string(boundary - 3, 'x') + "neeDLE" + std::string(100, 'y'));
    }
    tree.folder("nul");
    write(tree.path("nul/early"), std::string("a\0b", 3) + std::string(100, 'z') + "needle");
    write(tree.path("nul/late"), std::string(70000, 'x') + '\0' + "needle");
    tree.folder("enc");
    write(tree.path("enc/utf16le"), utf16("the NEEDLE here", false));
    write(tree.path("enc/utf16be"), utf16("the needle here", true));
    write(tree.path("enc/utf8-mark"), "\xEF\xBB\xBFneedle");
    write(tree.path("enc/invalid-around"), "\xff\xc3(needle\xe2\x84");
    write(tree.path("enc/letters"), "\xc3\x84RGER mit \xc3\x96L");  // ÄRGER mit ÖL
    tree.folder("none");
    write(tree.path("none/near-miss"), "needl eneedl");
    write(tree.path("none/big"), std::string(3 << 20, 'n'));
    tree.file("none/sparse", 1ULL << 30);  // a gigabyte of NUL bytes, none written
    tree.folder("needle-folder");          // folders are not listed
    test::makeSpecialFiles(tree, "special");
    ASSERT_EQ(::symlink("/dev/zero", tree.path("special/zero").c_str()), 0);
    ASSERT_EQ(::symlink("needle-nowhere", tree.path("special/dangling").c_str()), 0);
    ASSERT_EQ(::symlink("../enc/utf8-mark", tree.path("special/link-to-match").c_str()), 0);
}

class ContentsWalk : public testing::TestWithParam<unsigned> {
  protected:
    void SetUp() override { makeAwkwardTree(tree); }

    // The sorted paths below the tree of the rows a search finds.
    std::vector<std::string> found(const std::string& text, bool caseSensitive = false,
                                   bool binary = false, std::vector<std::string> leaveOut = {},
                                   const std::string& folder = "") {
        LiveConditions live;
        live.m_strContaining = text;
        live.m_bIncludeBinary = binary;
        board.publish(live);
        SearchRequest request{folder.empty() ? tree.root() : folder, "", caseSensitive, GetParam(),
                              std::move(leaveOut)};
        request.m_bStayOnDisk = stayOnDisk;
        request.fillCriteria(criteria);
        RecordingResults results;
        completion = SearchThreadProc(criteria, board, results, progress, 1);
        return results.sortedPathsBelow(tree.root());
    }

    TempTree tree;
    SearchCriteria criteria;
    LiveConditionsBoard board;
    RecordingProgress progress;
    SearchCompletion completion;
    bool stayOnDisk = false;
};

using Paths = std::vector<std::string>;

TEST_P(ContentsWalk, FindsTheTextWhereverItIsAndNowhereElse) {
    EXPECT_EQ(found("needle"), (Paths{"enc/invalid-around", "enc/utf16be", "enc/utf16le",
                                      "enc/utf8-mark", "nul/late", "seams/at-1048576",
                                      "seams/at-262144", "seams/at-4096", "seams/at-65536"}));
    EXPECT_EQ(completion.unreadableFiles, 0);
    EXPECT_EQ(completion.foldersFound, 0);
}

TEST_P(ContentsWalk, CaseSensitiveComparesBytes) {
    EXPECT_EQ(found("needle", true),
              (Paths{"enc/invalid-around", "enc/utf16be", "enc/utf8-mark", "nul/late"}));
    EXPECT_EQ(found("neeDLE", true),
              (Paths{"seams/at-1048576", "seams/at-262144", "seams/at-4096", "seams/at-65536"}));
}

TEST_P(ContentsWalk, LettersBeyondAToZFoldBothWays) {
    EXPECT_EQ(found("\xc3\xa4rger mit \xc3\xb6l"), Paths{"enc/letters"});  // ärger mit öl
    EXPECT_EQ(found("\xc3\x84RGER MIT \xc3\x96L"), Paths{"enc/letters"});
    EXPECT_EQ(found("\xc3\xa4rger", true), Paths{});
}

TEST_P(ContentsWalk, BinaryFilesAreReadOnlyWhenAskedFor) {
    const Paths withBinary = found("needle", false, true);
    EXPECT_TRUE(std::find(withBinary.begin(), withBinary.end(), "nul/early") != withBinary.end());
    const Paths without = found("needle");
    EXPECT_TRUE(std::find(without.begin(), without.end(), "nul/early") == without.end());
    // A NUL past the first 64 KiB does not make a file binary.
    EXPECT_TRUE(std::find(without.begin(), without.end(), "nul/late") != without.end());
    // Read whole, the gigabyte of NUL bytes holds one.
    EXPECT_EQ(found(std::string(3, '\0'), false, true), Paths{"none/sparse"});
}

TEST_P(ContentsWalk, LeaveOutByNameGlobAndPath) {
    EXPECT_EQ(found("needle", false, false, {"seams", "utf16*", "enc/utf8-?ark", "[lx]ate"}),
              (Paths{"enc/invalid-around"}));
    // A trailing "/" leaves out folders alone; the leading "/" of a path anchors nothing more.
    EXPECT_EQ(found("needle", false, false, {"late/", "/enc/*", "at-*"}), (Paths{"nul/late"}));
    // "*" in a path pattern stops at "/".
    EXPECT_EQ(found("needle", false, false, {"*/utf16*"}).size(), 7U);
    EXPECT_EQ(found("needle", false, false, {"*/*/utf16*"}).size(), 9U);
}

// Publishes a new containing text as the first row arrives, as the form does
// when the field changes during a search.
class ChangingText : public RecordingResults {
  public:
    explicit ChangingText(LiveConditionsBoard& board) : m_board(board) {}
    void AddResult(const FoundEntry& entry) override {
        RecordingResults::AddResult(entry);
        if (!m_changed) {
            m_changed = true;
            // A pause that only lets helpers read further ahead under the old
            // text: with or without it, a sound walk gives the same rows.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            LiveConditions next = *m_board.current();
            next.m_strContaining = "new";
            m_board.publish(next);
        }
    }

  private:
    LiveConditionsBoard& m_board;
    bool m_changed = false;
};

TEST_P(ContentsWalk, AChangedTextAppliesFromTheNextFile) {
    // Helpers have read many files for the old text before the first row;
    // none of those verdicts may stand for the new one.
    TempTree changing;
    for (int folder = 0; folder < 6; ++folder) {
        // Below the look-in folder, which the walk reads itself, so that
        // helpers may prepare them.
        const std::string sub = "sub" + std::to_string(folder) + "/";
        changing.folder(sub);
        for (int i = 0; i < 30; ++i) {
            write(changing.path(sub + std::to_string(i)), i % 2 == 0 ? "old" : "old new");
        }
    }
    LiveConditions live;
    live.m_strContaining = "old";
    board.publish(live);
    SearchRequest{changing.root(), "", false, GetParam()}.fillCriteria(criteria);
    ChangingText results(board);
    SearchThreadProc(criteria, board, results, progress, 1);
    const std::vector<std::string> rows = results.paths();
    const auto holdsNew = [](const std::string& path) {
        return std::stoi(path.substr(path.rfind('/') + 1)) % 2 == 1;
    };
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.size(), holdsNew(rows[0]) ? 90U : 91U);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_TRUE(holdsNew(rows[i])) << rows[i];
    }
}

TEST_P(ContentsWalk, FilesThatCannotBeReadAreCounted) {
    write(tree.path("locked"), "needle");
    ASSERT_EQ(::chmod(tree.path("locked").c_str(), 0), 0);
    const std::string root = tree.root();
    const unsigned threads = GetParam();
    const auto outcome = test::runUnprivileged([&root, threads] {
        SearchCriteria lockedCriteria;
        SearchRequest{root, "locked", false, threads}.fillCriteria(lockedCriteria);
        LiveConditions live;
        live.m_strContaining = "needle";
        const LiveConditionsBoard lockedBoard(live);
        RecordingResults results;
        RecordingProgress titles;
        const SearchCompletion done =
            SearchThreadProc(lockedCriteria, lockedBoard, results, titles, 1);
        return std::to_string(done.unreadableFiles) + "/" + std::to_string(done.filesFound);
    });
    ASSERT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.output, "1/0");
}

TEST_P(ContentsWalk, StaysOnTheLookInFoldersDisk) {
    test::PrivateMounts mounts;
    tree.folder("other-disk");
    if (!mounts.tmpfs(tree.path("other-disk"))) {
        GTEST_SKIP() << mounts.whyNot();
    }
    write(tree.path("other-disk/needle-file"), "needle");
    const std::size_t everywhere = found("needle").size();
    stayOnDisk = true;
    const Paths onDisk = found("needle");
    EXPECT_EQ(onDisk.size() + 1, everywhere);
    EXPECT_TRUE(std::find(onDisk.begin(), onDisk.end(), "other-disk/needle-file") == onDisk.end());
    // Listed, not entered.
    LiveConditions live;
    board.publish(live);
    SearchRequest request{tree.root(), "other", false, GetParam()};
    request.m_bStayOnDisk = true;
    request.fillCriteria(criteria);
    RecordingResults results;
    SearchThreadProc(criteria, board, results, progress, 2);
    EXPECT_EQ(results.sortedPaths(), std::vector<std::string>{tree.path("other-disk")});
}

INSTANTIATE_TEST_SUITE_P(Threads, ContentsWalk, testing::Values(1U, 4U));

// The reader on its own: Stop, a file that shrinks, what it never opens.
TEST(ContentsReader, StopIsFeltAfterOnePieceOfAHugeFile) {
    TempTree tree;
    tree.file("huge", 512ULL << 20);
    ContentsReader reader;
    ContentsSearch search("needle", true);
    const UniqueFd folder(::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::atomic<bool> stop{false};
    EXPECT_EQ(reader.read(folder.get(), "huge", search, true, stop), ContentsVerdict::Missing);
    stop = true;
    EXPECT_EQ(reader.read(folder.get(), "huge", search, true, stop), ContentsVerdict::Passed);
}

TEST(ContentsReader, ALargeFileIsBinaryByItsFirst64KiBAlone) {
    // A file larger than the probe is read first only as far as the probe;
    // text goes on from there within the same first piece.
    TempTree tree;
    const std::size_t probe = ContentsReader::kBinaryProbe;
    const auto withNulAt = [&](const char* name, std::size_t nul, std::size_t needleAt) {
        std::string bytes(1 << 20, 'x');
        bytes[nul] = '\0';
        bytes.replace(needleAt, 6, "needle");
        write(tree.path(name), bytes);
    };
    withNulAt("last-probe-byte", probe - 1, 200000);
    withNulAt("after-probe", probe, 200000);
    withNulAt("after-probe-straddled", probe + 10, probe - 3);  // across the probe's end
    withNulAt("needle-late", probe + 10, 900000);               // in a later piece
    const UniqueFd folder(::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ContentsReader reader;
    ContentsSearch search("NEEDLE", false);
    const std::atomic<bool> stop{false};
    const auto verdict = [&](const char* name, bool includeBinary) {
        return reader.read(folder.get(), name, search, includeBinary, stop);
    };
    EXPECT_EQ(verdict("last-probe-byte", false), ContentsVerdict::Passed);
    EXPECT_EQ(verdict("last-probe-byte", true), ContentsVerdict::Found);
    EXPECT_EQ(verdict("after-probe", false), ContentsVerdict::Found);
    EXPECT_EQ(verdict("after-probe-straddled", false), ContentsVerdict::Found);
    EXPECT_EQ(verdict("needle-late", false), ContentsVerdict::Found);
    ContentsSearch absent("haystack", false);
    EXPECT_EQ(reader.read(folder.get(), "needle-late", absent, false, stop),
              ContentsVerdict::Missing);
}

TEST(ContentsReader, AFileThatShrinksWhileReadEndsSooner) {
    TempTree tree;
    write(tree.path("shrinking"), std::string(16 << 20, 'x'));
    const UniqueFd folder(::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::atomic<bool> done{false};
    std::thread shrinker([&] {
        for (off_t size = 16 << 20; size > 0 && !done; size -= 1 << 20) {
            ::truncate(tree.path("shrinking").c_str(), size);
        }
    });
    ContentsReader reader;
    ContentsSearch search("needle", false);
    const std::atomic<bool> stop{false};
    for (int round = 0; round < 20; ++round) {
        EXPECT_EQ(reader.read(folder.get(), "shrinking", search, false, stop),
                  ContentsVerdict::Missing);
    }
    done = true;
    shrinker.join();
}

TEST(ContentsReader, OpensNoFifoDeviceOrLink) {
    TempTree tree;
    test::makeSpecialFiles(tree, "special");
    ASSERT_EQ(::symlink("/dev/zero", tree.path("special/zero").c_str()), 0);
    const UniqueFd folder(::open(tree.path("special").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ContentsReader reader;
    ContentsSearch search("x", false);
    const std::atomic<bool> stop{false};
    // Read even when the listing could not tell what they are.
    for (const char* name : {"fifo", "socket", "zero", "null-device", "missing"}) {
        EXPECT_EQ(reader.read(folder.get(), name, search, true, stop), ContentsVerdict::Passed)
            << name;
    }
}

}  // namespace
}  // namespace zandor
