// zandor-row-release-bench: two ways of giving back the memory of a search's
// rows, timed on 330,000 rows shaped like a real search's (made on a worker
// thread, as the walk makes them, then kept on this one):
//   1. the stores as they are (rows made in arenas on the worker, a batch
//      each, adopted by the stores), freed, then malloc_trim, which is what
//      ResultStores::clear does;
//   2. the same rows with their strings in one arena per search
//      (std::pmr::monotonic_buffer_resource), given back as a whole.
// Prints the time the release takes and the resident memory around it; run
// once per way, so that each starts from a fresh process.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory_resource>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "results/result_stores.h"

namespace {

using namespace zandor;
using bench::residentMB;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 330000;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string nameOf(int i) {
    return (i % 11 == 0 ? "folder-" : "file-") + std::to_string(i) + ".dat";
}

std::string pathOf(int i) {
    return "/home/someone/projects/zandor-data/level-" + std::to_string(i % 7) + "/sub-" +
           std::to_string(i / 1000) + "/" + nameOf(i);
}

// Rows come to this thread in batches of a thousand, as the window's batcher
// hands them over.
constexpr int kBatch = 1000;

void measureHeapRows() {
    const double before = residentMB();
    std::vector<RowArena> batches;
    std::thread worker([&] {
        for (int i = 0; i < kRows; ++i) {
            if (i % kBatch == 0) {
                batches.emplace_back();
            }
            const std::string name = nameOf(i);
            const std::string path = pathOf(i);
            batches.back().add(FoundEntry{name, path, static_cast<unsigned>(i), i % 11 == 0,
                                          1700000000 + i, 1700000000 + i, true});
        }
    });
    worker.join();
    ResultStores stores;
    for (RowArena& batch : batches) {
        stores.adopt(std::move(batch));
    }
    const double full = residentMB();
    const auto start = Clock::now();
    stores.clear();  // frees the rows, then malloc_trim
    const double clearMs = msSince(start);
    std::printf(
        "compact rows + malloc_trim: %6.1f MB before, %6.1f MB with rows, "
        "clear (free + trim) %6.1f ms, %6.1f MB after\n",
        before, full, clearMs, residentMB());
}

struct ArenaRow {
    std::pmr::string name;
    std::pmr::string path;
    std::pmr::string type;
    std::int64_t created = 0;
    std::int64_t lastWrite = 0;
    std::uint64_t size = 0;
};

void measureArenaRows() {
    const double before = residentMB();
    auto arena = std::make_unique<std::pmr::monotonic_buffer_resource>(1 << 20);
    std::pmr::polymorphic_allocator<ArenaRow> allocator(arena.get());
    std::vector<ArenaRow*> rows;
    std::thread worker([&] {
        for (int i = 0; i < kRows; ++i) {
            ArenaRow* row = allocator.new_object<ArenaRow>();
            row->name = nameOf(i);
            row->path = pathOf(i);
            row->type = i % 11 == 0 ? "File Folder" : "File";
            row->created = row->lastWrite = 1700000000 + i;
            row->size = static_cast<unsigned>(i);
            rows.push_back(row);
        }
    });
    worker.join();
    const double full = residentMB();
    const auto start = Clock::now();
    std::vector<ArenaRow*>().swap(rows);
    arena.reset();  // every block of the search at once, no destructor needed
    const double releaseMs = msSince(start);
    const double afterRelease = residentMB();
    // What the strings were made from was freed to the C library's heaps,
    // which keep it until they are trimmed too.
    const auto trimStart = Clock::now();
    ::malloc_trim(0);
    const double trimMs = msSince(trimStart);
    std::printf(
        "per-search arena:        %6.1f MB before, %6.1f MB with rows, "
        "release %6.1f ms, %6.1f MB after; then malloc_trim %6.1f ms, %6.1f MB\n",
        before, full, releaseMs, afterRelease, trimMs, residentMB());
}

}  // namespace

// One way per run, so that neither starts from what the other left.
int main(int argc, char** argv) {
    const std::string way = argc > 1 ? argv[1] : "";
    if (way == "heap") {
        measureHeapRows();
    } else if (way == "arena") {
        measureArenaRows();
    } else {
        std::fprintf(stderr, "usage: zandor-row-release-bench heap|arena\n");
        return 2;
    }
    return 0;
}
