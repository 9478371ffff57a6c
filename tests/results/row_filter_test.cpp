// The filter's words and the rows they let through: names that hold every
// word, case-blind as the name test is, a word with a slash against the full
// path; when words narrow others, testing only the rows the others let
// through gives what testing every row gives; and FilteredList's runs away
// from the owner's thread: the last words win, and rows listed during a run
// are shown or hidden by them (these run under ThreadSanitizer too).
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "results/filtered_list.h"
#include "results/result_stores.h"
#include "results/row_filter.h"
#include "row_spec.h"
#include "search/name_fold.h"

namespace zandor {
namespace {

using Rows = std::vector<const ResultRow*>;

Rows addAll(ResultStores& stores, const std::vector<std::string>& paths) {
    Rows rows;
    for (const std::string& path : paths) {
        const std::string name = path.substr(path.rfind('/') + 1);
        rows.push_back(&stores.add(test::RowSpec{name, path}));
    }
    return rows;
}

std::vector<std::string> pathsOf(const Rows& rows) {
    std::vector<std::string> paths;
    for (const ResultRow* row : rows) {
        paths.push_back(row->path());
    }
    return paths;
}

std::vector<std::string> passing(const std::string& words, const Rows& rows) {
    return pathsOf(*RowFilter(words).passing(rows));
}

TEST(RowFilter, ANameMustHoldEveryWordInAnyCase) {
    ResultStores stores;
    const Rows rows = addAll(stores, {"/d/Invoice 2024.pdf", "/d/invoice-draft.odt",
                                      "/d/2024 report.pdf", "/invoices/notes.txt", "/d/INVOICE"});
    EXPECT_EQ(
        passing("invoice", rows),
        (std::vector<std::string>{"/d/Invoice 2024.pdf", "/d/invoice-draft.odt", "/d/INVOICE"}));
    // Words in any order, blanks of any number; every word must be held.
    EXPECT_EQ(passing("  2024\t INVOICE ", rows), std::vector<std::string>{"/d/Invoice 2024.pdf"});
    // The folder's name is not the row's name.
    EXPECT_EQ(passing("notes invoices", rows), std::vector<std::string>{});
    EXPECT_EQ(passing("zzz", rows), std::vector<std::string>{});
    EXPECT_EQ(passing("", rows).size(), rows.size());
    EXPECT_EQ(passing(" \t ", rows).size(), rows.size());
    EXPECT_TRUE(RowFilter(" \t").empty());
}

TEST(RowFilter, LettersBeyondAToZFoldAsTheNameTestFoldsThem) {
    ResultStores stores;
    const Rows rows = addAll(stores, {"/d/ÄRGER.txt", "/d/ärger.txt", "/d/Ελληνικά.md",
                                      "/d/\xe2\x84\xaa"
                                      "elvin",
                                      "/d/caf\xe9-latin1", "/d/Straße"});
    EXPECT_EQ(passing("ärger", rows), (std::vector<std::string>{"/d/ÄRGER.txt", "/d/ärger.txt"}));
    EXPECT_EQ(passing("ÄRGER", rows), (std::vector<std::string>{"/d/ÄRGER.txt", "/d/ärger.txt"}));
    EXPECT_EQ(passing("ΕΛΛΗΝ", rows), std::vector<std::string>{"/d/Ελληνικά.md"});
    // The Kelvin sign folds to k, as in the name test.
    EXPECT_EQ(passing("kelvin", rows), std::vector<std::string>{"/d/\xe2\x84\xaa"
                                                                "elvin"});
    // A name that is not UTF-8 still has its ASCII letters folded.
    EXPECT_EQ(passing("CAF", rows), std::vector<std::string>{"/d/caf\xe9-latin1"});
    // Simple folding, one letter for one: ß is not "ss".
    EXPECT_EQ(passing("strasse", rows), std::vector<std::string>{});
    EXPECT_EQ(passing("STRAßE", rows), std::vector<std::string>{"/d/Straße"});
}

TEST(RowFilter, AWordWithASlashIsLookedForInTheFullPath) {
    ResultStores stores;
    const Rows rows = addAll(stores, {"/home/me/Work/plan.txt", "/home/me/work-old/plan.txt",
                                      "/home/me/play/plan.txt", "/home/me/Work"});
    EXPECT_EQ(passing("work/", rows), std::vector<std::string>{"/home/me/Work/plan.txt"});
    EXPECT_EQ(passing("/work", rows),
              (std::vector<std::string>{"/home/me/Work/plan.txt", "/home/me/work-old/plan.txt",
                                        "/home/me/Work"}));
    // Across the folder and the name, with a name word beside it.
    EXPECT_EQ(passing("k/plan plan", rows), std::vector<std::string>{"/home/me/Work/plan.txt"});
    EXPECT_EQ(passing("me/ txt", rows).size(), 3U);
}

TEST(RowFilter, APathWordFollowsARenamedFolder) {
    ResultStores stores;
    const Rows rows = addAll(stores, {"/t/old", "/t/old/a.txt", "/t/old/sub/b.txt"});
    EXPECT_EQ(passing("new/", rows), std::vector<std::string>{});
    stores.itemRenamed(*rows[0], "new");
    EXPECT_EQ(passing("new/", rows),
              (std::vector<std::string>{"/t/new/a.txt", "/t/new/sub/b.txt"}));
    EXPECT_EQ(passing("new", rows), std::vector<std::string>{"/t/new"});
}

// Random paths and words of a few letters, slashes and a letter beyond
// A-Z, against folding each whole text and looking for each word in it.
TEST(RowFilter, RandomWordsPassAsInTheWholeFoldedTexts) {
    std::mt19937 random(11);
    const std::vector<std::string> pieces = {"a", "B", "/", "\xc3\x89", "\xc3\xa9", "b"};
    const auto text = [&](std::size_t most) {
        std::string out;
        for (std::size_t i = random() % (most + 1); i > 0; --i) {
            out += pieces[random() % pieces.size()];
        }
        return out;
    };
    ResultStores stores;
    std::vector<std::string> paths;
    for (int i = 0; i < 400; ++i) {
        std::string name = text(4);
        std::erase(name, '/');
        paths.push_back("/" + text(5) + "/" + (name.empty() ? "x" : name));
    }
    const Rows rows = addAll(stores, paths);
    for (int round = 0; round < 300; ++round) {
        const std::string typed = text(3) + (round % 2 == 0 ? " " + text(4) : "");
        std::vector<std::string> expected;
        for (const ResultRow* row : rows) {
            std::string name;
            std::string path;
            foldCase(row->name(), name);
            foldCase(row->path(), path);
            bool all = true;
            for (std::size_t at = 0; at < typed.size();) {
                const std::size_t end = std::min(typed.find(' ', at), typed.size());
                std::string word;
                foldCase(std::string_view(typed).substr(at, end - at), word);
                const std::string& where = word.find('/') == std::string::npos ? name : path;
                all = all && where.find(word) != std::string::npos;
                at = end + 1;
            }
            if (all) {
                expected.push_back(row->path());
            }
        }
        ASSERT_EQ(passing(typed, rows), expected) << typed;
    }
}

TEST(RowFilter, WordsThatNarrowOthersNeedTestOnlyTheRowsTheyLetThrough) {
    EXPECT_TRUE(RowFilter("abc").narrows(RowFilter("b")));
    EXPECT_TRUE(RowFilter("ab c").narrows(RowFilter("AB")));
    EXPECT_TRUE(RowFilter("x/ab").narrows(RowFilter("x/")));
    EXPECT_TRUE(RowFilter("a").narrows(RowFilter()));
    EXPECT_FALSE(RowFilter("a").narrows(RowFilter("a b")));
    // Found in the path says nothing of the name, nor the reverse.
    EXPECT_FALSE(RowFilter("a/").narrows(RowFilter("a")));
    EXPECT_FALSE(RowFilter("ab").narrows(RowFilter("b/")));

    // Against every pair of a few hundred random filters on rows of few letters.
    std::mt19937 random(7);
    const auto text = [&random](std::size_t most, const std::string& letters) {
        std::string out;
        const std::size_t length = random() % (most + 1);
        for (std::size_t i = 0; i < length; ++i) {
            out += letters[random() % letters.size()];
        }
        return out;
    };
    ResultStores stores;
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i) {
        paths.push_back("/" + text(3, "abAB") + "/" + text(2, "ab/") + "/x" + text(5, "abcAC"));
    }
    const Rows rows = addAll(stores, paths);
    std::vector<RowFilter> filters;
    for (int i = 0; i < 200; ++i) {
        filters.emplace_back(text(4, "abcAB /"));
    }
    int narrowing = 0;
    for (const RowFilter& wider : filters) {
        const Rows widerRows = *wider.passing(rows);
        for (const RowFilter& narrower : filters) {
            if (narrower.narrows(wider)) {
                ++narrowing;
                ASSERT_EQ(*narrower.passing(widerRows), *narrower.passing(rows));
            }
        }
    }
    EXPECT_GT(narrowing, 1000);
}

// The owner's side of FilteredList, as a window's event loop would be: runs
// post their rows here, and the test hands them back on its own thread.
class Owner {
  public:
    FilteredList list{[this](std::uint64_t ticket, Rows passed) {
        std::lock_guard lock(m_mutex);
        m_posted.push_back({ticket, std::move(passed)});
        m_arrived.notify_all();
    }};
    Rows shown;

