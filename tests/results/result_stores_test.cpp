// The stores, their sort and the size text, on plain rows.
#include "results/result_stores.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zandor {
namespace {

ResultRow file(const std::string& name, std::uint64_t size = 0, std::int64_t created = 0) {
    return ResultRow{name, "/x/" + name, "File", created, created, size};
}

ResultRow folder(const std::string& name) {
    return ResultRow{name, "/x/" + name, "File Folder", 0, 0, 0};
}

std::vector<std::string> names(const std::vector<const ResultRow*>& rows) {
    std::vector<std::string> out;
    for (const ResultRow* row : rows) {
        out.push_back(row->m_strName);
    }
    return out;
}

TEST(ResultRows, SizeTextAndWhichStoreARowJoins) {
    EXPECT_EQ(file("a", 0).sizeText(), "0 KB");
    EXPECT_EQ(file("a", 1).sizeText(), "1 KB");
    EXPECT_EQ(file("a", 1023).sizeText(), "1 KB");
    EXPECT_EQ(file("a", 1024).sizeText(), "2 KB");
    EXPECT_EQ(file("a", 2047).sizeText(), "2 KB");
    EXPECT_EQ(file("a", 1048576).sizeText(), "1025 KB");
    EXPECT_EQ(file("a", 5ULL << 30).sizeText(), "5242881 KB");
    EXPECT_EQ(folder("d").sizeText(), "");

    ResultStores stores;
    stores.add(file("f"));
    stores.add(folder("d"));
    stores.add(ResultRow{"odd", "/x/odd", "file", 0, 0, 10});  // not exactly "File"
    EXPECT_EQ(stores.files().size(), 1u);
    EXPECT_EQ(stores.folders().size(), 2u);
    EXPECT_EQ(stores.folders()[1]->sizeText(), "");
    EXPECT_EQ(names(stores.listing()), (std::vector<std::string>{"d", "odd", "f"}));
}

TEST(ResultRows, TextsCompareIgnoringTheCaseOfAToZ) {
    EXPECT_EQ(compareNoCase("a.txt", "A.TXT"), 0);
    EXPECT_LT(compareNoCase("abc", "abcd"), 0);  // a prefix first
    EXPECT_LT(compareNoCase("_x", "ax"), 0);     // '_' below 'a' once A-Z are folded
    EXPECT_GT(compareNoCase("\xff", "z"), 0);    // other bytes unsigned
    EXPECT_LT(compareNoCase("Zeta", "\xc3\x84pfel"), 0);
}

TEST(ResultStoresSort, EachSortOrdersBothStoresWithFoldersListedFirst) {
    ResultStores stores;
    for (const char* name : {"b", "C", "a"}) {
        stores.add(file(name));
        stores.add(folder(std::string("d") + name));
    }
    stores.SortStores(SortKey::Name, false);
    EXPECT_EQ(names(stores.listing()), (std::vector<std::string>{"da", "db", "dC", "a", "b", "C"}));
    stores.SortStores(SortKey::Name, true);
    EXPECT_EQ(names(stores.listing()), (std::vector<std::string>{"dC", "db", "da", "C", "b", "a"}));
    EXPECT_EQ(stores.size(), 6u);
}

TEST(ResultStoresSort, EqualKeysKeepTheOrderOfThePreviousSort) {
    ResultStores stores;
    stores.add(file("c", 10));
    stores.add(file("A.TXT", 20));
    stores.add(file("b", 10));
    stores.add(file("a.txt", 20));
    stores.SortStores(SortKey::Name, false);
    EXPECT_EQ(names(stores.listing()), (std::vector<std::string>{"A.TXT", "a.txt", "b", "c"}));
    stores.SortStores(SortKey::Size, true);
    EXPECT_EQ(names(stores.listing()), (std::vector<std::string>{"A.TXT", "a.txt", "b", "c"}));
    stores.SortStores(SortKey::Size, false);
    EXPECT_EQ(names(stores.listing()), (std::vector<std::string>{"b", "c", "A.TXT", "a.txt"}));
}

TEST(ResultStoresSort, SizesAndTimesCompareAsNumbers) {
    ResultStores stores;
    stores.add(file("huge", 3'000'000'000ULL));
    stores.add(file("small", 10));
    stores.SortStores(SortKey::Size, false);
    EXPECT_EQ(names(stores.listing()), (std::vector<std::string>{"small", "huge"}));

    ResultStores times;
    times.add(file("jan-2026", 0, 1767225600));  // 01/01/26
    times.add(file("dec-2025", 0, 1764547200));  // 12/01/25
    times.SortStores(SortKey::Created, false);
    EXPECT_EQ(names(times.listing()), (std::vector<std::string>{"dec-2025", "jan-2026"}));
    times.SortStores(SortKey::LastWrite, true);
    EXPECT_EQ(names(times.listing()), (std::vector<std::string>{"jan-2026", "dec-2025"}));
}

}  // namespace
}  // namespace zandor
