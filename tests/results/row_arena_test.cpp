// The compact rows: what the stores keep of an entry gives back its name, its
// path and its texts exactly, for names of any bytes; the rows of a folder
// share one folder; adopted batches keep their rows' addresses; a renamed
// folder moves every row below it by changing each folder once; and the
// paths compare, unjoined, as the joined texts do.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/fs_time.h"
#include "results/result_stores.h"
#include "results/row_arena.h"
#include "row_spec.h"

namespace zandor {
namespace {

test::RowSpec spec(const std::string& folder, const std::string& name, bool isFolder = false) {
    return test::RowSpec{name, folder + "/" + name, isFolder ? kFolderType : kFileType, 5, 6, 7};
}

std::vector<std::string> paths(const ResultStores& stores) {
    std::vector<std::string> out;
    for (const ResultRow* row : stores.listing()) {
        out.push_back(row->path());
    }
    return out;
}

TEST(CompactRows, GiveBackNamesPathsAndTextsExactly) {
    ResultStores stores;
    const std::string odd = std::string("caf\xe9 \n\t\\") + '\0' + "x";
    const std::vector<test::RowSpec> specs = {
        spec("/a", "x.txt"),
        spec("/a", odd),
        spec("", "root-file"),
        spec("/", "double"),
        spec("/a/b", "d", true),
        spec("/a", std::string(255, 'n')),
        test::RowSpec{"", "/", kFolderType},  // the root itself: no name to end in
        test::RowSpec{"name", "/elsewhere/other", kFileType, 1, 2, 3},  // not ending in its name
    };
    for (const test::RowSpec& s : specs) {
        const ResultRow& row = stores.add(s);
        EXPECT_EQ(row.name(), s.name);
        EXPECT_EQ(row.path(), s.path);
        const std::string path = row.path();
        const FoundEntry back = row.asEntry(path);
        EXPECT_EQ(back.name, s.name);
        EXPECT_EQ(back.path, s.path);
        EXPECT_EQ(back.isFolder, s.type != kFileType);
        EXPECT_EQ(row.type(), s.type);
    }
    // Sizes at the edges and beyond 4 GiB, times at both ends, an unknown size.
    const std::pair<std::uint64_t, const char*> sizes[] = {
        {0, "0 KB"}, {1023, "1 KB"}, {1024, "2 KB"}, {(5ULL << 30) + 1, "5242881 KB"}};
    for (const auto& [size, text] : sizes) {
        const ResultRow& row = stores.add(test::RowSpec{"s", "/s", kFileType, 0, 0, size});
        EXPECT_EQ(row.m_size, size);
        EXPECT_EQ(row.sizeText(), text);
    }
    for (const std::int64_t time : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{4102444800}}) {
        const ResultRow& row = stores.add(test::RowSpec{"t", "/t", kFileType, time, time + 1, 1});
        EXPECT_EQ(row.createdText(), timeText(time));
        EXPECT_EQ(row.lastWriteText(), timeText(time + 1));
    }
    // Not described: no texts, and numbers of zero to sort by.
    const ResultRow& unknown =
        stores.add(test::RowSpec{"u", "/u", kFileType, 100, 200, 300, false});
    EXPECT_EQ(unknown.sizeText(), "");
    EXPECT_EQ(unknown.createdText(), "");
    EXPECT_EQ(unknown.m_lastWrite, 0);
}

TEST(CompactRows, RowsOfAFolderShareItsFolder) {
    RowArena arena;
    const test::RowSpec a = spec("/f", "a");
    const test::RowSpec b = spec("/f", "b");
    const test::RowSpec c = spec("/g", "c");
    const ResultRow& first = arena.add(a);
    const ResultRow& second = arena.add(b);
    const ResultRow& third = arena.add(c);
    EXPECT_EQ(first.m_folder, second.m_folder);
    EXPECT_NE(first.m_folder, third.m_folder);
    EXPECT_EQ(arena.size(), 3u);
}

TEST(CompactRows, AdoptedBatchesKeepTheirRowsWhereTheyAre) {
    ResultStores stores;
    std::vector<const ResultRow*> kept;
    std::vector<std::string> expected;
    for (int batch = 0; batch < 40; ++batch) {
        RowArena arena;
        for (int i = 0; i < batch * 37 + 1; ++i) {
            const test::RowSpec s = spec("/b" + std::to_string(batch), "r" + std::to_string(i));
            arena.add(s);
            expected.push_back(s.path);
        }
        const std::vector<const ResultRow*> added = stores.adopt(std::move(arena));
        EXPECT_TRUE(arena.empty());
        kept.insert(kept.end(), added.begin(), added.end());
        stores.add(spec("/own", "x" + std::to_string(batch)));  // the stores' own rows between
        expected.push_back("/own/x" + std::to_string(batch));
    }
    std::vector<std::string> seen;
    for (const ResultRow* row : stores.listing()) {
        seen.push_back(row->path());
    }
    EXPECT_EQ(seen, expected);
    // Every row adopted is still where it was handed over.
    std::size_t next = 0;
    for (const ResultRow* row : stores.listing()) {
        if (next < kept.size() && row == kept[next]) {
            ++next;
        }
    }
    EXPECT_EQ(next, kept.size());
}

TEST(CompactRows, ARenamedFolderMovesEveryRowBelowIt) {
    ResultStores stores;
    const ResultRow& dir = stores.add(spec("/t", "dir", true));
    stores.add(spec("/t/dir", "a"));
    stores.add(spec("/t/dir/sub", "b"));
    stores.add(spec("/t/dirt", "c"));   // a sibling sharing the prefix's letters
    stores.add(spec("/t", "dir.txt"));  // and one beside it
    RowArena batch;  // rows of the folder in a later batch share no folder with these
    batch.add(spec("/t/dir", "late"));
    stores.adopt(std::move(batch));
    stores.itemRenamed(dir, "new");
    EXPECT_EQ(paths(stores), (std::vector<std::string>{"/t/new", "/t/new/a", "/t/new/sub/b",
                                                       "/t/dirt/c", "/t/dir.txt", "/t/new/late"}));
    EXPECT_EQ(dir.name(), "new");
    // A row added after the rename, in the renamed folder, gets its new path.
    stores.add(spec("/t/new", "after"));
    EXPECT_EQ(paths(stores).back(), "/t/new/after");

    // The last row before the rename lay in the renamed folder: a row still
    // named by the old path keeps it rather than joining the renamed folder.
    ResultStores more;
    const ResultRow& d = more.add(spec("/u", "d", true));
    more.add(spec("/u/d", "x"));
    more.itemRenamed(d, "e");
    more.add(spec("/u/d", "y"));
    more.add(spec("/u/e", "z"));
    EXPECT_EQ(paths(more), (std::vector<std::string>{"/u/e", "/u/e/x", "/u/d/y", "/u/e/z"}));
}

// The pieces of a path compare as the joined texts, case-blind for A-Z.
TEST(CompactRows, JoinedTextsCompareAsTheJoinedTexts) {
    std::mt19937 random(7);
    const std::string letters = "aAbB/.\xff";
    const auto text = [&](std::size_t most) {
        std::string out(random() % (most + 1), ' ');
        for (char& c : out) {
            c = letters[random() % letters.size()];
        }
        return out;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a1 = text(4), a2 = text(4), b1 = text(4), b2 = text(4);
        const int joined = compareNoCase(a1 + a2, b1 + b2);
        const int pieces = compareNoCase(JoinedText{a1, a2}, JoinedText{b1, b2});
        ASSERT_EQ((joined > 0) - (joined < 0), (pieces > 0) - (pieces < 0))
            << a1 << "|" << a2 << " vs " << b1 << "|" << b2;
    }
}

}  // namespace
}  // namespace zandor