    void show(FilteredList::Relist rows) {
        if (rows) {
            shown = std::move(*rows);
        }
    }
    // Waits for the run in progress and takes every posted result in order.
    void settle() {
        while (list.running()) {
            std::unique_lock lock(m_mutex);
            m_arrived.wait(lock, [this] { return !m_posted.empty(); });
            while (!m_posted.empty()) {
                Posted posted = std::move(m_posted.front());
                m_posted.pop_front();
                lock.unlock();
                show(list.finish(posted.ticket, std::move(posted.rows)));
                lock.lock();
            }
        }
    }

  private:
    struct Posted {
        std::uint64_t ticket;
        Rows rows;
    };
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<Posted> m_posted;
};

std::vector<std::string> manyPaths(int count, const std::string& folder) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(folder + std::to_string(i % 50) + "/item-" + std::to_string(i) +
                        (i % 3 == 0 ? ".TXT" : ".png"));
    }
    return paths;
}

TEST(FilteredList, TheLastWordsTypedWinOverRunsStillInProgress) {
    ResultStores stores;
    Owner owner;
    owner.shown = addAll(stores, manyPaths(60000, "/data/"));
    const Rows all = owner.shown;
    owner.list.setBackgroundFrom(0);  // every filter away from this thread
    // Typed key by key, without waiting: each run supersedes the last.
    for (const char* typed : {"i", "it", "ite", "item-1", "item-12", "item-1 .txt"}) {
        owner.show(owner.list.setFilter(RowFilter(typed), owner.shown));
    }
    owner.settle();
    EXPECT_EQ(owner.shown, *RowFilter("item-1 .txt").passing(all));
    // A result that arrives after later words were typed is refused.
    owner.show(owner.list.setFilter(RowFilter("7"), owner.shown));
    const Rows wrong = {all[0]};
    EXPECT_EQ(owner.list.finish(1, wrong), std::nullopt);
    owner.settle();
    EXPECT_EQ(owner.shown, *RowFilter("7").passing(all));
    // No words: every listed row, in order, at once.
    owner.show(owner.list.setFilter(RowFilter(" "), owner.shown));
    EXPECT_FALSE(owner.list.running());
    EXPECT_EQ(owner.shown, all);
    EXPECT_FALSE(owner.list.active());
}

