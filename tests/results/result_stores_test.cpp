// The stores, their sort and the size text, on plain rows.
#include "results/result_stores.h"
#include "results/background_sort.h"
#include "results/sort_order.h"
#include "row_spec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <string>
#include <vector>

namespace zandor {
namespace {

test::RowSpec file(const std::string& name, std::uint64_t size = 0, std::int64_t created = 0) {
    return test::RowSpec{name, "/x/" + name, "File", created, created, size};
}

test::RowSpec folder(const std::string& name) {
    return test::RowSpec{name, "/x/" + name, "File Folder", 0, 0, 0};
}

// The rows the stores make of these specs, in order.
std::vector<const ResultRow*> stored(ResultStores& stores,
                                     const std::vector<test::RowSpec>& specs) {
    std::vector<const ResultRow*> rows;
    rows.reserve(specs.size());
    for (const test::RowSpec& spec : specs) {
        rows.push_back(&stores.add(spec));
    }
    return rows;
}

std::vector<std::string> names(const std::vector<const ResultRow*>& rows) {
    std::vector<std::string> out;
    for (const ResultRow* row : rows) {
        out.emplace_back(row->name());
    }
    return out;
}

TEST(SortOrder, StableInBothDirectionsAndCancelledWhenAsked) {
    std::vector<test::RowSpec> rows;
    for (int i = 0; i < 20000; ++i) {
        rows.push_back(file("n" + std::to_string(i % 7), static_cast<std::uint64_t>(i % 3)));
    }
    ResultStores made;
    const std::vector<const ResultRow*> pointers = stored(made, rows);
    for (const bool descending : {false, true}) {
        const auto order = sortedOrder(pointers, SortKey::Size, descending);
        ASSERT_TRUE(order.has_value());
        ASSERT_EQ(order->size(), rows.size());
        for (std::size_t i = 1; i < order->size(); ++i) {
            const std::uint32_t a = (*order)[i - 1];
            const std::uint32_t b = (*order)[i];
            const auto sizeA = pointers[a]->m_size;
            const auto sizeB = pointers[b]->m_size;
            ASSERT_TRUE(descending ? sizeA >= sizeB : sizeA <= sizeB) << i;
            if (sizeA == sizeB) {
                ASSERT_LT(a, b) << "equal sizes keep their order, at " << i;
            }
        }
    }
    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_FALSE(sortedOrder(pointers, SortKey::Name, false, stopped.get_token()).has_value());
}

// Rows whose every key repeats, in texts that differ only in case too, over
// enough blocks that the sort's merge passes all run (and one run is left
// over at the end of a pass).
std::vector<test::RowSpec> rowsWithRepeatedKeys(int count) {
    static const char* const kNames[] = {"alpha", "Alpha", "ALPHA", "beta", "b", "", "Zeta", "_x"};
    static const std::string_view kTypes[] = {kFileType, kFolderType};
    std::vector<test::RowSpec> rows;
    for (int i = 0; i < count; ++i) {
        const std::string name = std::string(kNames[i % 8]) + std::to_string(i % 5);
        rows.push_back(test::RowSpec{name, "/p/" + std::to_string(i % 11) + "/" + name,
                                     kTypes[i % 2], (std::int64_t{i} * 7919) % 300,
                                     (std::int64_t{i} * 104729) % 70,
                                     static_cast<std::uint64_t>((i * 31) % 13)});
    }
    return rows;
}

// Every sort, by every key in both directions, leaves no neighbours that
// ShouldSwap would exchange, keeps equal rows in their order and loses none.
TEST(SortOrder, EveryKeyAndDirectionGivesTheOrderShouldSwapDefines) {
    const std::vector<test::RowSpec> rows = rowsWithRepeatedKeys(3 * 4096 * 2 + 517);
    ResultStores made;
    const std::vector<const ResultRow*> pointers = stored(made, rows);
    for (const SortKey key : {SortKey::Name, SortKey::Path, SortKey::Size, SortKey::Type,
                              SortKey::Created, SortKey::LastWrite}) {
        for (const bool descending : {false, true}) {
            const auto order = sortedOrder(pointers, key, descending);
            ASSERT_TRUE(order.has_value());
            std::vector<std::uint32_t> all = *order;
            std::sort(all.begin(), all.end());
            ASSERT_EQ(all.size(), rows.size());
            for (std::size_t i = 0; i < all.size(); ++i) {
                ASSERT_EQ(all[i], i) << "every row once";
            }
            for (std::size_t i = 1; i < order->size(); ++i) {
                const ResultRow& a = *pointers[(*order)[i - 1]];
                const ResultRow& b = *pointers[(*order)[i]];
                ASSERT_FALSE(ShouldSwap(a, b, key, descending))
                    << static_cast<unsigned>(key) << (descending ? " descending at " : " at ") << i;
                if (compareRows(a, b, key) == 0) {
                    ASSERT_LT((*order)[i - 1], (*order)[i]) << "equal keys keep their order";
                }
            }
        }
    }
}

// The stores sorted on this thread follow the same order.
TEST(ResultStores, SortStoresGivesTheOrderShouldSwapDefines) {
    ResultStores stores;
    for (const test::RowSpec& row : rowsWithRepeatedKeys(9000)) {
        stores.add(row);
    }
    for (const SortKey key : {SortKey::Name, SortKey::Size, SortKey::Type, SortKey::LastWrite}) {
        for (const bool descending : {true, false}) {
            stores.SortStores(key, descending);
            for (const RowStore* store : {&stores.folders(), &stores.files()}) {
                ASSERT_EQ(store->size(), 4500u);
                for (std::size_t i = 1; i < store->size(); ++i) {
                    ASSERT_FALSE(ShouldSwap(*(*store)[i - 1], *(*store)[i], key, descending)) << i;
                }
            }
        }
    }
}

// A sort started while another runs supersedes it; the one that reports last
// carries its own ticket and the order a sort on this thread gives.
TEST(BackgroundSort, ASecondSortSupersedesTheFirstAndReportsItsOrder) {
    ResultStores stores;
    for (int i = 0; i < 50000; ++i) {
        stores.add(i % 9 == 0
                       ? folder("d" + std::to_string(i % 101))
                       : file("f" + std::to_string(i % 103), static_cast<std::uint64_t>(i % 17)));
    }
    std::mutex mutex;
    std::condition_variable reported;
    std::vector<std::uint64_t> tickets;
    std::vector<std::uint32_t> lastFiles;
    std::vector<std::uint32_t> lastFolders;
    BackgroundSort sort;
    const auto done = [&](std::uint64_t ticket, std::vector<std::uint32_t> folders,
                          std::vector<std::uint32_t> files) {
        std::lock_guard lock(mutex);
        tickets.push_back(ticket);
        lastFolders = std::move(folders);
        lastFiles = std::move(files);
        reported.notify_all();
    };
    const std::uint64_t first = sort.start(stores.snapshot(), SortKey::Name, false, done);
    const std::uint64_t second = sort.start(stores.snapshot(), SortKey::Size, true, done);
    EXPECT_NE(first, second);
    {
        std::unique_lock lock(mutex);
        reported.wait(lock, [&] { return !tickets.empty() && tickets.back() == second; });
    }
    sort.cancel();  // joins the finished thread
    // The first reports only if it ended before the second began.
    EXPECT_TRUE(tickets.size() == 1 || (tickets.size() == 2 && tickets.front() == first));
    const ResultStores::Snapshot rows = stores.snapshot();
    EXPECT_EQ(lastFiles, *sortedOrder(rows.files, SortKey::Size, true));
    EXPECT_EQ(lastFolders, *sortedOrder(rows.folders, SortKey::Size, true));
}

TEST(ResultRows, AnEntryThatCouldNotBeDescribedShowsNoSizeOrTimes) {
    FoundEntry found;
    found.name = "locked.txt";
    found.path = "/x/ro/locked.txt";
    found.size = 4096;  // whatever the walk left there is not shown
    found.created = 100;
    found.lastWrite = 200;
    found.described = false;
    ResultStores stores;
    const ResultRow& row = stores.add(found);
    EXPECT_EQ(row.sizeText(), "");
    EXPECT_EQ(row.createdText(), "");
    EXPECT_EQ(row.lastWriteText(), "");
    EXPECT_EQ(row.type(), "File");
    // It sorts as size and times of zero, before every described row.
    EXPECT_EQ(row.m_size, 0u);
    EXPECT_EQ(row.m_created, 0);
    EXPECT_FALSE(row.asEntry(row.path()).described);

    found.described = true;
    EXPECT_EQ(stores.add(found).sizeText(), "5 KB");
}

TEST(ResultRows, SizeTextAndWhichStoreARowJoins) {
    ResultStores made;
    const auto sizeText = [&made](const test::RowSpec& spec) { return made.add(spec).sizeText(); };
    EXPECT_EQ(sizeText(file("a", 0)), "0 KB");
    EXPECT_EQ(sizeText(file("a", 1)), "1 KB");
    EXPECT_EQ(sizeText(file("a", 1023)), "1 KB");
    EXPECT_EQ(sizeText(file("a", 1024)), "2 KB");
    EXPECT_EQ(sizeText(file("a", 2047)), "2 KB");
    EXPECT_EQ(sizeText(file("a", 1048576)), "1025 KB");
    EXPECT_EQ(sizeText(file("a", 5ULL << 30)), "5242881 KB");
    EXPECT_EQ(sizeText(folder("d")), "");

    ResultStores stores;
    stores.add(file("f"));
    stores.add(folder("d"));
    stores.add(test::RowSpec{"odd", "/x/odd", "file", 0, 0, 10});  // not exactly "File"
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
