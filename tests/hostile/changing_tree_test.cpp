// Trees that change while they are walked. Through the session, folders are
// deleted, filled, moved, swapped for a link to "/" and made unreadable at
// the moment the walk meets them; through zandor-find, another thread keeps
// changing part of the tree for the whole run. Whatever the timing (and a walk
// may read folders ahead of the rows it hands on), every walk ends, lists no
// path twice, lists nothing that did not exist, and lists every entry that
// nothing touched.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "find_output.h"
#include "generation_recorder.h"
#include "reference_walk.h"
#include "run_process.h"
#include "search/search_session.h"
#include "temp_tree.h"
#include "unprivileged.h"

namespace zandor {
namespace {

using test::sorted;
using test::TempTree;

// Changes the tree, once, on the walk's thread, when the walk meets a folder.
class MutatingRecorder : public test::GenerationRecorder {
  public:
    void at(const std::string& folder, std::function<void()> change) {
        m_changes[folder] = std::move(change);
    }
    void onProgress(ProgressKind /*kind*/, std::string_view path) override {
        const auto found = m_changes.find(std::string(path));
        if (found != m_changes.end()) {
            auto change = std::move(found->second);
            m_changes.erase(found);
            change();
        }
    }

  private:
    std::map<std::string, std::function<void()>> m_changes;  // the walk's thread only
};

struct Listing {
    std::vector<std::string> before;  // sorted
    std::vector<std::string> after;   // sorted
    std::vector<std::string> rows;    // as listed
    std::int64_t counted = -1;        // files and folders in the completion
};

// The checks every changing walk must pass. Entries below a touched folder
// may or may not be listed; every other entry that existed throughout must be.
void expectSound(const Listing& listing, const std::vector<std::string>& touched) {
    EXPECT_EQ(listing.counted, static_cast<std::int64_t>(listing.rows.size()));
    const auto rows = sorted(listing.rows);
    EXPECT_EQ(std::adjacent_find(rows.begin(), rows.end()), rows.end()) << "a path listed twice";
    std::set<std::string> existed(listing.before.begin(), listing.before.end());
    existed.insert(listing.after.begin(), listing.after.end());
    std::vector<std::string> phantoms;
    for (const auto& path : rows) {
        if (!existed.contains(path)) {
            phantoms.push_back(path);
        }
    }
    EXPECT_EQ(phantoms, std::vector<std::string>()) << "listed what never existed";
    const auto isTouched = [&](const std::string& path) {
        return std::any_of(touched.begin(), touched.end(), [&](const std::string& prefix) {
            return path == prefix || path.starts_with(prefix + "/");
        });
    };
    std::vector<std::string> untouched;
    std::set_intersection(listing.before.begin(), listing.before.end(), listing.after.begin(),
                          listing.after.end(), std::back_inserter(untouched));
    std::erase_if(untouched, isTouched);
    std::vector<std::string> listedUntouched = rows;
    std::erase_if(listedUntouched, isTouched);
    EXPECT_EQ(listedUntouched, untouched);
}

void makeTree(const TempTree& tree) {
    for (int i = 0; i < 10; ++i) {
        tree.file("stable/s" + std::to_string(i) + "/a.txt");
        tree.file("stable/s" + std::to_string(i) + "/b.txt");
    }
    for (int i = 0; i < 5; ++i) {
        const std::string folder = "moving/m" + std::to_string(i);
        tree.file(folder + "/sub/x.txt");
        tree.file(folder + "/sub/y.txt");
        tree.file(folder + "/z.txt");
    }
}

Listing searchWithChanges(const std::string& root, MutatingRecorder& recorder) {
    Listing listing;
    listing.before = test::sortedPaths(test::referenceWalk(root));
    {
        const LiveConditionsBoard board;
        SearchSession session(board, recorder, recorder);
        const auto generation = session.start(SearchRequest{root, "", false});
        session.waitUntilIdle();
        listing.rows = recorder.paths(generation);
        const auto completions = recorder.completions();
        if (completions.size() == 1) {
            listing.counted = completions[0].filesFound + completions[0].foldersFound;
        }
    }
    listing.after = test::sortedPaths(test::referenceWalk(root));
    return listing;
}

TEST(ChangingTree, FoldersDeletedFilledMovedAndSwappedForALinkAsTheWalkMeetsThem) {
    TempTree tree;
    makeTree(tree);
    MutatingRecorder recorder;
    const auto path = [&](const std::string& relative) { return tree.path(relative); };
    recorder.at(path("moving/m0"), [&] { test::removeTree(path("moving/m0")); });
    recorder.at(path("moving/m1"), [&] {
        for (const char* name : {"new/1.txt", "new/2.txt", "new/deeper/3.txt"}) {
            tree.file(std::string("moving/m1/") + name);
        }
    });
    recorder.at(path("moving/m2"), [&] {
        ::rename(path("moving/m2/sub").c_str(), path("moving/m3/moved-sub").c_str());
    });
    recorder.at(path("moving/m4"), [&] {
        ::rename(path("moving/m4").c_str(), path("moving/m4-renamed").c_str());
        ::symlink("/", path("moving/m4").c_str());
    });
    const Listing listing = searchWithChanges(tree.root(), recorder);
    expectSound(listing, {path("moving/m0"), path("moving/m1"), path("moving/m2"),
                          path("moving/m3"), path("moving/m4"), path("moving/m4-renamed")});
    // The link that took the folder's place was never followed.
    for (const auto& row : listing.rows) {
        EXPECT_FALSE(row.starts_with(path("moving/m4/")) &&
                     !std::binary_search(listing.before.begin(), listing.before.end(), row))
            << row;
    }
}

TEST(ChangingTree, AFolderMadeUnreadableAsTheWalkMeetsIt) {
    TempTree tree;
    makeTree(tree);
    // The user without privileges owns the tree, so that it may lock a folder.
    ASSERT_EQ(test::runProcess({"chown", "-R", "65534:65534", tree.root()}).exitCode,
              test::runningAsRoot() ? 0 : 1);
    const std::string root = tree.root();
    const auto outcome = test::runUnprivileged([&root] {
        MutatingRecorder recorder;
        const std::string victim = root + "/moving/m2";
        recorder.at(victim, [victim] { ::chmod(victim.c_str(), 0); });
        const Listing listing = searchWithChanges(root, recorder);
        ::chmod(victim.c_str(), 0755);
        std::string out;
        for (const auto& [tag, items] :
             {std::pair{'B', listing.before}, {'A', listing.after}, {'R', listing.rows}}) {
            for (const auto& item : items) {
                out.append(1, tag).append(item).push_back('\0');
            }
        }
        return out + "C" + std::to_string(listing.counted) + '\0';
    });
    ASSERT_EQ(outcome.exitCode, 0);
    Listing listing;
    for (const auto& item : test::nulItems(outcome.output)) {
        const std::string value = item.substr(1);
        switch (item[0]) {
            case 'B':
                listing.before.push_back(value);
                break;
            case 'A':
                listing.after.push_back(value);
                break;
            case 'R':
                listing.rows.push_back(value);
                break;
            default:
                listing.counted = std::stoll(value);
        }
    }
    expectSound(listing, {root + "/moving/m2"});
    // The locked folder itself is listed: it was met before it was locked.
    EXPECT_NE(std::find(listing.rows.begin(), listing.rows.end(), root + "/moving/m2"),
              listing.rows.end());
}

// Creates, fills, renames, locks and removes folders below churn/ until told
// to stop, and notes every path it ever made.
class Churner {
  public:
    explicit Churner(const TempTree& tree) : m_tree(tree) {
        m_thread = std::thread([this] { run(); });
    }
    ~Churner() { stop(); }
    void stop() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    std::set<std::string> made() const {
        std::lock_guard lock(m_mutex);
        return m_made;
    }