// Rows arrive as a search hands them over (batches filled on a worker and
// adopted on the owner's thread) while runs for new words are in progress.
TEST(FilteredList, RowsListedDuringARunAreShownWhenTheyPassTheLastWords) {
    ResultStores stores;
    Owner owner;
    owner.list.setBackgroundFrom(0);
    owner.show(owner.list.setFilter(RowFilter("item-2"), owner.shown));
    std::mutex mutex;
    std::deque<RowArena> batches;
    std::thread worker([&] {
        const std::vector<std::string> paths = manyPaths(40000, "/w/");
        for (std::size_t at = 0; at < paths.size(); at += 1000) {
            RowArena batch;
            for (std::size_t i = at; i < at + 1000; ++i) {
                const std::string name = paths[i].substr(paths[i].rfind('/') + 1);
                batch.add(test::RowSpec{name, paths[i]});
            }
            std::lock_guard lock(mutex);
            batches.push_back(std::move(batch));
        }
    });
    Rows all;
    const char* const typed[] = {"item-2", "item-2 png", "item-2", "w/1 txt", "item"};
    std::size_t taken = 0;
    while (taken < 40) {
        std::optional<RowArena> batch;
        {
            std::lock_guard lock(mutex);
            if (!batches.empty()) {
                batch = std::move(batches.front());
                batches.pop_front();
            }
        }
        if (!batch) {
            std::this_thread::yield();
            continue;
        }
        const Rows added = stores.adopt(std::move(*batch));
        all.insert(all.end(), added.begin(), added.end());
        const Rows shown = owner.list.append(added);
        owner.shown.insert(owner.shown.end(), shown.begin(), shown.end());
        // New words every eight batches, the last with four batches to come.
        if (++taken % 8 == 4) {
            owner.show(owner.list.setFilter(RowFilter(typed[taken / 8]), owner.shown));
        }
    }
    worker.join();
    owner.settle();
    EXPECT_EQ(owner.list.listedCount(owner.shown.size()), all.size());
    EXPECT_EQ(owner.shown, *RowFilter("item").passing(all));
    owner.show(owner.list.setFilter(RowFilter("w/1 txt"), owner.shown));
    owner.settle();
    EXPECT_EQ(owner.shown, *RowFilter("w/1 txt").passing(all));
    EXPECT_FALSE(owner.shown.empty());
}

TEST(FilteredList, RowsTakenAwayOrSortedAnewDuringARunAreListedAsTheyAreNow) {
    ResultStores stores;
    Owner owner;
    owner.shown = addAll(stores, manyPaths(30000, "/r/"));
    Rows all = owner.shown;
    owner.list.setBackgroundFrom(0);
    owner.show(owner.list.setFilter(RowFilter("txt"), owner.shown));
    // Gone while the run reads the rows: it starts again without them.
    const std::unordered_set<const ResultRow*> gone(all.begin(), all.begin() + 1000);
    std::erase_if(owner.shown, [&gone](const ResultRow* row) { return gone.contains(row); });
    owner.show(owner.list.remove(gone));
    std::erase_if(all, [&gone](const ResultRow* row) { return gone.contains(row); });
    owner.settle();
    EXPECT_EQ(owner.shown, *RowFilter("txt").passing(all));
    // A new order for every listed row (a sort): the rows that pass, in it.
    std::reverse(all.begin(), all.end());
    owner.show(owner.list.relist(all));
    owner.settle();
    EXPECT_EQ(owner.shown, *RowFilter("txt").passing(all));
    // A new search: nothing listed, the words kept for its rows.
    owner.list.clear();
    owner.shown.clear();
    EXPECT_TRUE(owner.list.active());
    const Rows fresh = addAll(stores, {"/n/a.txt", "/n/b.png"});
    EXPECT_EQ(pathsOf(owner.list.append(fresh)), std::vector<std::string>{"/n/a.txt"});
    EXPECT_EQ(owner.list.listedCount(1), 2U);
}

}  // namespace
}  // namespace zandor