  private:
    void note(const std::string& relative) {
        std::lock_guard lock(m_mutex);
        m_made.insert(m_tree.path(relative));
    }
    void run() {
        for (unsigned turn = 0; !m_stop.load(); ++turn) {
            try {
                change(turn);
            } catch (const std::exception&) {
                // A change that the state left by an earlier one refuses: the
                // next turn goes on.
            }
        }
    }
    void change(unsigned turn) {
        const std::string name = "churn/d" + std::to_string(turn % 8);
        const std::string moved = "churn/moved" + std::to_string(turn % 8);
        switch (turn / 8 % 4) {
            case 0:
                for (const char* file : {"/f1", "/f2", "/inner/f3"}) {
                    m_tree.file(name + file);
                    note(name);
                    note(name + "/inner");
                    note(name + file);
                }
                break;
            case 1:
                ::rename(m_tree.path(name).c_str(), m_tree.path(moved).c_str());
                for (const char* file : {"", "/f1", "/f2", "/inner", "/inner/f3"}) {
                    note(moved + file);
                }
                break;
            case 2:
                ::chmod(m_tree.path(moved).c_str(), (turn & 1) != 0 ? 0 : 0111);
                break;
            default:
                ::chmod(m_tree.path(moved).c_str(), 0755);
                test::removeTree(m_tree.path(moved));
                break;
        }
    }

    const TempTree& m_tree;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::set<std::string> m_made;
};

TEST(ChangingTree, ZandorFindWhileAnotherThreadKeepsChangingTheTree) {
    TempTree tree;
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 50; ++j) {
            tree.file("stable/s" + std::to_string(i) + "/f" + std::to_string(j) + ".txt");
        }
    }
    tree.folder("churn");
    const auto stable = test::sortedPaths(test::referenceWalk(tree.root()));
    // Run as a user without privileges, so that the locked folders bite.
    const test::UnprivilegedProgram find(test::zandorFindPath());
    std::vector<std::vector<std::string>> runs;
    {
        Churner churner(tree);
        for (int run = 0; run < 20; ++run) {
            const test::ProcessResult result = find.run({tree.root()});
            EXPECT_EQ(result.exitCode, 0) << result.err;
            runs.push_back(test::pathsOf(test::tsvRows(result.out)));
        }
        churner.stop();
        for (auto& rows : runs) {
            rows = sorted(rows);
            EXPECT_EQ(std::adjacent_find(rows.begin(), rows.end()), rows.end());
            std::vector<std::string> stableRows;
            std::vector<std::string> churnRows;
            for (const auto& row : rows) {
                (row.starts_with(tree.path("churn/")) ? churnRows : stableRows).push_back(row);
            }
            EXPECT_EQ(stableRows, stable);
            const auto made = churner.made();
            for (const auto& row : churnRows) {
                EXPECT_TRUE(made.contains(row)) << "listed what was never made: " << row;
            }
        }
    }
}

}  // namespace
}  // namespace zandor
